// The whole program with vim under thousands of random actions: it neither
// crashes nor hangs, the panel equals the buffer after every settle, the
// pseudo-terminal's size always equals the grid drawn, no descriptor leaks,
// and "Exit" ends it with status 0. TARN_SOAK_SEED replays a run;
// TARN_SOAK_ACTIONS sets its length.
#include <gtest/gtest.h>

#include <unistd.h>

#include <cstdlib>
#include <sstream>
#include <string>

#include "tests/soak/soak_script.h"
#include "tests/support/read_file.h"
#include "tests/support/sandbox.h"
#include "tests/support/snapshot_text.h"
#include "tests/support/tarn_process.h"
#include "tests/support/terminal_cell.h"

namespace {

constexpr int keyboard_band = 242;
constexpr int margin = 10;
// Far beyond a healthy run in either build: reaching it means a hang.
constexpr int time_limit_seconds = 110;

unsigned long number_from_environment(char const* name, unsigned long fallback)
{
    char const* text = std::getenv(name);
    return text && *text ? std::strtoul(text, nullptr, 10) : fallback;
}

struct Window_Size {
    int rows = -1, columns = -1;
    std::vector<int> font_sizes;
};

Window_Size read_window_size(std::string const& path)
{
    Window_Size size;
    std::istringstream in(read_file(path));
    std::string word;
    while (in >> word) {
        if (word == "pty") {
            in >> size.rows >> size.columns;
        } else if (word == "font") {
            int font_size = 0;
            in >> font_size;
            size.font_sizes.push_back(font_size);
        }
    }
    return size;
}

// The lines of a descriptor listing that start with who.
std::vector<std::string> lines_of(std::string const& listing, std::string const& who)
{
    std::vector<std::string> found;
    std::istringstream in(listing);
    std::string line;
    while (std::getline(in, line))
        if (line.rfind(who, 0) == 0)
            found.push_back(line);
    return found;
}

// The build's own device tree, shared by a scratch folder of the test's own.
void share_build_sandbox(Sandbox const& scratch)
{
    ASSERT_EQ(symlink(TARN_BINARY_DIR "/sandbox/mnt/ext1/system", scratch.path("system").c_str()), 0);
}

struct Soak : ::testing::Test {
    Sandbox scratch;
    std::uint32_t seed = 0;

    void SetUp() override
    {
        share_build_sandbox(scratch);
        seed = static_cast<std::uint32_t>(number_from_environment("TARN_SOAK_SEED", 20261207));
        std::string text;
        for (int i = 1; i <= 300; ++i)
            text += "line " + std::to_string(i) + " of the soak text\n";
        scratch.write_file("sample.txt", text);
    }

    // The program's exit status; 124 when it had to be stopped.
    int run(std::string const& script)
    {
        scratch.write_file("events", script);
        return run_tarn(scratch.root(), "sample.txt", time_limit_seconds);
    }
};

TEST_F(Soak, RandomSessionKeepsScreenSizeAndDescriptorsRight)
{
    int const actions = static_cast<int>(number_from_environment("TARN_SOAK_ACTIONS", 2500));
    Soak_Script const script = soak_script(seed, actions);
    SCOPED_TRACE("replay with TARN_SOAK_SEED=" + std::to_string(seed) + " TARN_SOAK_ACTIONS=" +
                 std::to_string(actions));

    int const status = run(script.text);
    std::string const errors = read_file(scratch.path("errors"));
    ASSERT_NE(status, 124) << "the program hung";
    // 3: a panel check failed; 2: a scripted action could not be carried out.
    ASSERT_EQ(status, 0) << errors;
    EXPECT_EQ(errors, "");
    EXPECT_NE(access(scratch.path("out/never.txt").c_str(), F_OK), 0) << "\"Exit\" did not end the program";

    int sized = 0;
    for (int i = 0; i < script.checkpoints; ++i) {
        std::string const name = "c" + std::to_string(i);
        SCOPED_TRACE("checkpoint " + name);
        Snapshot const shot = read_snapshot(scratch.path("out/" + name + ".txt"));
        ASSERT_GT(shot.width, 0) << "no snapshot";
        EXPECT_EQ(shot.stale, 0);
        Window_Size const size = read_window_size(scratch.path("out/" + name + ".size"));
        // A busy machine may catch vim between clearing and redrawing: with no
        // text on screen there is no font size to derive the grid from.
        if (size.font_sizes.empty())
            continue;
        ASSERT_EQ(size.font_sizes.size(), 1u) << "the terminal's text is drawn in one size";
        ++sized;
        Terminal_Cell const cell = terminal_cell(size.font_sizes[0]);
        ASSERT_GT(cell.width, 0);
        int const columns = (shot.width - 2 * margin) / cell.width;
        int const rows = (shot.height - keyboard_band - margin) / cell.height;
        EXPECT_EQ(size.rows, rows) << "font size " << size.font_sizes[0] << ", screen " << shot.width << "x"
                                   << shot.height;
        EXPECT_EQ(size.columns, columns) << "font size " << size.font_sizes[0];
    }
    EXPECT_GE(sized * 10, script.checkpoints * 9) << "too few checkpoints showed the terminal's text";

    std::string const start = read_file(scratch.path("out/start.fds"));
    std::string const end = read_file(scratch.path("out/end.fds"));
    ASSERT_FALSE(lines_of(start, "self ").empty());
    EXPECT_EQ(lines_of(start, "self "), lines_of(end, "self "));
    // vim may reopen its swap file under another descriptor, never keep more.
    ASSERT_FALSE(lines_of(start, "child ").empty());
    EXPECT_EQ(lines_of(start, "child ").size(), lines_of(end, "child ").size()) << start << "---\n" << end;
}

}
