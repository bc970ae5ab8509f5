#pragma once
// The box test of one pair of entities: position plus or minus half the scale in x and y;
// entities more than 0.5 apart in z never touch. Findings go into a's collider (and a's
// carried motion on a landing); b is only read.

#include <cstdint>

class Entity;

enum CollisionResult : int32_t
{
    COLLISION_OVERLAP = -1,
    COLLISION_NONE = 0,
    COLLISION_UP = 1,
    COLLISION_RIGHT = 2,
    COLLISION_DOWN = 3,
    COLLISION_LEFT = 4,
};

class TransformComp;

CollisionResult TestCollision(Entity* a, Entity* b);

// Whether TestCollision of these two transforms can find anything but None: the same depth
// layer and overlapping boxes. A cheap test to run before the full one.
bool BoxesOverlap(const TransformComp& a, const TransformComp& b);
