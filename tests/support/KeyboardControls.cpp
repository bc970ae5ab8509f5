#include "support/KeyboardControls.h"

#include "support/GameRig.h"

namespace test
{
void KeyboardControls::holdRight()
{
    rig.press(kKeyRight);
}

void KeyboardControls::holdLeft()
{
    rig.press(kKeyLeft);
}

void KeyboardControls::letGoOfDirections()
{
    rig.release(kKeyRight);
    rig.release(kKeyLeft);
}

void KeyboardControls::tapJump()
{
    rig.tap(kKeySpace);
}

void KeyboardControls::tapDash()
{
    rig.tap(kKeyShift);
}

void KeyboardControls::tapTeleport()
{
    rig.tap(kKeyE);
}

void KeyboardControls::aimAt(const glm::vec3&, const glm::vec3& target)
{
    rig.pointAt(target);
    rig.pressMouse(kMouseRight);
}

void KeyboardControls::throwNow()
{
    rig.releaseMouse(kMouseRight);
    rig.step();
}
}
