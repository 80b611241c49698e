// The whole program against faults from outside: a child killed by a signal
// or closing its terminal early, a flood of output while the user types, and
// configuration, keyboard and font files that cannot be used.
#include <gtest/gtest.h>

#include <sys/stat.h>

#include <cstdio>

#include "tests/faults/program_run.h"

namespace {

using Faults = Program_Run;

TEST_F(Faults, ChildKilledBySignalClosesTheProgram)
{
    for (char const* signal : {"KILL", "TERM"}) {
        SCOPED_TRACE(signal);
        use_editor(std::string("echo up; sleep 0.5; kill -") + signal + " $$; sleep 30\n");
        EXPECT_EQ(run("settle 300 5000\nsnapshot up\nwait 3000\nsnapshot never\n"), 0) << errors;
        EXPECT_TRUE(shot("up"));
        EXPECT_FALSE(shot("never")) << "still running after the child was killed";
        EXPECT_EQ(errors, "");
        std::remove(root.path("out/up.txt").c_str());
    }
}

TEST_F(Faults, ChildClosingItsTerminalEarlyIsWaitedForThenCloses)
{
    // Regression: the terminal's end (EIO) was taken for the child's, and the
    // program closed under a child still running.
    use_editor("echo up; exec 0<&- 1>&- 2>&-; sleep 4\n");
    EXPECT_EQ(run("settle 300 5000\nwait 800\ntype q\nsnapshot alive\nwait 8000\nsnapshot never\n"), 0) << errors;
    EXPECT_TRUE(shot("alive")) << "closed before the child ended";
    EXPECT_TRUE(shows("alive", "text 10 10 u"));
    EXPECT_FALSE(shot("never")) << "still running after the child ended";
}

// The child writes 10 MiB while it records every byte it reads; what was
// typed must all arrive, in order, and the screen must end up shown.
TEST_F(Faults, FloodOfOutputWhileTypingLosesNoKeystroke)
{
    std::string typed;
    std::string script = "settle 300 5000\n";
    for (int i = 0; i < 40; ++i) {
        std::string const word = "w" + std::to_string(i) + "q";
        typed += word;
        script += "type " + word + "\nwait 20\n";
    }
    // The last key lets the child end once its output is all written: the
    // program must then close, well before the long wait is over.
    script += "settle 500 60000\ncheck_panel\ntype z\nwait 90000\nsnapshot never\n";
    typed += "z";
    use_editor("stty raw -echo\n"
               "head -c 10485760 /dev/zero | tr '\\0' 'x' | fold -w 70 | sed 's/$/\\r/' &\n"
               "head -c " + std::to_string(typed.size()) + " > " + root.path("typed") + "\n"
               "wait\n");
    EXPECT_EQ(run(script, 100), 0) << errors;
    EXPECT_EQ(read_file(root.path("typed")), typed);
    EXPECT_FALSE(shot("never"));
    EXPECT_EQ(errors, "");
}

TEST_F(Faults, UnreadableConfigurationKeepsEveryDefaultSilently)
{
    // A folder opens but cannot be read, even by root.
    mkdir(root.path("system").c_str(), 0755);
    mkdir(root.path("system/config").c_str(), 0755);
    mkdir(root.path("system/config/tarn.cfg").c_str(), 0755);
    mkdir(root.path("system/bin").c_str(), 0755);
    root.write_script("system/bin/vim", "echo defaults; sleep 30\n");
    root.write_file("system/share/cobble/tarn.kbd", read_file(TARN_SOURCE_DIR "/data/tarn.kbd"));
    EXPECT_EQ(run("settle 300 5000\nsnapshot up\nquit\n"), 0) << errors;
    EXPECT_EQ(errors, "");
    EXPECT_TRUE(shows("up", "text 10 10 d"));
}

// Regression: a keyboard file that opened but could not be read (a folder)
// was reported as "No keyboards found in", hiding why.
TEST_F(Faults, UnreadableKeyboardFileEndsWithItsMessage)
{
    mkdir(root.path("keyboard.kbd").c_str(), 0755);
    use_editor("echo up; sleep 30\n", "keyboard_file: " + root.path("keyboard.kbd") + "\n");
    EXPECT_EQ(run("settle 300 5000\nsnapshot never\n"), 0);
    EXPECT_EQ(errors, "Can't open keyboard definition file '" + root.path("keyboard.kbd") + "'\n");
    EXPECT_FALSE(shot("never"));
}

// The reader's platform library may have no unwind tables: a start-up failure
// thrown through it aborted the program (status 134) without its message.
TEST_F(Faults, StartupFailureUnderAPlatformWithoutUnwindTablesIsReportedWithStatusZero)
{
    use_editor("echo up; sleep 30\n");
    EXPECT_EQ(run("quit\n", 60, "LD_LIBRARY_PATH=" TARN_NO_UNWIND_PLATFORM), 0) << errors;
    EXPECT_EQ(errors, "Can't open keyboard font 'DejaVuSansMono-Bold'\n");
}

TEST_F(Faults, MissingFontsAreReportedAndTheDefaultsUsed)
{
    use_editor("echo up; sleep 30\n", "keyboard_file:\nnormal_font: NoSuchFontAnywhere\nkbd_font: NoSuchKeyboardFont\n");
    EXPECT_EQ(run("settle 300 5000\ntype q\nsnapshot up\nquit\n"), 0);
    EXPECT_EQ(errors,
              "Can't use normal font 'NoSuchFontAnywhere' requested in configuartion file\n"
              "Can't use keyboard font 'NoSuchKeyboardFont' requested in configuartion file\n");
    EXPECT_TRUE(shows("up", "text 10 10 u"));
}

}
