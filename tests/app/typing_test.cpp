// The stand-in's typing on the on-screen keyboard, which event scripts and the
// window share, in the whole program with the shipped keyboards and a child
// that keeps every byte it gets: each key is found on the layout shown, the
// other layout or another keyboard, and the keyboard is left as it was.
#include <gtest/gtest.h>

#include <unistd.h>

#include <chrono>
#include <string>
#include <thread>

#include "app/application.h"
#include "host/host.h"
#include "host/keyboard_typing.h"
#include "host/main_loop.h"
#include "host/onscreen_keys.h"
#include "platform/inkview.h"
#include "tests/support/read_file.h"
#include "tests/support/sandbox.h"

namespace {

struct Typing : ::testing::Test {
    Sandbox sandbox;
    std::string received;

    void SetUp() override
    {
        host::reset();
        std::string const child = sandbox.write_script("keep.sh", "stty raw -echo\nexec cat > \"$0.bytes\"\n");
        received = child + ".bytes";
        sandbox.write_config("editor: " + child + "\nkeyboard_file: " TARN_SOURCE_DIR "/data/tarn.kbd\n");
        ASSERT_EQ(application::event_function(EVT_INIT, 0, 0), 1);
        application::event_function(EVT_SHOW, 0, 0);
        // The file appears once the terminal is raw: from then on every byte counts.
        for (int i = 0; i < 200 && access(received.c_str(), F_OK) != 0; ++i)
            std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    void TearDown() override { application::event_function(EVT_EXIT, 0, 0); }

    // What the child got, once it is as long as expected (two seconds at most).
    std::string bytes(std::size_t expected)
    {
        for (int i = 0; i < 200 && read_file(received).size() < expected; ++i)
            std::this_thread::sleep_for(std::chrono::milliseconds(10));
        return read_file(received);
    }
};

}

TEST_F(Typing, EveryKeyIsReachedAndTheKeyboardShownStays)
{
    struct Key {
        char const* name;
        bool ctrl;
        char const* sent;
    } const keys[] = {
        {"q", false, "q"},         {"Q", false, "Q"},         // the shifted layout, and back
        {"c", true, "\x03"},       {"C", true, "\x03"},       // ctrl after shift, which drops it
        {"Space", false, " "},     {"Enter", false, "\r"},    {"Backspace", false, "\x08"},
        {"Tab", false, "\t"},      {"Up", false, "\x1B[A"},   // from "Symbols", and back
        {"й", false, "й"},         {"Ж", false, "Ж"},         // from "Русский", shifted
        {"%", false, "%"},
    };
    host::detail::Loop loop(application::event_function);
    std::string expected;
    for (Key const& key : keys) {
        EXPECT_TRUE(host::detail::type_key(loop, key.name, key.ctrl)) << key.name;
        expected += key.sent;
        // The English keyboard's normal layout, as before each key.
        EXPECT_TRUE(host::detail::find_key("q")) << key.name;
        EXPECT_TRUE(host::detail::find_key("'")) << key.name;
    }
    // No keyboard has it: nothing is sent, and nothing changes.
    EXPECT_FALSE(host::detail::type_key(loop, "€"));
    EXPECT_TRUE(host::detail::find_key("q"));
    EXPECT_FALSE(host::menu_open());
    EXPECT_EQ(bytes(expected.size()), expected);
}
