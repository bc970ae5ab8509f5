#include "support/GamepadControls.h"

#include "support/GameRig.h"

namespace test
{
GamepadControls::GamepadControls(GameRig& rig, const std::string& padName) : rig(rig)
{
    rig.device.plugPad(kPad, padName);
    rig.device.setPadAxis(kPad, kLeftTrigger, -1.0f);
    rig.device.setPadAxis(kPad, kRightTrigger, -1.0f);
}

void GamepadControls::holdRight()
{
    rig.device.setPadAxis(kPad, kLeftX, 1.0f);
}

void GamepadControls::holdLeft()
{
    rig.device.setPadAxis(kPad, kLeftX, -1.0f);
}

void GamepadControls::letGoOfDirections()
{
    rig.device.setPadAxis(kPad, kLeftX, 0.0f);
}

void GamepadControls::tapJump()
{
    tapButton(kButtonA);
}

void GamepadControls::tapDash()
{
    tapButton(kButtonX);
}

void GamepadControls::tapTeleport()
{
    tapButton(kButtonY);
}

// A stick's y axis points down.
void GamepadControls::aimAt(const glm::vec3& from, const glm::vec3& target)
{
    const glm::vec3 direction = glm::normalize(target - from);
    rig.device.setPadAxis(kPad, kRightX, direction.x);
    rig.device.setPadAxis(kPad, kRightY, -direction.y);
    rig.device.setPadButton(kPad, kRightBumper, true);
}

// The thumb stays on the stick until the throw is away.
void GamepadControls::throwNow()
{
    rig.device.setPadButton(kPad, kRightBumper, false);
    rig.step();
    rig.device.setPadAxis(kPad, kRightX, 0.0f);
    rig.device.setPadAxis(kPad, kRightY, 0.0f);
}

void GamepadControls::tapButton(int32_t button)
{
    rig.device.setPadButton(kPad, button, true);
    rig.step();
    rig.device.setPadButton(kPad, button, false);
    rig.step();
}
}
