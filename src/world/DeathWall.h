#pragma once
// When the player touches the trigger that holds it, starts the level's death wall: the first
// active entity flagged "deathwall", a moving platform that then chases along its waypoints.

#include "world/Behavior.h"

class DeathWall : public Behavior
{
public:
    // The trigger key in the archetype file and the name the trigger holds it under.
    static constexpr const char* kName = "DeathWall";

    void update(Entity*) override {}
    void onTrigger(Entity* owner, Entity* other) override;

    bool isEnabled() const { return enabled; }

private:
    bool enabled = true;
};

class DeathWallNull : public DeathWall
{
public:
    static DeathWallNull* instance();
    void onTrigger(Entity*, Entity*) override {}
};
