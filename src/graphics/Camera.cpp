#include "graphics/Camera.h"

#include <glm/gtc/matrix_transform.hpp>
#include <glm/gtc/quaternion.hpp>

#include <algorithm>
#include <cmath>

namespace
{
constexpr float kHalfPi = 1.5707964f;
constexpr float kPi = 3.1415927f;
constexpr float kTwoPi = 6.2831855f;
}

void Camera::setPosition(const glm::vec3& position)
{
    viewDirty = true;
    transform.setPosition(position);
}

void Camera::move(const glm::vec3& delta)
{
    viewDirty = true;
    transform.setPosition(transform.getPosition() + delta);
}

void Camera::setRotation(const glm::vec3& angles)
{
    viewDirty = true;
    if (viewMode == ViewMode::Quaternion)
        transform.setRotation(angles);
    else if (viewMode == ViewMode::Euler)
        eulerAngles = angles;
}

void Camera::rotate(const glm::vec3& axis, float degrees)
{
    const float angle = degrees * kDegreesToRadians;
    viewDirty = true;
    if (viewMode == ViewMode::Quaternion)
    {
        const glm::vec3 xyz = std::sin(angle / 2.0f) * axis;
        glm::quat turn(std::cos(angle / 2.0f), xyz.x, xyz.y, xyz.z);
        const float length = glm::length(turn);
        turn = length > 0.0f ? turn / length : glm::quat(1.0f, 0.0f, 0.0f, 0.0f);
        transform.setRotation(turn * transform.getRotation());
    }
    else if (viewMode == ViewMode::Euler)
    {
        const float length = glm::length(axis);
        if (length == 0.0f)
            return;
        const glm::vec3 n = axis / length;
        eulerAngles.x = std::clamp(eulerAngles.x + n.x * angle, -kHalfPi, kHalfPi);
        eulerAngles.y += n.y * angle;
        eulerAngles.z += n.z * angle;
    }
}

void Camera::setSize(float newWidth, float newHeight)
{
    if (newWidth == width && newHeight == height)
        return;
    projectionDirty = true;
    width = std::max(newWidth, 1.0f);
    height = std::max(newHeight, 1.0f);
}

void Camera::setFarPlane(float value)
{
    farPlane = value;
    projectionDirty = true;
}

void Camera::setProjectionMode(uint32_t mode)
{
    projectionMode = mode;
    projectionDirty = true;
}

void Camera::setViewMode(uint32_t mode)
{
    viewDirty = true;
    if (viewMode == ViewMode::Quaternion)
        storeEulerAnglesFromRotation();
    else if (viewMode == ViewMode::Euler)
        transform.setRotation(eulerAngles);
    viewMode = mode;
}

// Brings the quaternion's angles into the ranges Euler mode works in: pitch within a quarter
// turn of level, yaw in [0, 2 pi), no roll.
void Camera::storeEulerAnglesFromRotation()
{
    glm::vec3 angles = glm::eulerAngles(transform.getRotation());
    float& pitch = angles.x;
    float& yaw = angles.y;
    if (std::abs(angles.z) >= kHalfPi)
    {
        pitch += kPi;
        yaw = kPi - yaw;
    }
    pitch = std::fmod(pitch, kTwoPi);
    if (pitch > kHalfPi || pitch < -kHalfPi)
        pitch = std::abs(pitch - kHalfPi) > std::abs(pitch + kHalfPi) ? pitch + kTwoPi : pitch - kTwoPi;
    yaw = std::fmod(yaw, kTwoPi);
    if (yaw < 0.0f)
        yaw += kTwoPi;
    angles.z = 0.0f;
    eulerAngles = angles;
}

bool Camera::buildProjection(glm::mat4& out) const
{
    switch (projectionMode)
    {
    case ProjectionMode::Screen:
        out = glm::ortho(0.0f, width, height, 0.0f, -1.0f, 1.0f);
        return true;
    case ProjectionMode::Orthographic:
    {
        const float w = width / 1000.0f * 10.0f;
        const float h = height / 1000.0f * 10.0f;
        out = glm::ortho(-w, w, -h, h, -farPlane, farPlane);
        return true;
    }
    case ProjectionMode::Perspective:
        out = glm::perspective(fov * kDegreesToRadians, width / height, kNearPlane, farPlane);
        return true;
    default:
        return false;
    }
}

bool Camera::buildView(glm::mat4& out) const
{
    const glm::mat4 toCamera = glm::translate(glm::mat4(1.0f), -transform.getPosition());
    switch (viewMode)
    {
    case ViewMode::Quaternion:
        out = glm::mat4_cast(transform.getRotation()) * toCamera;
        return true;
    case ViewMode::Euler:
    {
        glm::mat4 turned = glm::rotate(glm::mat4(1.0f), eulerAngles.x, glm::vec3(1.0f, 0.0f, 0.0f));
        turned = glm::rotate(turned, eulerAngles.y, glm::vec3(0.0f, 1.0f, 0.0f));
        out = turned * toCamera;
        return true;
    }
    default:
        return false;
    }
}

// The inverse is rebuilt together with its matrix so the two can never disagree.
glm::mat4 Camera::getProjection()
{
    if (projectionDirty && buildProjection(projection))
    {
        inverseProjection = glm::inverse(projection);
        projectionDirty = false;
    }
    return projection;
}

glm::mat4 Camera::getView()
{
    if (viewDirty)
    {
        viewDirty = false;
        if (buildView(view))
            inverseView = glm::inverse(view);
    }
    return view;
}

glm::mat4 Camera::getInverseProjection()
{
    getProjection();
    return inverseProjection;
}

glm::mat4 Camera::getInverseView()
{
    getView();
    return inverseView;
}
