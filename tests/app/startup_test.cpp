// The environment prepared for the editor before the platform's loop starts,
// and main's report of a fatal start-up failure.
#include <gtest/gtest.h>

#include <clocale>
#include <cstdlib>
#include <string>

#include "app/application.h"
#include "platform/paths.h"

namespace {

std::string env(char const* name)
{
    char const* value = std::getenv(name);
    return value ? value : "<unset>";
}

}

TEST(Startup, HomeUnsetOrRootBecomesTheEditorsHome)
{
    unsetenv("HOME");
    application::prepare_environment();
    EXPECT_EQ(env("HOME"), paths::vim_home());

    setenv("HOME", "/", 1);
    application::prepare_environment();
    EXPECT_EQ(env("HOME"), paths::vim_home());
}

TEST(Startup, OtherHomeStays)
{
    setenv("HOME", "/home/reader", 1);
    application::prepare_environment();
    EXPECT_EQ(env("HOME"), "/home/reader");
}

TEST(Startup, EditorVariablesAreSetOnlyWhenMissing)
{
    unsetenv("LANG");
    unsetenv("VIM");
    setenv("VIMRUNTIME", "/opt/vim/runtime", 1);
    application::prepare_environment();
    EXPECT_EQ(env("LANG"), "en_US.utf8");
    EXPECT_EQ(env("VIM"), paths::vim_etc());
    EXPECT_EQ(env("VIMRUNTIME"), "/opt/vim/runtime");

    setenv("LANG", "de_DE.utf8", 1);
    application::prepare_environment();
    EXPECT_EQ(env("LANG"), "de_DE.utf8");
}

TEST(Startup, CharacterTypeIsUtf8WhateverLcTypeSays)
{
    // Regression: with LC_TYPE set at all the program stayed in the C locale
    // and every character the editor wrote outside ASCII vanished.
    struct Case {
        char const* lc_type;
        char const* locale;
    } const cases[] = {
        {nullptr, "en_US.utf8"},
        {"anything", "en_US.utf8"},
        {"C", "en_US.utf8"},
        {"C.UTF-8", "C.UTF-8"},
    };
    for (Case const& c : cases) {
        std::setlocale(LC_CTYPE, "C");
        if (c.lc_type)
            setenv("LC_TYPE", c.lc_type, 1);
        else
            unsetenv("LC_TYPE");
        application::prepare_environment();
        EXPECT_STREQ(std::setlocale(LC_CTYPE, nullptr), c.locale) << (c.lc_type ? c.lc_type : "unset");
    }
}
