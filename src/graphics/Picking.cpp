#include "graphics/Picking.h"

#include "engine/Engine.h"
#include "graphics/GraphicsSystem.h"
#include "world/Entity.h"
#include "world/EntityManager.h"

#include <cmath>
#include <limits>

namespace
{
TransformComp* PlayerTransform()
{
    Entity* player = Engine::getSystem<EntityManager>(EntityManager::kName, EntityManagerNull::instance())->getPlayer();
    return player->getComponent<TransformComp>(TransformComp::kName, TransformCompNull::instance());
}

struct Ray
{
    glm::vec3 origin;
    glm::vec3 direction;
};

// The ray under a pixel given in normalised device coordinates.
Ray PickRay(Camera& camera, const glm::vec2& ndc)
{
    if (camera.getProjectionMode() == ProjectionMode::Perspective)
    {
        // Every ray starts at the camera and fans out through the pixel.
        glm::vec4 eye = camera.getInverseProjection() * glm::vec4(ndc.x, ndc.y, -1.0f, 1.0f);
        eye.z = -1.0f;
        eye.w = 0.0f;
        return {camera.getPosition(), glm::normalize(glm::vec3(camera.getInverseView() * eye))};
    }
    // Parallel projections have parallel rays: start on the near plane under the pixel and
    // look straight ahead.
    const glm::vec4 eye = camera.getInverseProjection() * glm::vec4(ndc.x, ndc.y, -1.0f, 1.0f);
    const glm::mat4 toWorld = camera.getInverseView();
    return {glm::vec3(toWorld * glm::vec4(glm::vec3(eye) / eye.w, 1.0f)),
            glm::normalize(glm::vec3(toWorld * glm::vec4(0.0f, 0.0f, -1.0f, 0.0f)))};
}
}

glm::vec2 CurrentWindowSize()
{
    const Engine* engine = Engine::current();
    if (!engine)
        return {0.0f, 0.0f};
    return {static_cast<float>(engine->getWidth()), static_cast<float>(engine->getHeight())};
}

glm::vec3 PlayerRenderPosition()
{
    return PlayerTransform()->getRenderPosition();
}

glm::vec3 PlayerPosition()
{
    return PlayerTransform()->getPosition();
}

bool CastToPlane(Camera camera, const glm::vec2& windowPixel, const glm::vec2& windowSize,
                 const glm::vec3& planePoint, bool towardsCamera, glm::vec3* out)
{
    // A minimised window reports 0 by 0; there is no pixel to pick then.
    if (!(windowSize.x >= 1.0f) || !(windowSize.y >= 1.0f))
        return false;
    // The camera is inverted as stored: the graphics system sized it when it was set, and a
    // window resized since then still shows that camera's view until it is set again.
    const glm::vec2 ndc(2.0f * windowPixel.x / windowSize.x - 1.0f, -(2.0f * windowPixel.y / windowSize.y - 1.0f));
    const Ray ray = PickRay(camera, ndc);

    const glm::vec3 cameraPosition = camera.getPosition();
    const glm::vec3 normal = towardsCamera ? glm::normalize(cameraPosition - planePoint)
                                           : glm::normalize(glm::vec3(0.0f, 0.0f, cameraPosition.z - planePoint.z));
    const float facing = glm::dot(ray.direction, normal);
    if (!(std::abs(facing) > std::numeric_limits<float>::epsilon()))
        return false;
    const float distance = glm::dot(planePoint - ray.origin, normal) / facing;
    if (!(distance > 0.0f))
        return false;
    *out = ray.origin + ray.direction * distance;
    return true;
}

bool ScreenToWorld(glm::vec2 windowPixel, glm::vec3* out, bool towardsCamera)
{
    GraphicsSystem* graphics = Engine::getSystem<GraphicsSystem>(GraphicsSystem::kName, GraphicsSystemNull::instance());
    return CastToPlane(graphics->getCamera(GraphicsSystem::kWorldContext), windowPixel, CurrentWindowSize(),
                       PlayerRenderPosition(), towardsCamera, out);
}

glm::vec3 ProjectToWindow(const glm::vec3& world, Camera camera, const glm::vec2& windowSize)
{
    camera.setSize(windowSize.x, windowSize.y);
    const glm::mat4 view = camera.getView();
    const glm::mat4 projection = camera.getProjection();
    const glm::vec4 clip = projection * view * glm::vec4(world, 1.0f);
    const glm::vec3 ndc = glm::vec3(clip) / clip.w;
    return {(ndc.x * 0.5f + 0.5f) * windowSize.x, (ndc.y * 0.5f + 0.5f) * windowSize.y, ndc.z * 0.5f + 0.5f};
}

glm::vec3 WorldToScreen(const glm::vec3& world, Camera camera)
{
    return ProjectToWindow(world, camera, CurrentWindowSize());
}
