// The functions the platform calls back let no exception out: a failure
// inside is reported on standard error and the platform is asked to close,
// since unwinding through the platform's library may abort the program.
#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <stdexcept>
#include <string>

#include "app/tarn_exception.h"
#include "config/config.h"
#include "host/host.h"
#include "input/menu_handler.h"
#include "input/rotation_handler.h"
#include "platform/callback_guard.h"
#include "terminal/display.h"
#include "tests/support/fake_messenger.h"

namespace {

class CallbackBoundary : public ::testing::Test {
protected:
    CallbackBoundary()
    {
        host::reset();
        fake::reset();
    }
    Messenger messenger{0, nullptr};
};

TEST_F(CallbackBoundary, AFailureInsideACallbackIsReportedAndClosesTheProgram)
{
    Config const config("/nonexistent/tarn.cfg");
    Display display(messenger, config, 300);
    Menu_Handler menu(messenger);
    Rotation_Handler rotation(messenger);
    struct Case {
        char const* callback;
        char const* failing_send;
        std::function<void()> call_back;
    };
    Case const cases[] = {
        {"timer", "Get_Text", [&] {
             display.start_timer();
             host::fire_timers();
         }},
        {"menu choice", "Suspend_Display(0)", [&] {
             menu.show(300, 300);
             host::answer_menu(3);
         }},
        {"rotation choice", "Set_Orientation(1)", [&] {
             rotation.show();
             host::answer_rotate_box(1);
         }},
    };
    for (Case const& c : cases) {
        SCOPED_TRACE(c.callback);
        host::reset();
        fake::reset();
        fake::log().fail_on = c.failing_send;
        ::testing::internal::CaptureStderr();
        EXPECT_NO_THROW(c.call_back());
        std::string const errors = ::testing::internal::GetCapturedStderr();
        EXPECT_EQ(errors, std::string(c.failing_send) + " failed\n");
        EXPECT_TRUE(host::close_requested());
    }
}

TEST_F(CallbackBoundary, EveryKindOfFailureIsNamedAndAnsweredNeutrally)
{
    struct Case {
        std::function<void()> fail;
        char const* report;
    };
    Case const cases[] = {
        {[] {}, ""},
        {[] { throw Tarn_Exception("Can't open keyboard font 'X'"); }, "Can't open keyboard font 'X'\n"},
        {[] { throw std::out_of_range("vector"); }, "Unexpected error: vector\n"},
        {[] { throw 3; }, "Unexpected error of an unknown kind\n"},
    };
    for (Case const& c : cases) {
        SCOPED_TRACE(c.report);
        host::reset();
        ::testing::internal::CaptureStderr();
        int const answer = callback_guard::run(
            [&] {
                c.fail();
                return 1;
            },
            0);
        EXPECT_EQ(::testing::internal::GetCapturedStderr(), c.report);
        bool const failed = *c.report != '\0';
        EXPECT_EQ(answer, failed ? 0 : 1);
        EXPECT_EQ(host::close_requested(), failed);
    }
}

}
