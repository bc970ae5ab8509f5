#include "tools/EngineStateTobrin.h"

#include "engine/Engine.h"
#include "engine/TraceLog.h"
#include "graphics/Camera.h"
#include "graphics/GraphicsSystem.h"
#include "input/InputSystem.h"
#include "tools/DebugSystem.h"
#include "tools/IMGUISystem.h"
#include "world/ColliderComp.h"
#include "world/Entity.h"
#include "world/EntityManager.h"
#include "world/MeshComp.h"
#include "world/PhysicsComp.h"
#include "world/StatsComp.h"
#include "world/TextureComp.h"
#include "world/TransformComp.h"

#include <GL/glew.h>

#include <array>
#include <cmath>
#include <iostream>

namespace
{
Camera gSandboxCamera;
GraphicsSystem* gGraphics = GraphicsSystemNull::instance();
bool gDiagnosticsShown = false;

constexpr const char* kPlayerArchetype = "Player";
constexpr const char* kGoalArchetype = "Goal";
constexpr const char* kGravityFlag = "gravity";
const glm::vec3 kPlayerDrag(0.2f, 0.2f, 0.2f);
const glm::vec3 kPlayerStart(-2.0f, 0.0f, -3.0f);
const glm::vec3 kPlayerScale(1.0f, 1.92f, 1.0f);
const glm::vec3 kBlockPosition(0.0f, 0.0f, -3.0f);
// The camera closes this share of the gap to the player on every step.
constexpr float kCameraFollow = 0.1f;
constexpr float kCameraFarPlane = 1000.0f;

EntityManager* Entities()
{
    return Engine::getSystem<EntityManager>(EntityManager::kName, EntityManagerNull::instance());
}

InputSystem* Input()
{
    return Engine::getSystem<InputSystem>(InputSystem::kName, InputSystemNull::instance());
}

DebugSystem* Debug()
{
    return Engine::getSystem<DebugSystem>(DebugSystem::kName, DebugSystemNull::instance());
}

TransformComp* TransformOf(Entity* entity)
{
    return entity->getComponent<TransformComp>(TransformComp::kName, TransformCompNull::instance());
}

PhysicsComp* BodyOf(Entity* entity)
{
    return entity->getComponent<PhysicsComp>(PhysicsComp::kName, PhysicsCompNull::instance());
}

// Pushes the player by its own run force along the direction.
void Push(float x, float y)
{
    Entity* player = Entities()->getPlayer();
    const float force = player->getComponent<StatsComp>(StatsComp::kName, StatsCompNull::instance())->getPlayerAcceleration();
    BodyOf(player)->addAcceleration(x * force, y * force, 0.0f);
}

void OnMoveRightT(InputEvent)
{
    Push(1.0f, 0.0f);
}

void OnMoveLeftT(InputEvent)
{
    Push(-1.0f, 0.0f);
}

void OnMoveUpT(InputEvent)
{
    Push(0.0f, 1.0f);
}

void OnMoveDownT(InputEvent)
{
    Push(0.0f, -1.0f);
}

const std::array<const char*, 4> kMoveActions = {EngineStateTobrin::kMoveRight, EngineStateTobrin::kMoveLeft,
                                                 EngineStateTobrin::kMoveUp, EngineStateTobrin::kMoveDown};
}

EngineStateTobrin* EngineStateTobrin::instance()
{
    static EngineStateTobrin state;
    return &state;
}

const Camera& EngineStateTobrin::sandboxCamera()
{
    return gSandboxCamera;
}

// The actions' keys come from the binding file; registering creates an action the file
// lacks, and registering the same callback again adds nothing. The callbacks go straight to
// the input system's own instance; switching the actions on and off goes through the registry.
void EngineStateTobrin::load()
{
    gGraphics = Engine::getSystem<GraphicsSystem>(GraphicsSystem::kName, GraphicsSystemNull::instance());
    InputSystem* input = InputSystem::getInstance();
    input->registerCallback(kMoveRight, OnMoveRightT);
    input->registerCallback(kMoveLeft, OnMoveLeftT);
    input->registerCallback(kMoveDown, OnMoveDownT);
    input->registerCallback(kMoveUp, OnMoveUpT);
}

