#include "particles/ParticleEmitter.h"

#include "engine/Engine.h"
#include "engine/TimeHelpers.h"
#include "engine/TraceLog.h"
#include "graphics/TextureManager.h"
#include "particles/ComplexParticle.h"
#include "particles/EmitterArchetypeFile.h"
#include "particles/Particle.h"
#include "particles/ParticleManager.h"
#include "particles/RandomGenerator.h"
#include "world/TransformComp.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <iostream>
#include <limits>

namespace
{
constexpr double kTwoPi = 6.283185307179586;
constexpr int64_t kMaxInt32 = std::numeric_limits<int32_t>::max();

ParticleManager* Manager()
{
    return Engine::getSystem<ParticleManager>(ParticleManager::kName, ParticleManagerNull::instance());
}

// Whether the list a particle of this kind goes to would keep it; the null manager keeps none.
bool ListHasRoom(const ParticleManager& manager, bool fading)
{
    return fading ? manager.canAddComplexParticle() : manager.canAddParticle();
}

int64_t SaturatingAdd(int64_t a, int64_t b)
{
    int64_t sum = 0;
    if (!__builtin_add_overflow(a, b, &sum))
        return sum;
    return b > 0 ? std::numeric_limits<int64_t>::max() : std::numeric_limits<int64_t>::min();
}

int64_t SaturatingSub(int64_t a, int64_t b)
{
    int64_t difference = 0;
    if (!__builtin_sub_overflow(a, b, &difference))
        return difference;
    return b < 0 ? std::numeric_limits<int64_t>::max() : std::numeric_limits<int64_t>::min();
}

// A symmetric jitter of up to |deviation|, drawn as one whole number. Deviations beyond the
// 32-bit range are clamped rather than wrapped.
int64_t Jitter(RandomGenerator& random, int64_t deviation)
{
    const int32_t bound = static_cast<int32_t>(std::clamp(deviation, -kMaxInt32, kMaxInt32));
    return random.rangeInt(-bound, bound);
}

int32_t TruncateToInt32(float value)
{
    if (std::isnan(value))
        return 0;
    const double clamped = std::clamp(static_cast<double>(value), static_cast<double>(-kMaxInt32 - 1),
                                      static_cast<double>(kMaxInt32));
    return static_cast<int32_t>(clamped);
}

bool IsUtf8Continuation(char c)
{
    return (static_cast<unsigned char>(c) & 0xC0u) == 0x80u;
}
}

ParticleEmitter::ParticleEmitter(PlainDefaultsTag)
{
    setPlainDefaults();
}

ParticleEmitter::ParticleEmitter() : ParticleEmitter(PlainDefaultsTag{})
{
    // Static null objects are built before any engine exists: they keep the plain defaults.
    if (!Engine::current() || Manager()->isNull())
        return;
    color = glm::vec4(1.0f, 0.0f, 0.0f, 1.0f);
    colorDeviation = glm::vec4(0.0f);
    transform = new TransformComp();
    textureName = "Null";
}

ParticleEmitter::~ParticleEmitter()
{
    if (!transform->isNull())
        delete transform;
}

void ParticleEmitter::setPlainDefaults()
{
    transform = TransformCompNull::instance();
    startTime = GetTimeMs();
    lastBurstTime = startTime - loopDelay;
}

ParticleEmitter* ParticleEmitter::clone() const
{
    auto* copy = new ParticleEmitter();
    copy->copyFrom(*this);
    return copy;
}

void ParticleEmitter::copyFrom(const ParticleEmitter& source)
{
    velocity = source.velocity;
    velocityDeviationX = source.velocityDeviationX;
    velocityDeviationY = source.velocityDeviationY;
    numParticles = source.numParticles;
    numComplexParticles = source.numComplexParticles;
    lifespan = source.lifespan;
    loopDelay = source.loopDelay;
    loopDelayDeviation = source.loopDelayDeviation;
    loop = source.loop;
    color = source.color;
    colorDeviation = source.colorDeviation;
    acceleration = source.acceleration;
    particleLifespan = source.particleLifespan;
    particleLifespanDeviation = source.particleLifespanDeviation;
    std::memcpy(archetypeName, source.archetypeName, kArchetypeNameSize);
    archetypeName[kArchetypeNameSize - 1] = '\0';
    active = source.active;
    neverExpires = source.neverExpires;
    baseParticleScale = source.baseParticleScale;
    particleScaleDeviation = source.particleScaleDeviation;
    texture = source.texture;
    textureName = source.textureName;
    positionOffset = source.positionOffset;
    xLower = source.xLower;
    xUpper = source.xUpper;
    yLower = source.yLower;
    yUpper = source.yUpper;
    radius = source.radius;
    spawnType = source.spawnType;
    useDensity = source.useDensity;
    flags = source.flags;
    convergePoint = source.convergePoint;

    if (!transform->isNull())
        delete transform;
    transform = static_cast<TransformComp*>(source.transform->clone());
}

