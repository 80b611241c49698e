// A Keyboard_Handler on the stand-in's 600 x 800 screen in front of the
// recording Messenger, with keyboard files written to a temporary folder and
// helpers that find keys by their text and tap them where they are drawn.
#pragma once

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "config/config.h"
#include "host/host.h"
#include "keyboard/keyboard_handler.h"
#include "tests/support/fake_messenger.h"
#include "tests/support/sandbox.h"

class Keyboard_Test : public ::testing::Test {
protected:
    Keyboard_Test();

    // Builds the handler from the configuration as it stands.
    Keyboard_Handler& load();
    Keyboard_Handler& load_builtin();
    Keyboard_Handler& load_text(std::string const& file_text);
    Keyboard_Handler& load_shipped();
    // The message of the exception that construction from this text throws.
    std::string error_for(std::string const& file_text);

    Keyboard const& shown() const;
    // The first key of the shown layout producing text (a marker for shift and ctrl).
    Kbd_Button const& key(std::string const& text) const;
    void tap(std::string const& text);
    void tap_at(int x, int y);

    static std::vector<unsigned char> pixels(Rect const& area);

    Sandbox sandbox;
    Config config{sandbox.path("missing.cfg")};
    Messenger messenger{0, nullptr};
    std::unique_ptr<Keyboard_Handler> handler;
};

// Whether the key shows inverted: a pixel inside its corner, white on a plain key, is black.
bool highlighted(Kbd_Button const& key);
