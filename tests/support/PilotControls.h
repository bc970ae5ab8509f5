#pragma once
// The hands of a scripted player: what the pilot does with the controls, whichever device
// they are on. Each device's version holds and lets go of its own keys, buttons and sticks.

#include <glm/glm.hpp>

namespace test
{
class PilotControls
{
public:
    virtual ~PilotControls() = default;
    virtual void holdRight() = 0;
    virtual void holdLeft() = 0;
    // Lets go of both directions.
    virtual void letGoOfDirections() = 0;
    // Each tap holds its control for one step and lets go for one.
    virtual void tapJump() = 0;
    virtual void tapDash() = 0;
    virtual void tapTeleport() = 0;
    // Holds the aim control pointing from the player's position at a world point.
    virtual void aimAt(const glm::vec3& from, const glm::vec3& target) = 0;
    // Lets go of the aim control, which throws, and steps once.
    virtual void throwNow() = 0;
};
}