bool ParticleEmitter::isExpired() const
{
    if (lifespan == 0 || neverExpires)
        return false;
    // Unsigned on purpose: a lifespan of -1 is never exceeded.
    const uint64_t age = static_cast<uint64_t>(GetTimeMs()) - static_cast<uint64_t>(startTime);
    return age > static_cast<uint64_t>(lifespan);
}

void ParticleEmitter::update()
{
    if (!active)
    {
        // A switched-off emitter neither ages nor saves up bursts.
        const int64_t now = GetTimeMs();
        setLastBurstTime(now);
        setStartTime(now);
        return;
    }
    if (SaturatingSub(GetTimeMs(), lastBurstTime) >= loopDelay)
        burst();
    if (isExpired())
        active = false;
}

void ParticleEmitter::burst()
{
    const int32_t emitterId = static_cast<int32_t>(Manager()->nextEmitterId());
    const uint64_t seed = static_cast<uint64_t>(static_cast<int64_t>(emitterId)) + static_cast<uint64_t>(GetTimeMs());
    RandomGenerator random(seed);

    spawnBurstParticles(random, burstCount(numParticles), false);
    spawnBurstParticles(random, burstCount(numComplexParticles), true);

    lastBurstTime = SaturatingAdd(GetTimeMs(), Jitter(random, loopDelayDeviation));
}

float ParticleEmitter::areaFactor() const
{
    if (!useDensity)
        return 1.0f;
    if (spawnType == 0)
        return (std::fabs(xLower) + xUpper) * (std::fabs(yLower) + yUpper);
    return radius * radius;
}

int32_t ParticleEmitter::burstCount(int32_t count) const
{
    const int32_t whole = TruncateToInt32(static_cast<float>(count) * areaFactor());
    // A tiny area still shows something.
    if (count != 0 && whole == 0)
        return 1;
    return whole;
}

// The draws of one particle, in their fixed order: velocity x, y; colour r, g, b, a;
// lifespan; scale x, y; the spawn parameter u; the offset (box: x, y); the firewall digit.
// The burst ends early once its list is full: a particle that would be dropped at once is
// neither built nor drawn for, so a huge count costs no more than the room left.
void ParticleEmitter::spawnBurstParticles(RandomGenerator& random, int32_t count, bool fading)
{
    const glm::vec3 origin = getPosition();
    const ParticleManager* manager = Manager();
    for (int32_t i = 0; i < count && ListHasRoom(*manager, fading); ++i)
    {
        glm::vec3 particleVelocity(0.0f);
        particleVelocity.x = velocity.x + random.range(-velocityDeviationX, velocityDeviationX);
        particleVelocity.y = velocity.y + random.range(-velocityDeviationY, velocityDeviationY);

        glm::vec4 particleColor(0.0f);
        for (int channel = 0; channel < 4; ++channel)
            particleColor[channel] = std::max(
                0.0f, color[channel] + random.range(-colorDeviation[channel], colorDeviation[channel]));

        const int64_t particleLife =
            std::max<int64_t>(0, SaturatingAdd(particleLifespan, Jitter(random, particleLifespanDeviation)));

        glm::vec3 particleScale(1.0f);
        particleScale.x = std::max(
            0.0f, baseParticleScale.x + random.range(-particleScaleDeviation.x, particleScaleDeviation.x));
        particleScale.y = std::max(
            0.0f, baseParticleScale.y + random.range(-particleScaleDeviation.y, particleScaleDeviation.y));

        const float u = random.range(0.0f, 1.0f);
        const glm::vec2 offset = spawnOffset(random, u);
        const glm::vec3 position(origin.x + positionOffset.x + offset.x, origin.y + positionOffset.y + offset.y,
                                 positionOffset.z);
        const Texture image = particleTexture(random);
        if (fading)
            spawnComplexParticle(position, particleLife, particleVelocity, particleColor, particleScale, convergePoint,
                                 image);
        else
            spawnParticle(position, particleLife, particleVelocity, particleColor, particleScale, convergePoint, image);
    }
}

