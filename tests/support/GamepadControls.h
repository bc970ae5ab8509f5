#pragma once
// The pilot's hands on a gamepad in the standard mapping: the left stick to run, A to jump,
// X to dash, the right bumper held with the right stick pointing to aim and let go to throw,
// Y to teleport. The pad is plugged in as joystick 0 under the given name, which decides its
// family; its triggers rest at -1 as real ones do.

#include "support/PilotControls.h"

#include <cstdint>
#include <string>

namespace test
{
class GameRig;

class GamepadControls : public PilotControls
{
public:
    static constexpr int32_t kPad = 0;
    static constexpr int32_t kButtonA = 0;
    static constexpr int32_t kButtonX = 2;
    static constexpr int32_t kButtonY = 3;
    static constexpr int32_t kRightBumper = 5;
    static constexpr int32_t kStart = 7;
    static constexpr int32_t kLeftX = 0;
    static constexpr int32_t kRightX = 2;
    static constexpr int32_t kRightY = 3;
    static constexpr int32_t kLeftTrigger = 4;
    static constexpr int32_t kRightTrigger = 5;

    GamepadControls(GameRig& rig, const std::string& padName);

    void holdRight() override;
    void holdLeft() override;
    void letGoOfDirections() override;
    void tapJump() override;
    void tapDash() override;
    void tapTeleport() override;
    void aimAt(const glm::vec3& from, const glm::vec3& target) override;
    void throwNow() override;

    // Holds the button for one step, then lets go for one.
    void tapButton(int32_t button);

private:
    GameRig& rig;
};
}
