// The programs a user starts besides vim (vttest, less, man, nano, dialog, a
// shell with its history and line editing, tput) in the whole program and in
// tmux at the same size and environment, compared as text row by row after
// every step. Where tmux is no VT102, the rows a VT102 shows are expected.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/support/read_file.h"
#include "tests/support/sandbox.h"
#include "tests/support/snapshot_text.h"
#include "tests/support/tarn_process.h"
#include "tests/support/terminal_cell.h"
#include "tests/support/tmux_screen.h"

namespace {

// A screen where vttest's 80 x 24 fits, above the shipped keyboard (240
// pixel rows and the 2-pixel separator), at the default font size.
constexpr int screen_width = 1200;
constexpr int screen_height = 1000;
constexpr int keyboard_top = screen_height - 242;
int const columns = (screen_width - 20) / terminal_cell(24).width;
int const rows = (keyboard_top - 10) / terminal_cell(24).height;

struct Step {
    std::string tarn_events;
    std::vector<std::string> tmux_keys;
};

Step typed(std::string const& text) { return {"type " + text + "\n", {"=" + text}}; }
Step key(std::string const& tarn, std::string const& tmux) { return {"tapkey " + tarn + "\n", {tmux}}; }
Step enter() { return key("Enter", "Enter"); }
Step line(std::string const& text) { return {"type " + text + "\ntapkey Enter\n", {"=" + text, "Enter"}}; }
Step ctrl(char letter) { return {"tapkey Ctrl\ntype " + std::string(1, letter) + "\n", {std::string("C-") + letter}}; }

std::vector<Step> enters(int count) { return std::vector<Step>(static_cast<std::size_t>(count), enter()); }

std::vector<Step> operator+(std::vector<Step> a, std::vector<Step> const& b)
{
    a.insert(a.end(), b.begin(), b.end());
    return a;
}

// After step (0: the start), the row that reads tmux_text in tmux reads
// vt102_text on a VT102 instead.
struct Vt102_Row {
    int step;
    int row;
    std::string tmux_text;
    std::string vt102_text;
};

struct Program {
    char const* name;
    std::string command;
    std::vector<Step> steps;
    std::vector<Vt102_Row> vt102_rows = {};
};

std::string const origin_line = "Origin mode test. This line should be at the bottom of the screen.";

std::vector<Program> const programs = {
    {"VttestCursorMovements", "vttest", std::vector<Step>{line("1")} + enters(7)},
    // tmux does not home the cursor to the region in origin mode on DECSTBM.
    {"VttestScreenFeatures",
     "vttest",
     std::vector<Step>{line("2")} + enters(14),
     {{11, 1, origin_line, ""}, {11, 23, "", origin_line}}},
    // tmux has no United Kingdom set: both halves of the row.
    {"VttestCharacterSets", "vttest", {line("3"), enter()}, {{1, 7, "#", "£"}, {1, 7, "#", "£"}}},
    // tmux sends no LF after CR in new line mode, and answers DA as a VT100.
    {"VttestTerminalReports",
     "vttest",
     {line("6"), line("1"), enter(), enter(), line("2"), enter(), enter(), line("3"), enter(), line("4"), enter()},
     {{6, 3, "<13>  -- Not expected", "<13> <10>  -- OK"},
      {7, 3, "<13>  -- Not expected", "<13> <10>  -- OK"},
      {10, 2, "<27> [ ? 1 ; 2 c  -- means VT100 with AVO (could be a VT102)", "<27> [ ? 6 c  -- means VT102"},
      {10, 3, " Legend:  AVO = Advanced Video Option", ""}}},
    {"VttestInsertAndDelete", "vttest", std::vector<Step>{line("8")} + enters(10)},
    {"LessPagesSearchesAndQuits",
     "less /usr/share/common-licenses/GPL-3",
     {key("Space", "Space"), typed("b"), line("/copyright"), typed("G"), typed("q")}},
    {"ManPages", "man ls", {key("Space", "Space"), typed("q")}},
    {"NanoEdits",
     "nano notes.txt",
     {typed("hello"), enter(), typed("world"), key("Up", "Up"), key("Left", "Left"), key("Backspace", "C-h"),
      ctrl('g'), ctrl('x'), typed("n")}},
    {"DialogMessageBox", "dialog --msgbox 'A message box from dialog, with a line of text.' 10 40", {enter()}},
    {"DialogMenu",
     "dialog --menu 'Pick one' 15 50 4 a 'First item' b 'Second item' c 'Third item' d Fourth",
     {key("Down", "Down"), key("Down", "Down"), enter()}},
    // tmux's terminal erases with DEL, and BS is shown as ^H; a VT102 sends BS, the erase character.
    {"ShellHistoryLineEditingAndTput",
     "PS1='$ ' bash --norc --noprofile",
     {line("echo first"), line("echo second"), key("Up", "Up"), key("Up", "Up"), key("Left", "Left"),
      key("Left", "Left"), typed("X"), key("Backspace", "C-h"), enter(), line("cat"),
      {"type abcd\ntapkey Backspace\ntapkey Backspace\ntype x\ntapkey Enter\n", {"=abcd", "C-h", "C-h", "=x", "Enter"}},
      ctrl('d'), line("tput clear"), line("ls /"), line("tput reset"), line("echo after")},
     {{11, 7, "abcd^H^Hx", "abx"}, {11, 8, "abxd", "abx"}, {12, 7, "abcd^H^Hx", "abx"}, {12, 8, "abxd", "abx"}}},
};

void PrintTo(Program const& p, std::ostream* out) { *out << p.name; }

// The program as the editor, with the shipped keyboards.
void configure(Sandbox const& sandbox, std::string const& command)
{
    std::string const program = sandbox.write_script("program.sh", command + "\nsleep 600\n");
    sandbox.write_config("editor: " + program + "\nkeyboard_file: " TARN_SOURCE_DIR "/data/tarn.kbd\n");
}

class Programs : public ::testing::TestWithParam<Program> {
protected:
    std::vector<std::string> tarn_screen(std::size_t step) const
    {
        Snapshot const shot = read_snapshot(scratch.path("out/" + std::to_string(step) + ".txt"));
        Terminal_Cell const cell = terminal_cell(24);
        return trimmed_rows(terminal_rows(shot, cell.width, cell.height, keyboard_top));
    }

