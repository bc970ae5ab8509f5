#include "world/TransformComp.h"

#include <cmath>
#include <iostream>

namespace
{
constexpr float kDegreesToRadians = 0.017453292f;
constexpr float kUnitAxisTolerance = 0.001f;
constexpr float kRenderMoveThreshold = 0.001f;

void PrintXY(const glm::vec3& v)
{
    std::cout << v.x << ", " << v.y << "\n";
}
}

TransformComp::TransformComp() = default;

TransformComp::TransformComp(const TransformComp& other)
    : Component(other),
      position(other.position),
      renderPosition(other.renderPosition),
      previousPosition(other.previousPosition),
      scale(other.scale),
      rotation(other.rotation),
      useRenderPosition(other.useRenderPosition)
{
}

TransformComp& TransformComp::operator=(const TransformComp& other)
{
    position = other.position;
    renderPosition = other.renderPosition;
    previousPosition = other.previousPosition;
    scale = other.scale;
    rotation = other.rotation;
    useRenderPosition = other.useRenderPosition;
    dirty = true;
    return *this;
}

Component* TransformComp::clone() const
{
    auto* copy = new TransformComp(*this);
    copy->modelMatrix = modelMatrix;
    copy->dirty = dirty;
    return copy;
}

void TransformComp::debugPrint() const
{
    std::cout << "Testing TransformComp: \n";
    PrintXY(position);
    PrintXY(previousPosition);
    PrintXY(scale);
    const glm::mat4 matrix = buildModelMatrix();
    for (int column = 0; column < 4; ++column)
        std::cout << matrix[column][0] << ", " << matrix[column][1] << ", " << matrix[column][2] << ", "
                  << matrix[column][3] << "\n";
}

TransformComp TransformComp::compose(const TransformComp& other) const
{
    TransformComp result;
    result.position = position + other.position;
    const glm::vec3 mine = useRenderPosition ? renderPosition : position;
    const glm::vec3 theirs = other.useRenderPosition ? other.renderPosition : other.position;
    result.renderPosition = mine + theirs;
    result.useRenderPosition = useRenderPosition || other.useRenderPosition;
    result.previousPosition = previousPosition + other.previousPosition;
    result.scale = scale * other.scale;
    result.rotation = rotation * other.rotation;
    return result;
}

void TransformComp::setPosition(const glm::vec3& value)
{
    previousPosition = position;
    position = value;
    dirty = true;
}

void TransformComp::setPosition(float x, float y, float z)
{
    setPosition(glm::vec3(x, y, z));
}

void TransformComp::setScale(const glm::vec3& value)
{
    scale = value;
    dirty = true;
}

void TransformComp::setScale(float x, float y, float z)
{
    setScale(glm::vec3(x, y, z));
}

void TransformComp::setRotation(const glm::quat& value)
{
    rotation = value;
    dirty = true;
}

void TransformComp::setRotation(const glm::vec3& eulerRadians)
{
    setRotation(glm::quat(eulerRadians));
}

void TransformComp::rotate(glm::vec3 axis, float degrees)
{
    const float length = glm::length(axis);
    // A zero axis names no direction: normalising it would fill the rotation with NaNs.
    if (length == 0.0f || !std::isfinite(length))
        return;
    if (std::fabs(length - 1.0f) > kUnitAxisTolerance)
        axis /= length;
    const float half = degrees * kDegreesToRadians * 0.5f;
    const glm::vec3 xyz = axis * std::sin(half);
    rotation = rotation * glm::quat(std::cos(half), xyz.x, xyz.y, xyz.z);
    dirty = true;
}

// Translate, rotate, scale: the columns of T x R scaled by the three scale components.
glm::mat4 TransformComp::buildModelMatrix() const
{
    const glm::vec3 origin = useRenderPosition ? renderPosition : position;
    glm::mat4 matrix = glm::mat4_cast(rotation);
    matrix[3] = glm::vec4(origin, 1.0f);
    matrix[0] *= scale.x;
    matrix[1] *= scale.y;
    matrix[2] *= scale.z;
    return matrix;
}

// Rebuilt on every call so that any change of the fields, however small, shows.
glm::mat4 TransformComp::getModelMatrix()
{
    modelMatrix = buildModelMatrix();
    return modelMatrix;
}

void TransformComp::setPreviousPosition(const glm::vec3& value)
{
    previousPosition = value;
}

void TransformComp::setPreviousPosition(float x, float y, float z)
{
    previousPosition = glm::vec3(x, y, z);
}

void TransformComp::lerpRenderPosition(float t)
{
    const glm::vec3 d = position - renderPosition;
    renderPosition += d * t;
    if (d.x + d.y + d.z > kRenderMoveThreshold)
        dirty = true;
}

TransformCompNull* TransformCompNull::instance()
{
    static TransformCompNull null;
    return &null;
}
