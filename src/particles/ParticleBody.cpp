#include "particles/ParticleBody.h"

#include "engine/Engine.h"
#include "engine/TimeHelpers.h"
#include "graphics/MeshManager.h"

#include <cmath>

namespace
{
// Per-component error of the unit direction under which a particle counts as flying
// straight at its target.
constexpr float kAlignTolerance = 0.01f;
// An aligned particle covers 1/7.5 of a unit per step.
constexpr float kAlignedSpeedDivisor = 7.5f;
constexpr float kBrake = 0.3f;
constexpr float kBoost = 1.05f;
constexpr float kPush = 0.00016f;
// Arrival distance in x and in y.
constexpr float kArrival = 0.1f;

Mesh* QuadMesh()
{
    return Engine::getSystem<MeshManager>(MeshManager::kName, MeshManagerNull::instance())->getMesh("quad");
}
}

ParticleBody::ParticleBody() : spawnTime(GetTimeMs()) {}

ParticleBody::ParticleBody(const int64_t& lifespanMs, const glm::vec3& position, const glm::vec3& velocity,
                           const glm::vec3& ownAcceleration, const glm::vec4& startColor,
                           const glm::vec3& startScale, const Texture& image, const FlagMap& startFlags,
                           const glm::vec3& target)
    : acceleration(ownAcceleration),
      color(startColor),
      lifespan(lifespanMs),
      spawnTime(GetTimeMs()),
      mesh(QuadMesh()),
      texture(image),
      flags(startFlags),
      convergePoint(target)
{
    converging = getFlag(kConvergeFlag);
    transform.setPosition(position);
    transform.setScale(startScale);
    physics.setVelocity(velocity.x, velocity.y, velocity.z);
    physics.setAcceleration(acceleration);
}

void ParticleBody::advance(glm::vec3 velocity)
{
    if (converging)
        steer(velocity);
    physics.setVelocity(velocity);
    physics.setAcceleration(acceleration);
    physics.integrate(glm::vec3(0.0f));
    physics.move(&transform);
}

void ParticleBody::steer(glm::vec3& velocity)
{
    const glm::vec3 offset = convergePoint - transform.getPosition();
    const glm::vec2 toTarget = glm::vec2(offset) / glm::length(glm::vec2(offset));
    const glm::vec2 heading = glm::vec2(velocity) / glm::length(glm::vec2(velocity));
    // NaN (no velocity, or already on the target) fails both tests and counts as not aligned.
    const bool aligned = std::fabs(heading.x - toTarget.x) <= kAlignTolerance &&
                         std::fabs(heading.y - toTarget.y) <= kAlignTolerance;
    if (aligned)
    {
        velocity = glm::vec3(toTarget / kAlignedSpeedDivisor, offset.z / kAlignedSpeedDivisor);
        acceleration = glm::vec3(0.0f);
        return;
    }
    steerAxis(0, offset, velocity);
    steerAxis(1, offset, velocity);
}

// Too fast towards the target: brake. Too slow towards it: speed up by five per cent.
// Moving away or standing still: push the acceleration towards it.
void ParticleBody::steerAxis(int axis, const glm::vec3& offset, glm::vec3& velocity)
{
    const float remaining = offset[axis];
    float& speed = velocity[axis];
    const bool ahead = convergePoint[axis] > transform.getPosition()[axis];
    if (speed > remaining)
    {
        if (ahead)
            speed *= kBrake;
        else if (speed >= 0.0f)
            acceleration[axis] -= kPush;
        else
            speed *= kBoost;
    }
    else if (remaining > speed)
    {
        if (!ahead)
            speed *= kBrake;
        else if (speed > 0.0f)
            speed *= kBoost;
        else
            acceleration[axis] += kPush;
    }
}

bool ParticleBody::isDead() const
{
    if (converging)
    {
        const glm::vec3 position = transform.getPosition();
        if (std::fabs(convergePoint.x - position.x) <= kArrival && std::fabs(convergePoint.y - position.y) <= kArrival)
            return true;
    }
    // Unsigned on purpose: a negative lifespan never runs out.
    const uint64_t age = static_cast<uint64_t>(GetTimeMs()) - static_cast<uint64_t>(spawnTime);
    return age > static_cast<uint64_t>(lifespan);
}

void ParticleBody::setFlag(const std::string& name, bool value)
{
    flags.insert_or_assign(name, value);
    converging = getFlag(kConvergeFlag);
}

bool ParticleBody::getFlag(const std::string& name) const
{
    const auto found = flags.find(name);
    return found != flags.end() && found->second;
}
