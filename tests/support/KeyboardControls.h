#pragma once
// The pilot's hands on the keyboard and mouse: arrows to run, space to jump, shift to dash,
// the right mouse button held over the target to aim and let go to throw, E to teleport.

#include "support/PilotControls.h"

namespace test
{
class GameRig;

class KeyboardControls : public PilotControls
{
public:
    static constexpr int32_t kKeyRight = 262;
    static constexpr int32_t kKeyLeft = 263;
    static constexpr int32_t kKeySpace = 32;
    static constexpr int32_t kKeyShift = 340;
    static constexpr int32_t kKeyEscape = 256;
    static constexpr int32_t kKeyE = 69;
    static constexpr int32_t kMouseLeft = 0;
    static constexpr int32_t kMouseRight = 1;

    explicit KeyboardControls(GameRig& rig) : rig(rig) {}

    void holdRight() override;
    void holdLeft() override;
    void letGoOfDirections() override;
    void tapJump() override;
    void tapDash() override;
    void tapTeleport() override;
    void aimAt(const glm::vec3& from, const glm::vec3& target) override;
    void throwNow() override;

private:
    GameRig& rig;
};
}
