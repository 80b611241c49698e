// Rotation_Handler: the chooser's answer reaches the Messenger through the
// plain function the platform calls back.
#include <gtest/gtest.h>

#include <memory>

#include "host/host.h"
#include "input/rotation_handler.h"
#include "tests/support/fake_messenger.h"

namespace {

class RotationHandler : public ::testing::Test {
protected:
    RotationHandler()
    {
        host::reset();
        fake::reset();
    }
    Messenger messenger{0, nullptr};
};

TEST_F(RotationHandler, ChosenOrientationIsPassedOn)
{
    Rotation_Handler rotation(messenger);
    rotation.show();
    ASSERT_TRUE(host::rotate_box_open());
    host::answer_rotate_box(3);
    EXPECT_EQ(std::vector<int>{3}, fake::log().orientations);
    rotation.show();
    host::answer_rotate_box(0);
    EXPECT_EQ((std::vector<int>{3, 0}), fake::log().orientations);
}

// A chooser answer outside 0 to 3 reached SetOrientation.
TEST_F(RotationHandler, AnswerOutsideTheFourOrientationsChangesNothing)
{
    Rotation_Handler rotation(messenger);
    rotation.show();
    host::answer_rotate_box(-1);
    Rotation_Handler::static_rotation_handler(4);
    EXPECT_TRUE(fake::log().sent.empty());
}

TEST_F(RotationHandler, AnswerAfterTeardownIsIgnored)
{
    auto rotation = std::make_unique<Rotation_Handler>(messenger);
    EXPECT_EQ(rotation.get(), Rotation_Handler::s_handling_rotation);
    rotation.reset();
    Rotation_Handler::static_rotation_handler(1);
    EXPECT_TRUE(fake::log().sent.empty());
}

}
