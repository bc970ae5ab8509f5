#include "gameplay/PlayStateActions.h"

#include "gameplay/PlayStateRecord.h"
#include "gameplay/PlaySystems.h"
#include "particles/EmitterListComp.h"
#include "particles/ParticleEmitter.h"
#include "ui/EngineStateEnd.h"
#include "ui/EngineStatePauseMenu.h"
#include "world/Entity.h"
#include "world/EntityFlags.h"

#include <algorithm>
#include <iostream>
#include <vector>

using namespace PlayActions;

namespace
{
constexpr float kScaleStep = 0.1f;
const glm::vec3 kTestEntityPosition{-65.86364f, 28.128637f, 0.1f};

struct GameAction
{
    const char* name;
    // One of the nine controls the player controller switches off around comic, win and wipe.
    bool playerControl;
};

// The order in which the actions are switched.
const std::vector<GameAction>& GameActions()
{
    static const std::vector<GameAction> actions = {
        {kComicDisable, false},   {"offAim", true},         {"Aim", true},
        {"GamepadAim", false},    {"MoveRight", true},      {"MoveLeft", true},
        {"MoveUpNoClip", false},  {"MoveDownNoClip", false}, {"Jump", true},
        {"Dash", true},           {"GodMode", false},       {"NoClip", false},
        {"ThrowPackage", true},   {"SummonPackage", true},  {"TeleportToPackage", true},
        {"ToggleEmitter", false}, {kCameraSwitchMode, false}, {kRestartSystems, false},
        {kEndLevel, false},       {kToggleCulling, false},  {kTestScaleUpX, false},
        {kTestScaleDownX, false}, {kTestScaleUpY, false},   {kTestScaleDownY, false},
        {kPauseGame, false},      {"ReloadScene", false},   {kWinGame, false},
        {kKillPlayer, false},
    };
    return actions;
}

// The player controller's no-clip mode switches these two; resuming never turns them on.
bool IsNoClipMove(const std::string& name)
{
    return name == "MoveUpNoClip" || name == "MoveDownNoClip";
}

TransformComp* TransformOf(const Entity* entity)
{
    return entity->getComponent<TransformComp>(TransformComp::kName, TransformCompNull::instance());
}

bool IsActive(uint32_t id)
{
    const std::vector<uint32_t> ids = PlaySystems::Entities()->getActiveIds();
    return std::find(ids.begin(), ids.end(), id) != ids.end();
}

// Shrinking stops at 0; growing has no bound.
void ScaleTestEntity(int axis, float delta)
{
    TransformComp* transform = TestEntityTransform();
    glm::vec3 scale = transform->getScale();
    scale[axis] += delta;
    if (scale[axis] < 0.0f)
        scale[axis] = 0.0f;
    transform->setScale(scale);
}
}

void LightGoalSparks(const Entity* goal)
{
    goal->getComponent<EmitterListComp>(EmitterListComp::kName, EmitterListCompNull::instance())
        ->getEmitter(PlayNames::kGoalSparks)
        ->setActive(true);
}

void RegisterPlayStateActions()
{
    InputSystem* input = PlaySystems::Input();
    input->registerCallback(kCameraSwitchMode, OnCameraSwitchMode);
    input->registerCallback(kRestartSystems, OnRestartSystems);
    input->registerCallback(kEndLevel, OnEndLevel);
    input->registerCallback(kToggleCulling, OnToggleCulling);
    input->registerCallback(kTestScaleUpX, OnTestScaleUpX);
    input->registerCallback(kTestScaleDownX, OnTestScaleDownX);
    input->registerCallback(kTestScaleUpY, OnTestScaleUpY);
    input->registerCallback(kTestScaleDownY, OnTestScaleDownY);
    input->registerCallback(kPauseGame, OnPauseGame);
    input->registerCallback(kKillPlayer, OnKillPlayer);
    input->registerCallback(kWinGame, OnWinGame);
    // Space, gamepad A (Cross) and Start all dismiss the comic.
    for (InputCode code : {32, 360, 367})
        input->addBinding(kComicDisable, code, OnPress, OnComicDisable);
    // Key J.
    input->addBinding(kStopLevelMusic, 74, OnPress, OnStopLevelMusic);
}

void OnCameraSwitchMode(InputEvent)
{
    Camera& camera = PlayState().playCamera;
    if (camera.getProjectionMode() == ProjectionMode::Perspective)
        camera.setProjectionMode(ProjectionMode::Orthographic);
    else if (camera.getProjectionMode() == ProjectionMode::Orthographic)
        camera.setProjectionMode(ProjectionMode::Perspective);
}

