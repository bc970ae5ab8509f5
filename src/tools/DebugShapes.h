#pragma once
// The geometry of the debug outlines, as pure functions: the four bars of a box outline, the
// spawn box of an emitter, and the velocity bar (a bar from the body along its velocity,
// about 0 long at rest and approaching 3 units for fast bodies).

#include <glm/glm.hpp>

#include <array>

namespace DebugShapes
{
// Outlines lie in front of the world; the velocity bar just in front of its body.
constexpr float kOutlineDepth = 1.0f;
constexpr float kVelocityBarLift = 0.01f;
constexpr float kBarThickness = 0.03f;
constexpr float kVelocityBarThickness = 0.3f;

struct Bar
{
    glm::vec3 position{0.0f};
    glm::vec3 scale{1.0f};
};

struct Box
{
    glm::vec2 centre{0.0f};
    glm::vec2 size{0.0f};
};

// Top, bottom, right, left.
std::array<Bar, 4> BoxOutline(const Box& box);
// The spawn box of an emitter: a lower bound spans |lower| below the entity plus offset.
Box EmitterSpawnBox(const glm::vec3& entityPosition, const glm::vec3& offset, const glm::vec2& rangeX,
                    const glm::vec2& rangeY);
float VelocityBarLength(const glm::vec3& velocity);
// Radians; straight up or down when x is exactly 0, pointing left for negative x.
float VelocityBarAngle(const glm::vec3& velocity);
// A unit quad centred on the origin becomes a bar that starts at `position`.
glm::mat4 VelocityBarModel(const glm::vec3& position, float length, float angle);
}