void EngineStateTobrin::initialize()
{
    Log()->message(kName, "initialize");
    std::cout << " In Tobrins file " << std::endl;
    EntityManager* entities = Entities();
    entities->clearActive();
    if (!entities->isEmpty())
    {
        std::cout << "SCENE MANAGER FAILURE, NUM ENTITIES: " << static_cast<int32_t>(entities->getEntityCount())
                  << std::endl;
        entities->debugPrintEntities();
    }
    buildScene();
    for (const char* action : kMoveActions)
        Input()->enableAction(action);
    gSandboxCamera.setProjectionMode(ProjectionMode::Orthographic);
    gSandboxCamera.setViewMode(ViewMode::Euler);
    gSandboxCamera.setFarPlane(kCameraFarPlane);
    gSandboxCamera.setRotation(glm::vec3(0.0f));
    buildMenus();
}

// A weightless player, a plain solid block and a goal.
void EngineStateTobrin::buildScene() const
{
    EntityManager* entities = Entities();
    Entity* player = entities->cloneArchetype(kPlayerArchetype);
    player->setFlag(kGravityFlag, false);
    BodyOf(player)->setAirDrag(kPlayerDrag);

    auto* block = new Entity();
    block->addComponent(new TransformComp());
    block->addComponent(new PhysicsComp());
    block->addComponent(new MeshComp());
    // Holds the placeholder texture "NO_TEXTURE".
    block->addComponent(new TextureComp());
    block->addComponent(new ColliderComp());

    entities->cloneArchetype(kGoalArchetype);
    TransformComp* playerTransform = TransformOf(player);
    playerTransform->setPosition(kPlayerStart);
    playerTransform->setScale(kPlayerScale);
    TransformOf(block)->setPosition(kBlockPosition);
}

void EngineStateTobrin::buildMenus()
{
    debugMenus.clear();
    gDiagnosticsShown = Debug()->isDiagnosticsShown();
    debugMenus[kMenuTitle] = {{kDiagnosticsItem, &gDiagnosticsShown}};
}

void EngineStateTobrin::update()
{
    Entity* player = Entities()->getPlayer();
    TransformComp* transform = TransformOf(player);
    glm::vec3 position = transform->getPosition();
    // Put back on the floor; z returns to 0 with it. A NaN height compares false and stays.
    if (position.y <= kFloorHeight)
    {
        position = glm::vec3(position.x, kFloorHeight, 0.0f);
        transform->setPosition(position);
    }
    player->getComponent<ColliderComp>(ColliderComp::kName, ColliderCompNull::instance())
        ->setGroundFriction(BodyOf(player)->getAirDrag().x);
    // A position that is not a number would spoil the camera for every later entry.
    const glm::vec3 gap = position - gSandboxCamera.getPosition();
    if (std::isfinite(gap.x) && std::isfinite(gap.y))
        gSandboxCamera.move(glm::vec3(gap.x * kCameraFollow, gap.y * kCameraFollow, 0.0f));
    Debug()->setDiagnosticsShown(gDiagnosticsShown);
}

// The world drawn after this state in the same frame is seen through the sandbox camera.
void EngineStateTobrin::render()
{
    glClearColor(0.3f, 0.3f, 0.3f, 1.0f);
    gGraphics->setContext(GraphicsSystem::kWorldContext, gSandboxCamera);
}

// The callbacks stay registered; only the actions are switched off.
void EngineStateTobrin::shutdown()
{
    for (const char* action : kMoveActions)
        Input()->disableAction(action);
}

void EngineStateTobrin::debugGui()
{
    if (!Engine::getSystem<IMGUISystem>(IMGUISystem::kName, IMGUISystemNull::instance())->isOverlayShown())
        return;
    Debug()->drawMenuBar(debugMenus);
    if (gDiagnosticsShown)
        Debug()->drawDiagnostics();
}
