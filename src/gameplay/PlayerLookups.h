#pragma once
// The systems the player controller reaches by name, each its class's null object when not
// registered, and the small entity helpers its files share.

#include <cstdint>
#include <initializer_list>
#include <string>

class EngineStateManager;
class Entity;
class EntityManager;
class GraphicsSystem;
class InputSystem;
class MeshManager;
class ParticleEmitter;
class ParticleManager;
class PlayerControllerSystem;
class SceneManager;
class SoundManager;
class Subject;
class TextureManager;
class TransitionManager;

namespace PlayerLookups
{
InputSystem* Input();
SoundManager* Sound();
EntityManager* Entities();
SceneManager* Scenes();
ParticleManager* Particles();
GraphicsSystem* Graphics();
TextureManager* Textures();
MeshManager* Meshes();
TransitionManager* Transitions();
EngineStateManager* States();
Subject* Events();

Entity* Player();
Entity* Package();
// The entity's emitter of that name; the null emitter when it has none.
ParticleEmitter* EmitterOf(const Entity* entity, const std::string& name);
void SetEmitterActive(const Entity* entity, const std::string& name, bool active);
void SetTexture(const Entity* entity, const std::string& textureName);
void EnableActions(std::initializer_list<const char*> actions, bool enabled);

// Milliseconds from `since` to `now`, unsigned: a start later than now reads as long ago.
inline uint64_t ElapsedMs(int64_t now, int64_t since)
{
    return static_cast<uint64_t>(now - since);
}
}
