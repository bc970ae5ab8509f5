#include "gameplay/PlayerLookups.h"

#include "audio/SoundManager.h"
#include "engine/Engine.h"
#include "engine/EngineStateManager.h"
#include "engine/Subject.h"
#include "graphics/GraphicsSystem.h"
#include "graphics/MeshManager.h"
#include "graphics/TextureManager.h"
#include "input/InputSystem.h"
#include "particles/EmitterListComp.h"
#include "particles/ParticleEmitter.h"
#include "particles/ParticleManager.h"
#include "ui/TransitionManager.h"
#include "world/Entity.h"
#include "world/EntityManager.h"
#include "world/SceneManager.h"
#include "world/TextureComp.h"

namespace PlayerLookups
{
namespace
{
template <class T, class Null>
T* Find(const char* name)
{
    return Engine::getSystem<T>(name, Null::instance());
}
}

InputSystem* Input()
{
    return Find<InputSystem, InputSystemNull>(InputSystem::kName);
}

SoundManager* Sound()
{
    return Find<SoundManager, SoundManagerNull>(SoundManager::kName);
}

EntityManager* Entities()
{
    return Find<EntityManager, EntityManagerNull>(EntityManager::kName);
}

SceneManager* Scenes()
{
    return Find<SceneManager, SceneManagerNull>(SceneManager::kName);
}

ParticleManager* Particles()
{
    return Find<ParticleManager, ParticleManagerNull>(ParticleManager::kName);
}

GraphicsSystem* Graphics()
{
    return Find<GraphicsSystem, GraphicsSystemNull>(GraphicsSystem::kName);
}

TextureManager* Textures()
{
    return Find<TextureManager, TextureManagerNull>(TextureManager::kName);
}

MeshManager* Meshes()
{
    return Find<MeshManager, MeshManagerNull>(MeshManager::kName);
}

TransitionManager* Transitions()
{
    return Find<TransitionManager, TransitionManagerNull>(TransitionManager::kName);
}

EngineStateManager* States()
{
    return Find<EngineStateManager, EngineStateManagerNull>(EngineStateManager::kName);
}

Subject* Events()
{
    return Find<Subject, SubjectNull>(Subject::kName);
}

Entity* Player()
{
    return Entities()->getPlayer();
}

Entity* Package()
{
    return Entities()->getPackage();
}

ParticleEmitter* EmitterOf(const Entity* entity, const std::string& name)
{
    return entity->getComponent<EmitterListComp>(EmitterListComp::kName, EmitterListCompNull::instance())
        ->getEmitter(name);
}

void SetEmitterActive(const Entity* entity, const std::string& name, bool active)
{
    EmitterOf(entity, name)->setActive(active);
}

void SetTexture(const Entity* entity, const std::string& textureName)
{
    entity->getComponent<TextureComp>(TextureComp::kName, TextureCompNull::instance())
        ->setTexture(Textures()->getTexture(textureName));
}

void EnableActions(std::initializer_list<const char*> actions, bool enabled)
{
    InputSystem* input = Input();
    for (const char* action : actions)
    {
        if (enabled)
            input->enableAction(action);
        else
            input->disableAction(action);
    }
}
}
