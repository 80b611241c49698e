// A new layout with the grid the child already has: the child is told the
// same size and does not redraw, so what it showed must stay on screen.
#include <gtest/gtest.h>

#include "tests/faults/program_run.h"
#include "tests/support/snapshot_text.h"

namespace {

using Kept_Screen = Program_Run;

// The editor writes once and never again.
std::string const quiet_editor = "printf 'kept text\\r\\nsecond row'; sleep 30\n";

// Regression: turning to the other portrait or landscape orientation blanked
// the text for good, while the panel went on showing the old picture.
TEST_F(Kept_Screen, RotationToAnOrientationOfTheSameShapeKeepsTheText)
{
    use_editor(quiet_editor);
    EXPECT_EQ(run("settle 300 5000\n"
                  "press 300 300\nlong 300 300\nmenu 2\nrotate 3\nrelease 300 300\nsettle\nsnapshot upside_down\n"
                  "press 300 300\nlong 300 300\nmenu 2\nrotate 3\nrelease 300 300\nsettle\nsnapshot again\nquit\n"),
              0)
        << errors;
    for (char const* name : {"upside_down", "again"}) {
        SCOPED_TRACE(name);
        Snapshot const shot = read_snapshot(root.path(std::string("out/") + name + ".txt"));
        EXPECT_EQ(shot.orientation, 3);
        EXPECT_EQ(shot.stale, 0);
        EXPECT_TRUE(shows(name, "text 10 10 k"));
    }
}

// Regression: a font size change refused at the largest size blanked the
// text for good.
TEST_F(Kept_Screen, FontSizeChangeRefusedAtTheLimitKeepsTheText)
{
    use_editor(quiet_editor, "keyboard_file:\nfont_size: 72\n");
    EXPECT_EQ(run("settle 300 5000\nkey 25 1\nsettle\nsnapshot larger\nquit\n"), 0) << errors;
    Snapshot const shot = read_snapshot(root.path("out/larger.txt"));
    EXPECT_EQ(shot.stale, 0);
    EXPECT_TRUE(shows("larger", "text 10 10 k"));
}

}
