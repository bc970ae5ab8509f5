#pragma once
// A player who knows the controls, on whichever device its hands hold: steers by where the
// body would come to rest, so that it lands where it means to despite the floaty air control,
// and jumps, dashes, throws, teleports and rides as a level asks.

#include <glm/glm.hpp>

class Entity;

namespace test
{
class GameRig;
class PilotControls;

class Pilot
{
public:
    Pilot(GameRig& rig, PilotControls& controls) : rig(rig), controls(controls) {}

    void steer(float x);
    void stop();
    bool runTo(float x, int budget = 1500);
    bool land(int budget = 600);
    // Settles for a few steps (a landing body still sinks into what it landed on), jumps,
    // steers towards x in the air and returns once standing again.
    bool jumpTo(float x);
    bool dashFrom(float x);
    // Aims at a world point, throws, waits for the package to come to rest and teleports to it.
    bool throwAndTeleport(const glm::vec3& target);
    // Throws at an angle above the ground, in degrees to the right, and teleports.
    bool throwAtAngle(float degrees);
    // Rides the lift under the player until the feet are above height y, then steps off to x.
    bool rideUpTo(float y, float x);
    // Stands on the moving platform under the player until it has carried the player past x.
    bool rideUntil(float x, int budget = 1500);
    bool waitForRespawn();
    // Waits for the wipe to end and the player's controls to come back.
    bool waitForControls(int budget = 2000);

private:
    glm::vec3 packagePosition() const;
    bool waitForPackageToRest();
    Entity* platformUnderPlayer() const;

    GameRig& rig;
    PilotControls& controls;
};
}
