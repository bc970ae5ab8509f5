#pragma once
// The small entity helpers the player controller's files share. The systems they reach come
// from PlaySystems.

#include <cstdint>
#include <initializer_list>
#include <string>

class Entity;
class ParticleEmitter;

namespace PlayerLookups
{
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
