#include "tools/DebugShapes.h"

#include <glm/gtc/matrix_transform.hpp>

#include <cmath>

namespace DebugShapes
{
namespace
{
constexpr float kPi = 3.1415927f;
constexpr float kTinyX = 0.000001f;
}

std::array<Bar, 4> BoxOutline(const Box& box)
{
    const glm::vec2 c = box.centre;
    const glm::vec2 half = box.size * 0.5f;
    const glm::vec3 horizontal(box.size.x, kBarThickness, 1.0f);
    const glm::vec3 vertical(kBarThickness, box.size.y, 1.0f);
    return {Bar{{c.x, c.y + half.y, kOutlineDepth}, horizontal}, Bar{{c.x, c.y - half.y, kOutlineDepth}, horizontal},
            Bar{{c.x + half.x, c.y, kOutlineDepth}, vertical}, Bar{{c.x - half.x, c.y, kOutlineDepth}, vertical}};
}

Box EmitterSpawnBox(const glm::vec3& entityPosition, const glm::vec3& offset, const glm::vec2& rangeX,
                    const glm::vec2& rangeY)
{
    const glm::vec2 size(std::fabs(rangeX.x) + rangeX.y, std::fabs(rangeY.x) + rangeY.y);
    const glm::vec2 shift((rangeX.y - std::fabs(rangeX.x)) * 0.5f, (rangeY.y - std::fabs(rangeY.x)) * 0.5f);
    const glm::vec2 centre(entityPosition.x + offset.x + shift.x, entityPosition.y + offset.y + shift.y);
    return Box{centre, size};
}

float VelocityBarLength(const glm::vec3& velocity)
{
    const float speed = std::sqrt(velocity.x * velocity.x + velocity.y * velocity.y);
    return 3.0f - 5.0f / (speed * 15.0f + 1.6666666f);
}

float VelocityBarAngle(const glm::vec3& velocity)
{
    const float x = velocity.x == 0.0f ? kTinyX : velocity.x;
    return std::atan(velocity.y / x) + (velocity.x < 0.0f ? kPi : 0.0f);
}

glm::mat4 VelocityBarModel(const glm::vec3& position, float length, float angle)
{
    glm::mat4 model = glm::translate(glm::mat4(1.0f), position);
    model = glm::rotate(model, angle, glm::vec3(0.0f, 0.0f, 1.0f));
    model = glm::translate(model, glm::vec3(length * 0.5f, 0.0f, 0.0f));
    return glm::scale(model, glm::vec3(length, kVelocityBarThickness, 1.0f));
}
}
