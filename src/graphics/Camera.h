#pragma once
// Where the viewer is and how the scene is projected. A render context stores one camera and
// uploads its matrices as "projection" and "view"; game states keep their own cameras and
// hand copies to the graphics system. The matrices and their inverses are cached and rebuilt
// when a setter has marked them.

#include "world/TransformComp.h"

#include <glm/glm.hpp>

#include <cstdint>

namespace ProjectionMode
{
enum : uint32_t
{
    Screen = 0,       // window pixels, origin at the top-left corner, y down
    Orthographic = 1, // world units, width / 100 by height / 100 each side of the camera
    Perspective = 2,
};
}

namespace ViewMode
{
enum : uint32_t
{
    Quaternion = 0, // orientation from the transform's rotation
    Euler = 1,      // orientation from pitch and yaw
};
}

class Camera
{
public:
    static constexpr float kDegreesToRadians = 0.017453292f;
    static constexpr float kNearPlane = 0.1f;

    glm::vec3 getPosition() const { return transform.getPosition(); }
    void setPosition(const glm::vec3& position);
    void move(const glm::vec3& delta);
    // Euler angles in radians (pitch, yaw, roll).
    void setRotation(const glm::vec3& angles);
    void rotate(const glm::vec3& axis, float degrees);
    glm::vec3 getEulerAngles() const { return eulerAngles; }
    // Sizes below 1 are stored as 1 so projections never divide by zero.
    void setSize(float newWidth, float newHeight);
    glm::vec2 getSize() const { return {width, height}; }
    void setFarPlane(float value);
    float getFarPlane() const { return farPlane; }
    float getFov() const { return fov; }
    void setProjectionMode(uint32_t mode);
    uint32_t getProjectionMode() const { return projectionMode; }
    void setViewMode(uint32_t mode);
    uint32_t getViewMode() const { return viewMode; }
    void setSpeed(float value) { speed = value; }
    float getSpeed() const { return speed; }
    void setFlag(bool value) { flag = value; }
    bool getFlag() const { return flag; }
    const TransformComp& getTransform() const { return transform; }

    glm::mat4 getProjection();
    glm::mat4 getView();
    glm::mat4 getInverseProjection();
    glm::mat4 getInverseView();
    bool isProjectionDirty() const { return projectionDirty; }
    bool isViewDirty() const { return viewDirty; }

private:
    bool buildProjection(glm::mat4& out) const;
    bool buildView(glm::mat4& out) const;
    void storeEulerAnglesFromRotation();

    TransformComp transform;
    float fov = 70.0f;
    float width = 1920.0f;
    float height = 1080.0f;
    float farPlane = 1000.0f;
    float speed = 0.0f;
    bool projectionDirty = true;
    bool viewDirty = true;
    bool flag = false;
    uint32_t projectionMode = ProjectionMode::Screen;
    uint32_t viewMode = ViewMode::Euler;
    glm::mat4 projection{1.0f};
    glm::mat4 inverseProjection{1.0f};
    glm::mat4 view{1.0f};
    glm::mat4 inverseView{1.0f};
    glm::vec3 eulerAngles{0.0f}; // pitch, yaw, roll in radians
};
