#pragma once
// The systems the play state, its actions, its package indicator and the player controller
// reach, each looked up by name with its null object as the fallback, so a missing system
// turns a step into nothing.

#include "audio/SoundManager.h"
#include "engine/Engine.h"
#include "engine/EngineStateManager.h"
#include "engine/Subject.h"
#include "gameplay/PlayerControllerSystem.h"
#include "graphics/GraphicsSystem.h"
#include "graphics/MeshManager.h"
#include "graphics/ShaderManager.h"
#include "graphics/TextureManager.h"
#include "input/InputSystem.h"
#include "particles/ParticleManager.h"
#include "tools/DebugSystem.h"
#include "tools/IMGUISystem.h"
#include "ui/TransitionManager.h"
#include "world/EntityManager.h"
#include "world/SceneManager.h"

namespace PlaySystems
{
template <class T, class Null>
T* Find()
{
    static const std::string name = T::kName;
    return Engine::getSystem<T>(name, Null::instance());
}

inline InputSystem* Input() { return Find<InputSystem, InputSystemNull>(); }
inline EntityManager* Entities() { return Find<EntityManager, EntityManagerNull>(); }
inline SceneManager* Scenes() { return Find<SceneManager, SceneManagerNull>(); }
inline PlayerControllerSystem* Controller() { return Find<PlayerControllerSystem, PlayerControllerSystemNull>(); }
inline ParticleManager* Particles() { return Find<ParticleManager, ParticleManagerNull>(); }
inline SoundManager* Sound() { return Find<SoundManager, SoundManagerNull>(); }
inline GraphicsSystem* Graphics() { return Find<GraphicsSystem, GraphicsSystemNull>(); }
inline TextureManager* Textures() { return Find<TextureManager, TextureManagerNull>(); }
inline MeshManager* Meshes() { return Find<MeshManager, MeshManagerNull>(); }
inline ShaderManager* Shaders() { return Find<ShaderManager, ShaderManagerNull>(); }
inline EngineStateManager* States() { return Find<EngineStateManager, EngineStateManagerNull>(); }
inline TransitionManager* Transitions() { return Find<TransitionManager, TransitionManagerNull>(); }
inline DebugSystem* Debug() { return Find<DebugSystem, DebugSystemNull>(); }
inline IMGUISystem* Gui() { return Find<IMGUISystem, IMGUISystemNull>(); }
inline Subject* Events() { return Find<Subject, SubjectNull>(); }
}

namespace PlayNames
{
// The render contexts are named after their shader folders.
inline constexpr const char* kWorldContext = GraphicsSystem::kWorldContext;
inline constexpr const char* kInterfaceContext = "UIShader";
inline constexpr const char* kQuadMesh = "quad";
inline constexpr const char* kGoalSparks = "GoalSparks";
}
