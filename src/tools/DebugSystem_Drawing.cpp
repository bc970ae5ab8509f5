// DebugSystem: the debug outlines drawn over the world while the developer view is on.

#include "tools/DebugSystem.h"

#include "engine/Engine.h"
#include "graphics/DrawData.h"
#include "graphics/GraphicsSystem.h"
#include "graphics/Mesh.h"
#include "graphics/MeshManager.h"
#include "graphics/UniformNames.h"
#include "particles/EmitterListComp.h"
#include "particles/ParticleEmitter.h"
#include "tools/DebugShapes.h"
#include "tools/IMGUISystem.h"
#include "world/ColliderComp.h"
#include "world/Entity.h"
#include "world/EntityManager.h"
#include "world/PhysicsComp.h"
#include "world/TransformComp.h"

#include <GL/glew.h>

namespace
{
constexpr const char* kQuadMesh = "quad";
constexpr const char* kRingMesh = "ring";
const glm::vec4 kSpawnAreaColor(0.5f, 0.5f, 0.0f, 1.0f);
const glm::vec4 kSolidColor(1.0f, 0.0f, 0.0f, 0.9f);
const glm::vec4 kPassableColor(0.0f, 1.0f, 0.0f, 0.9f);
constexpr int32_t kBoxSpawn = 0;
constexpr int32_t kCircleSpawn = 1;

TransformComp* TransformOf(Entity* entity)
{
    return entity->getComponent<TransformComp>(TransformComp::kName, TransformCompNull::instance());
}

void DrawPiece(Mesh* mesh, DrawData& draw, const glm::vec3& position, const glm::vec3& scale)
{
    TransformComp piece;
    piece.setScale(scale);
    piece.setPosition(position);
    draw.transform = piece;
    mesh->draw(draw, true);
}

void DrawOutline(Mesh* quad, DrawData& draw, const DebugShapes::Box& box)
{
    for (const DebugShapes::Bar& bar : DebugShapes::BoxOutline(box))
        DrawPiece(quad, draw, bar.position, bar.scale);
}
}

// Stages: 1. developer view check, 2. meshes, context and camera, 3. every active entity's
// emitter areas, collider box and velocity bar.
void DebugSystem::render()
{
    // 1. Developer view
    if (!Engine::getSystem<IMGUISystem>(IMGUISystem::kName, IMGUISystemNull::instance())->isOverlayShown())
        return;
    // 2. Meshes, context, camera and one shared draw record
    MeshManager* meshes = Engine::getSystem<MeshManager>(MeshManager::kName, MeshManagerNull::instance());
    Mesh* quad = meshes->getMesh(kQuadMesh);
    Mesh* ring = meshes->getMesh(kRingMesh);
    graphics->setContext(GraphicsSystem::kWorldContext);
    Camera camera = graphics->getCamera();
    camera.setSpeed(1.0f);
    graphics->setCamera(camera);
    DrawData draw = graphics->getDrawData();
    draw.texture = Texture{0, TextureKind::Opaque, 0.0f, 0.0f};
    // 3. Entities
    entityIds = entities->getActiveIds();
    for (uint32_t id : entityIds)
        drawEntityOutlines(entities->findById(id), draw, quad, ring);
}

void DebugSystem::drawEntityOutlines(Entity* entity, DrawData& draw, Mesh* quad, Mesh* ring)
{
    ColliderComp* collider = entity->getComponent<ColliderComp>(ColliderComp::kName, ColliderCompNull::instance());
    TransformComp* transform = TransformOf(entity);
    EmitterListComp* list =
        entity->getComponent<EmitterListComp>(EmitterListComp::kName, EmitterListCompNull::instance());
    for (ParticleEmitter* emitter : list->getEmitters())
        if (emitter->getShowBounds())
            drawSpawnArea(transform->getPosition(), emitter, draw, quad, ring);
    if (collider->isNull())
        return;
    draw.drawColor = collider->isSolid() ? kSolidColor : kPassableColor;
    const glm::vec3 position = transform->getPosition();
    const glm::vec3 scale = transform->getScale();
    DrawOutline(quad, draw, DebugShapes::Box{glm::vec2(position), glm::vec2(scale)});
    drawVelocityBar(entity, draw, quad);
}

void DebugSystem::drawSpawnArea(const glm::vec3& entityPosition, ParticleEmitter* emitter, DrawData& draw,
                                Mesh* quad, Mesh* ring)
{
    draw.drawColor = kSpawnAreaColor;
    const glm::vec3 offset = emitter->getPositionOffset();
    if (emitter->getSpawnType() == kBoxSpawn)
    {
        DrawOutline(quad, draw,
                    DebugShapes::EmitterSpawnBox(entityPosition, offset, emitter->getSpawnRangeX(),
                                                 emitter->getSpawnRangeY()));
    }
    else if (emitter->getSpawnType() == kCircleSpawn)
    {
        const float diameter = emitter->getRadius() * 2.0f;
        DrawPiece(ring, draw,
                  glm::vec3(entityPosition.x + offset.x, entityPosition.y + offset.y, DebugShapes::kOutlineDepth),
                  glm::vec3(diameter, diameter, 1.0f));
    }
}

// Drawn straight through GL rather than Mesh::draw: the bar's model matrix is offset so that
// it starts at the body instead of being centred on it. Without a loaded quad there is
// nothing to draw with.
void DebugSystem::drawVelocityBar(Entity* entity, DrawData& draw, Mesh* quad)
{
    if (quad->getVao() == 0)
        return;
    const glm::vec3 velocity =
        entity->getComponent<PhysicsComp>(PhysicsComp::kName, PhysicsCompNull::instance())->getVelocity();
    const glm::vec3 base = TransformOf(entity)->getPosition();
    const glm::vec3 position(base.x, base.y, base.z + DebugShapes::kVelocityBarLift);
    const float length = DebugShapes::VelocityBarLength(velocity);
    const float angle = DebugShapes::VelocityBarAngle(velocity);
    TransformComp bar;
    bar.setPosition(position);
    bar.setScale(length, DebugShapes::kVelocityBarThickness, 1.0f);
    bar.setRotation(glm::vec3(0.0f, 0.0f, angle));
    draw.transform = bar;

    const glm::mat4 model = DebugShapes::VelocityBarModel(position, length, angle);
    const int32_t useTexture = 0;
    draw.graphics->setUniform(UniformNames::kModel, 1, &model[0][0]);
    glBindTexture(GL_TEXTURE_2D, 0);
    draw.graphics->setUniform(UniformNames::kUseTexture, 1, &useTexture);
    draw.graphics->setUniform(UniformNames::kDrawColor, 1, &draw.drawColor[0]);
    glBindVertexArray(quad->getVao());
    glDrawElements(GL_TRIANGLES, static_cast<GLsizei>(3 * quad->getFaceCount()), GL_UNSIGNED_INT, nullptr);
}
