#pragma once
// Follows a level step by step: the spawn points the player takes, in order, whether a cheat
// was ever on, and how many steps the level took.

#include <glm/glm.hpp>

#include <vector>

namespace test
{
class GameRig;

class RouteWatch
{
public:
    explicit RouteWatch(GameRig& rig) : rig(rig) {}

    void start();
    // Before the first level starts there is nothing to follow.
    void step();
    // The x of every checkpoint taken since the start, in the order taken.
    std::vector<float> taken() const;
    // The x of every checkpoint of the level, in route order (the routes run left to right).
    static std::vector<float> levelCheckpoints();

    bool cheated = false;
    int steps = 0;

private:
    glm::vec3 spawnPoint() const;

    GameRig& rig;
    std::vector<glm::vec3> spawns;
};
}