    Sandbox scratch;
};

std::vector<std::string> as_on_a_vt102(std::vector<std::string> screen, std::vector<Vt102_Row> const& changes,
                                       std::size_t step)
{
    for (Vt102_Row const& change : changes) {
        if (change.step != static_cast<int>(step))
            continue;
        screen.resize(std::max(screen.size(), static_cast<std::size_t>(change.row) + 1));
        std::string& text = screen[static_cast<std::size_t>(change.row)];
        std::size_t const at = text.find(change.tmux_text);
        if (at != std::string::npos)
            text.replace(at, change.tmux_text.size(), change.vt102_text);
    }
    return trimmed_rows(screen);
}

}

TEST_P(Programs, ScreenIsTheSameAsInTmux)
{
    Program const& p = GetParam();
    scratch.write_file("notes.txt", "line one\nline two\n");
    configure(scratch, p.command);
    std::string events = "settle 600 10000\nsnapshot 0\n";
    for (std::size_t i = 0; i < p.steps.size(); ++i)
        events += p.steps[i].tarn_events + "settle 600 10000\nsnapshot " + std::to_string(i + 1) + "\n";
    scratch.write_file("events", events + "quit\n");
    std::string const screen = "TARN_HOST_SCREEN=" + std::to_string(screen_width) + "x" + std::to_string(screen_height);
    ASSERT_EQ(run_tarn(scratch.root(), "", 240, screen), 0) << read_file(scratch.path("errors"));

    // The notes as they were: nano in Tarn did not save them, but the same start for tmux.
    scratch.write_file("notes.txt", "line one\nline two\n");
    Tmux_Session tmux(scratch.root(), "HOME=" + scratch.root() + " LANG=en_US.utf8 TERM=vt102 ./program.sh", columns,
                      rows);
    for (std::size_t step = 0; step <= p.steps.size(); ++step) {
        if (step > 0)
            tmux.send(p.steps[step - 1].tmux_keys);
        EXPECT_EQ(tarn_screen(step), as_on_a_vt102(tmux.screen(), p.vt102_rows, step)) << "after step " << step;
    }
}

INSTANTIATE_TEST_SUITE_P(Vt102, Programs, ::testing::ValuesIn(programs),
                         [](::testing::TestParamInfo<Program> const& info) { return info.param.name; });

TEST(Vttest, RequestTerminalParametersAreAnsweredAsAVt102)
{
    // tmux does not answer DECREQTPARM: only the VT102's screen is held here.
    Sandbox scratch;
    configure(scratch, "vttest");
    scratch.write_file("events", "settle 600 10000\ntype 6\ntapkey Enter\nsettle 600 10000\ntype 7\ntapkey Enter\n"
                                 "settle 600 10000\nsnapshot 0\nquit\n");
    ASSERT_EQ(run_tarn(scratch.root(), "", 120, "TARN_HOST_SCREEN=1200x1000"), 0) << read_file(scratch.path("errors"));
    Terminal_Cell const cell = terminal_cell(24);
    auto const shown =
        trimmed_rows(terminal_rows(read_snapshot(scratch.path("out/0.txt")), cell.width, cell.height, keyboard_top));
    ASSERT_GT(shown.size(), 12u);
    EXPECT_EQ(shown[4], "Report is: <27> [ 2 ; 1 ; 1 ; 1 1 2 ; 1 1 2 ; 1 ; 0 x  -- OK");
    EXPECT_EQ(shown[12], "Report is: <27> [ 3 ; 1 ; 1 ; 1 1 2 ; 1 1 2 ; 1 ; 0 x  -- OK");
}