void OnRestartSystems(InputEvent)
{
    PlaySystems::Shaders()->restart();
    PlaySystems::Textures()->restart();
    PlaySystems::Input()->restart();
    PlaySystems::Particles()->restart();
    PlaySystems::Entities()->restart();
    PlaySystems::States()->restartState();
}

// Every goal is visited, so with several the player ends on the last in id order; the win
// itself is found by the next physics step.
void OnEndLevel(InputEvent)
{
    EntityManager* entities = PlaySystems::Entities();
    TransformComp* player = TransformOf(entities->getPlayer());
    for (uint32_t id : entities->getActiveIds())
    {
        const Entity* entity = entities->findById(id);
        if (!entity->getFlag(EntityFlags::kGoal))
            continue;
        player->setPosition(TransformOf(entity)->getPosition());
        LightGoalSparks(entity);
    }
}

void OnToggleCulling(InputEvent)
{
    PlayStateRecord& state = PlayState();
    state.cullingToggle = !state.cullingToggle;
    std::cout << "Frustum Culling: " << (state.cullingToggle ? 1 : 0) << std::endl;
    state.cachedGraphics->setFrustumCulling(PlayNames::kWorldContext, state.cullingToggle);
}

void OnTestScaleUpX(InputEvent)
{
    ScaleTestEntity(0, kScaleStep);
}

void OnTestScaleDownX(InputEvent)
{
    ScaleTestEntity(0, -kScaleStep);
}

void OnTestScaleUpY(InputEvent)
{
    ScaleTestEntity(1, kScaleStep);
}

void OnTestScaleDownY(InputEvent)
{
    ScaleTestEntity(1, -kScaleStep);
}

// A running wipe ends by handing the player's controls back; a pause menu opened under it
// would be left with a live player, so the pause waits for the wipe.
void OnPauseGame(InputEvent)
{
    if (PlayState().playPaused || PlaySystems::Transitions()->isRunning())
        return;
    PlaySystems::States()->pushState(EngineStatePauseMenu::instance(), true);
}

void OnKillPlayer(InputEvent)
{
    PlaySystems::Entities()->getPlayer()->setFlag(EntityFlags::kRespawn, true);
}

void OnWinGame(InputEvent)
{
    PlaySystems::States()->setNextState(EngineStateEnd::instance());
}

// One press starts one wipe. When no wipe can start now, the press is given back so the
// comic can still be dismissed later.
void OnComicDisable(InputEvent)
{
    InputSystem* input = PlaySystems::Input();
    input->disableAction(kComicDisable);
    if (!PlaySystems::Transitions()->startTransition(ClearComicFlag, kComicTransition, EnablePlayerControls))
        input->enableAction(kComicDisable);
}

void OnStopLevelMusic(InputEvent)
{
    PlayState().levelMusic.stop();
}

void ClearComicFlag()
{
    PlayState().comicShowing = false;
}

void DisableGameActions()
{
    InputSystem* input = PlaySystems::Input();
    for (const GameAction& action : GameActions())
        input->disableAction(action.name);
}

void EnableGameActions()
{
    InputSystem* input = PlaySystems::Input();
    const bool controlsHeld = PlaySystems::Controller()->areControlsDisabled();
    for (const GameAction& action : GameActions())
    {
        const std::string name = action.name;
        if (name == kComicDisable || (action.playerControl && controlsHeld))
            continue;
        if (IsNoClipMove(name))
            input->disableAction(name);
        else
            input->enableAction(name);
    }
}

void CreateTestEntity()
{
    PlayStateRecord& state = PlayState();
    // Without an entity manager to own it, nobody would ever delete it.
    state.hasTestEntity = !PlaySystems::Entities()->isNull();
    if (!state.hasTestEntity)
        return;
    auto* entity = new Entity();
    auto* transform = new TransformComp();
    transform->setPosition(kTestEntityPosition);
    entity->addComponent(transform);
    state.testEntityId = entity->getId();
}

TransformComp* TestEntityTransform()
{
    const PlayStateRecord& state = PlayState();
    if (!state.hasTestEntity || !IsActive(state.testEntityId))
        return TransformCompNull::instance();
    return TransformOf(PlaySystems::Entities()->findById(state.testEntityId));
}