// A circle uses the one draw u for both distance and angle, so its particles lie on a
// spiral from the centre out to the rim.
glm::vec2 ParticleEmitter::spawnOffset(RandomGenerator& random, float u) const
{
    if (spawnType != 0)
    {
        const float angle = static_cast<float>(static_cast<double>(u) * kTwoPi);
        const float distance = radius * std::sqrt(u);
        return {distance * std::cos(angle), distance * std::sin(angle)};
    }
    glm::vec2 offset(0.0f);
    offset.x = random.range(xLower, xUpper);
    offset.y = random.range(yLower, yUpper);
    return offset;
}

Texture ParticleEmitter::particleTexture(RandomGenerator& random) const
{
    if (!getFlag(kFirewallFlag))
        return texture;
    auto* textures = Engine::getSystem<TextureManager>(TextureManager::kName, TextureManagerNull::instance());
    return textures->getTexture(random.rangeInt(1, 2) == 1 ? "TempZero" : "TempOne");
}

void ParticleEmitter::spawnParticle(const glm::vec3& position, const int64_t& particleLife,
                                    const glm::vec3& particleVelocity, const glm::vec4& particleColor,
                                    const glm::vec3& scale, const glm::vec3& target, Texture particleTexture)
{
    Manager()->addParticle(new Particle(particleLife, position, particleVelocity, acceleration, particleColor,
                                        scale, particleTexture, flags, target));
}

void ParticleEmitter::spawnComplexParticle(const glm::vec3& position, const int64_t& particleLife,
                                           const glm::vec3& particleVelocity, const glm::vec4& particleColor,
                                           const glm::vec3& scale, const glm::vec3& target,
                                           Texture particleTexture)
{
    Manager()->addComplexParticle(new ComplexParticle(particleLife, position, particleVelocity, acceleration,
                                                      particleColor, scale, particleTexture, flags, target));
}

void ParticleEmitter::print() const
{
    std::cout << "This is an emitter of type " << getArchetypeName() << "." << std::endl;
}

// Without a running particle system there are no archetypes to save: writing anyway would
// replace the shipped file with an empty one.
bool ParticleEmitter::exportToJson() const
{
    ParticleManager* manager = Manager();
    if (manager->isNull())
    {
        Log()->error("Emitter export skipped: no particle system is running");
        return false;
    }
    return WriteEmitterArchetypes(manager->getArchetypePath(), manager->getArchetypes());
}

void ParticleEmitter::setPosition(const glm::vec3& value)
{
    transform->setPosition(value);
}

glm::vec3 ParticleEmitter::getPosition() const
{
    return transform->getPosition();
}

void ParticleEmitter::setSpawnRangeX(const glm::vec2& lowerUpper)
{
    xLower = lowerUpper.x;
    xUpper = lowerUpper.y;
}

void ParticleEmitter::setSpawnRangeY(const glm::vec2& lowerUpper)
{
    yLower = lowerUpper.x;
    yUpper = lowerUpper.y;
}

std::string ParticleEmitter::getArchetypeName() const
{
    return std::string(archetypeName);
}

void ParticleEmitter::setArchetypeName(const std::string& value)
{
    size_t length = std::min(value.size(), kArchetypeNameSize - 1);
    // Never keep half a multi-byte character: the name is written back out as UTF-8.
    while (length > 0 && length < value.size() && IsUtf8Continuation(value[length]))
        --length;
    std::memset(archetypeName, 0, kArchetypeNameSize);
    std::memcpy(archetypeName, value.data(), length);
}

void ParticleEmitter::setFlag(const std::string& name, bool value)
{
    flags.insert_or_assign(name, value);
}

bool ParticleEmitter::getFlag(const std::string& name) const
{
    const auto found = flags.find(name);
    return found != flags.end() && found->second;
}

ParticleEmitterNull* ParticleEmitterNull::instance()
{
    static ParticleEmitterNull null;
    return &null;
}

ParticleEmitter* ParticleEmitterNull::clone() const
{
    return instance();
}
