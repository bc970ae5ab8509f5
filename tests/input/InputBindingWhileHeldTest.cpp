#include "input/InputSystem.h"

#include "input/InputTestSupport.h"

#include <gtest/gtest.h>

using inputtest::CountCalls;
using inputtest::RecordA;

namespace
{
class InputBindingWhileHeldTest : public inputtest::InputFixture
{
};

constexpr InputCode kSpace = 32;
}

// The key that skips the last splash logo must not also dismiss the opening comic that the
// play state binds to it in the next step.
TEST_F(InputBindingWhileHeldTest, BindingAddedWhileHeldWaitsForReleaseAndAFreshPress)
{
    const TriggerType triggers[] = {OnPress, OnRelease, OnHold};
    for (TriggerType trigger : triggers)
    {
        inputtest::gCalls.clear();
        const std::string action = "Late" + std::to_string(trigger);
        device.press(kSpace);
        step();
        input.addBinding(action, kSpace, trigger, RecordA);
        step(3);
        EXPECT_EQ(CountCalls("A"), 0u) << "held through the binding, trigger " << trigger;
        device.release(kSpace);
        step();
        EXPECT_EQ(CountCalls("A"), 0u) << "the first release only arms it, trigger " << trigger;
        device.press(kSpace);
        step();
        device.release(kSpace);
        step();
        EXPECT_EQ(CountCalls("A"), 1u) << "a fresh press and release fires once, trigger " << trigger;
        input.disableAction(action);
    }
}

TEST_F(InputBindingWhileHeldTest, BindingAddedWhileReleasedFiresOnTheNextPress)
{
    input.addBinding("Fresh", kSpace, OnPress, RecordA);
    device.press(kSpace);
    step();
    EXPECT_EQ(CountCalls("A"), 1u);
}

TEST_F(InputBindingWhileHeldTest, GamepadButtonHeldAtBindingTimeIsIgnoredToo)
{
    device.plugPad(0, "Xbox Controller").state.buttons[0] = true;
    step();
    input.addBinding("LatePad", InputCodes::kGamepadA, OnPress, RecordA);
    step(2);
    EXPECT_EQ(CountCalls("A"), 0u);
    device.setPadButton(0, 0, false);
    step();
    device.setPadButton(0, 0, true);
    step();
    EXPECT_EQ(CountCalls("A"), 1u);
}
