// Replays a recorded vim session (TERM=vt102, 80x24: opening a file, moving,
// inserting and deleting lines, searching, split windows) and compares the
// screen text and cursor after each step with the screen vim itself held.
#include <fstream>
#include <iterator>
#include <sstream>

#include "tests/terminal/terminal_fixture.h"

namespace terminal_test {
namespace {

std::string read_file(std::string const& name)
{
    std::ifstream in(std::string(TARN_TEST_DATA) + "/" + name, std::ios::binary);
    if (!in)
        throw std::runtime_error("cannot read " + name);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

// vim's own screen after one step of the session, and how many bytes of the
// recording it had written by then.
struct Checkpoint {
    std::string step;
    std::size_t bytes = 0;
    std::pair<int, int> cursor;
    std::vector<std::string> rows;
};

std::vector<Checkpoint> checkpoints()
{
    std::istringstream in(read_file("vim_session.screens"));
    std::vector<Checkpoint> all;
    for (std::string line; std::getline(in, line);) {
        if (line.rfind("@ ", 0) == 0) {
            Checkpoint next;
            std::istringstream header(line.substr(2));
            header >> next.bytes >> next.cursor.first >> next.cursor.second >> next.step;
            all.push_back(next);
        } else if (!all.empty()) {
            all.back().rows.push_back(line.substr(0, line.find_last_not_of(' ') + 1));
        }
    }
    return all;
}

class Vim_Replay : public Terminal {};

TEST_F(Vim_Replay, ScreenMatchesVimsOwnScreenAfterEveryStep)
{
    open_grid(80, 24);
    std::string const recording = read_file("vim_session.raw");
    std::vector<Checkpoint> const steps = checkpoints();
    ASSERT_GE(steps.size(), 20u);
    ASSERT_EQ(steps.back().bytes, recording.size());

    std::size_t shown = 0;
    for (Checkpoint const& step : steps) {
        ASSERT_EQ(step.rows.size(), 24u) << step.step;
        // In pieces of at most the size the child's output is read in.
        for (; shown < step.bytes; shown = std::min(shown + 1024, step.bytes))
            feed(recording.substr(shown, std::min<std::size_t>(1024, step.bytes - shown)));
        EXPECT_EQ(rows(), step.rows) << "after step " << step.step << "\n" << dump();
        EXPECT_EQ(cursor(), step.cursor) << "after step " << step.step;
    }
}

}
}
