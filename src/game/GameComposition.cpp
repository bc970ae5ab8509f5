#include "game/GameComposition.h"

#include "audio/SoundManager.h"
#include "engine/Engine.h"
#include "engine/EngineStateManager.h"
#include "engine/Subject.h"
#include "engine/TraceLog.h"
#include "game/DeveloperShortcuts.h"
#include "gameplay/PlayerControllerSystem.h"
#include "graphics/AnimationManager.h"
#include "graphics/GraphicsSystem.h"
#include "graphics/MeshManager.h"
#include "graphics/ShaderManager.h"
#include "graphics/TextureManager.h"
#include "input/InputSystem.h"
#include "particles/ParticleManager.h"
#include "tools/DebugSystem.h"
#include "tools/IMGUISystem.h"
#include "ui/EngineStateSplash.h"
#include "ui/TransitionManager.h"
#include "ui/UIManager.h"
#include "world/EntityManager.h"
#include "world/SceneManager.h"

// The order matters: the entity manager initialises after the meshes, textures, emitters and
// animation sheets its archetypes name; the graphics system stands twice so that its second
// render draws the queued blended pass after every opaque draw.
void RegisterGameSystems(Engine& engine)
{
    engine.registerSystem(Subject::getInstance());
    engine.registerSystem(TraceLog::getInstance());
    engine.registerSystem(ShaderManager::getInstance());
    engine.registerSystem(MeshManager::getInstance());
    engine.registerSystem(TextureManager::getInstance());
    engine.registerSystem(GraphicsSystem::getInstance());
    engine.registerSystem(ParticleManager::getInstance());
    engine.registerSystem(EngineStateManager::getInstance());
    WireInput(*InputSystem::getInstance());
    engine.registerSystem(InputSystem::getInstance());
    engine.registerSystem(SoundManager::getInstance());
    engine.registerSystem(AnimationManager::getInstance());
    engine.registerSystem(EntityManager::getInstance());
    engine.registerSystem(UIManager::getInstance());
    engine.registerSystem(PlayerControllerSystem::getInstance());
    engine.registerSystem(SceneManager::getInstance());
    engine.registerSystem(DebugSystem::getInstance());
    engine.registerSystemAs(GraphicsSystem::kTransparentKey, GraphicsSystem::getInstance());
    engine.registerSystem(IMGUISystem::getInstance());
    engine.registerSystem(TransitionManager::getInstance());
    EngineStateManager::getInstance()->setNextState(EngineStateSplash::instance());
}

void WireInput(InputSystem& input)
{
    input.setDeveloperShortcuts(&AddDeveloperShortcuts);
    input.setControllerNotice(&ShowControllerNotice);
}

void ShowControllerNotice(ControllerType type)
{
    Engine::getSystem<UIManager>(UIManager::kName, UIManagerNull::instance())
        ->showControllerNotice(static_cast<int32_t>(type));
}
