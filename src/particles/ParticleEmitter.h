#pragma once
// Scatters bursts of particles round a position. Archetypes live in ParticleManager; entities
// hold clones in their EmitterListComp, which steps them once per fixed step. Each burst draws
// every deviation from one RandomGenerator seeded by the emitter id and the clock, in a fixed
// order, so a burst is reproducible from its seed.

#include "graphics/Texture.h"

#include <glm/glm.hpp>

#include <cstdint>
#include <map>
#include <string>

class TransformComp;
class RandomGenerator;

class ParticleEmitter
{
public:
    using FlagMap = std::map<std::string, bool, std::less<>>;
    // 63 characters and a terminator: the editor edits the name in place.
    static constexpr size_t kArchetypeNameSize = 64;
    // Emitter flag: each particle shows one of the two binary-digit textures at random.
    static inline const std::string kFirewallFlag{"firewall"};

    ParticleEmitter();
    ParticleEmitter(const ParticleEmitter&) = delete;
    ParticleEmitter& operator=(const ParticleEmitter&) = delete;
    virtual ~ParticleEmitter();

    virtual void update();
    virtual ParticleEmitter* clone() const;
    virtual bool isExpired() const;
    virtual void print() const;
    // False, with the file left as it was, when nothing could be written.
    virtual bool exportToJson() const;
    virtual bool isNull() const { return false; }
    virtual std::string getName() const { return "ParticleEmitter"; }
    // The live editor (ParticleEmitter_Editor.cpp), drawn into the caller's open window inside
    // a GUI frame; the counter gives every numbered widget its own identity.
    virtual void drawEditor(int32_t* counter);

    virtual void spawnParticle(const glm::vec3& position, const int64_t& lifespan,
                               const glm::vec3& velocity, const glm::vec4& color,
                               const glm::vec3& scale, const glm::vec3& convergePoint,
                               Texture particleTexture);
    virtual void spawnComplexParticle(const glm::vec3& position, const int64_t& lifespan,
                                      const glm::vec3& velocity, const glm::vec4& color,
                                      const glm::vec3& scale, const glm::vec3& convergePoint,
                                      Texture particleTexture);

    virtual void setVelocity(const glm::vec3& value) { velocity = value; }
    virtual glm::vec3 getVelocity() const { return velocity; }
    virtual void setVelocityDeviationX(float value) { velocityDeviationX = value; }
    virtual float getVelocityDeviationX() const { return velocityDeviationX; }
    virtual void setVelocityDeviationY(float value) { velocityDeviationY = value; }
    virtual float getVelocityDeviationY() const { return velocityDeviationY; }
    virtual void setLoop(bool value) { loop = value; }
    virtual bool getLoop() const { return loop; }
    virtual void setColor(const glm::vec4& value) { color = value; }
    virtual glm::vec4 getColor() const { return color; }
    virtual void setColorDeviation(const glm::vec4& value) { colorDeviation = value; }
    virtual glm::vec4 getColorDeviation() const { return colorDeviation; }
    virtual void setPosition(const glm::vec3& value);
    virtual glm::vec3 getPosition() const;
    virtual void setNumParticles(int32_t value) { numParticles = value; }
    virtual int32_t getNumParticles() const { return numParticles; }
    virtual void setNumComplexParticles(int32_t value) { numComplexParticles = value; }
    virtual int32_t getNumComplexParticles() const { return numComplexParticles; }
    virtual void setLifespan(int64_t value) { lifespan = value; }
    virtual int64_t getLifespan() const { return lifespan; }
    virtual void setLoopDelay(int64_t value) { loopDelay = value; }
    virtual int64_t getLoopDelay() const { return loopDelay; }
    virtual void setLastBurstTime(int64_t value) { lastBurstTime = value; }
    virtual int64_t getLastBurstTime() const { return lastBurstTime; }
    virtual void setStartTime(int64_t value) { startTime = value; }
    virtual int64_t getStartTime() const { return startTime; }
    virtual void setNeverExpires(bool value) { neverExpires = value; }
    virtual bool getNeverExpires() const { return neverExpires; }
    virtual void setAcceleration(const glm::vec3& value) { acceleration = value; }
    virtual glm::vec3 getAcceleration() const { return acceleration; }
    virtual void setParticleLifespan(int64_t value) { particleLifespan = value; }
    virtual int64_t getParticleLifespan() const { return particleLifespan; }
    virtual void setParticleLifespanDeviation(int64_t value) { particleLifespanDeviation = value; }
    virtual int64_t getParticleLifespanDeviation() const { return particleLifespanDeviation; }
    virtual void setLoopDelayDeviation(int64_t value) { loopDelayDeviation = value; }
    virtual int64_t getLoopDelayDeviation() const { return loopDelayDeviation; }
    virtual bool isActive() const { return active; }
    virtual void setActive(bool value) { active = value; }
    virtual void setBaseParticleScale(const glm::vec3& value) { baseParticleScale = value; }
    virtual glm::vec3 getBaseParticleScale() const { return baseParticleScale; }
    virtual void setParticleScaleDeviation(const glm::vec3& value) { particleScaleDeviation = value; }
    virtual glm::vec3 getParticleScaleDeviation() const { return particleScaleDeviation; }
    virtual void setTexture(const Texture& value) { texture = value; }
    virtual Texture getTexture() const { return texture; }
    virtual void setTextureName(std::string value) { textureName = std::move(value); }
    virtual std::string getTextureName() const { return textureName; }
    virtual void setPositionOffset(const glm::vec3& value) { positionOffset = value; }
    virtual glm::vec3 getPositionOffset() const { return positionOffset; }
    virtual void setSpawnRangeX(const glm::vec2& lowerUpper);
    void setSpawnRangeX(float lower, float upper) { setSpawnRangeX(glm::vec2(lower, upper)); }
    virtual glm::vec2 getSpawnRangeX() const { return {xLower, xUpper}; }
    virtual void setSpawnRangeY(const glm::vec2& lowerUpper);
    void setSpawnRangeY(float lower, float upper) { setSpawnRangeY(glm::vec2(lower, upper)); }
    virtual glm::vec2 getSpawnRangeY() const { return {yLower, yUpper}; }
    virtual void setRadius(float value) { radius = value; }
    virtual float getRadius() const { return radius; }
    virtual void setShowBounds(bool value) { showBounds = value; }
    virtual bool getShowBounds() const { return showBounds; }
    virtual void setSpawnType(int32_t value) { spawnType = value; }
    virtual int32_t getSpawnType() const { return spawnType; }
    virtual std::string getArchetypeName() const;
    virtual void setArchetypeName(const std::string& value);
    virtual void setUseDensity(bool value) { useDensity = value; }
    virtual bool getUseDensity() const { return useDensity; }
    virtual void setFlag(const std::string& name, bool value);
    virtual bool getFlag(const std::string& name) const;
    virtual const FlagMap& getFlags() const { return flags; }
    virtual void setConvergePoint(const glm::vec3& value) { convergePoint = value; }
    virtual glm::vec3 getConvergePoint() const { return convergePoint; }

    // The name array itself, for an editor that edits it in place (kArchetypeNameSize bytes,
    // always terminated).
    char* archetypeNameBuffer() { return archetypeName; }

    // Plain particles (or complex ones) one burst spawns: the count, scaled by the spawn area
    // when density is on, and never 0 for a non-zero count.
    int32_t burstCount(int32_t count) const;

protected:
    // For the null emitter: plain defaults only, no transform, no engine lookups.
    struct PlainDefaultsTag
    {
    };
    explicit ParticleEmitter(PlainDefaultsTag);

private:
    void drawPlacementEditor(int32_t* counter);
    void drawSpawnEditor(int32_t* counter);
    void drawMotionEditor(int32_t* counter);
    void drawTimingEditor(int32_t* counter);
    void drawLookEditor(int32_t* counter);
    void drawTextureEditor(int32_t* counter);
    void drawExportEditor(int32_t* counter);
    void setPlainDefaults();
    void burst();
    // Plain particles, or fading (complex) ones.
    void spawnBurstParticles(RandomGenerator& random, int32_t count, bool fading);
    glm::vec2 spawnOffset(RandomGenerator& random, float u) const;
    Texture particleTexture(RandomGenerator& random) const;
    float areaFactor() const;
    void copyFrom(const ParticleEmitter& source);

    glm::vec3 velocity{0.0f};
    glm::vec3 acceleration{0.0f};
    float velocityDeviationX = 0.0f;
    float velocityDeviationY = 0.0f;
    int32_t numParticles = 0;
    int32_t numComplexParticles = 0;
    TransformComp* transform = nullptr;
    int64_t lifespan = 0;
    int64_t startTime = 0;
    int64_t particleLifespan = 1000;
    int64_t particleLifespanDeviation = 0;
    int64_t loopDelay = 0;
    int64_t loopDelayDeviation = 0;
    int64_t lastBurstTime = 0;
    bool loop = true;
    bool neverExpires = false;
    glm::vec4 color{0.0f};
    glm::vec4 colorDeviation{0.0f};
    char archetypeName[kArchetypeNameSize] = {};
    bool active = true;
    glm::vec3 baseParticleScale{0.0f};
    glm::vec3 particleScaleDeviation{0.0f};
    Texture texture{};
    std::string textureName;
    glm::vec3 positionOffset{0.0f};
    float xLower = 0.0f;
    float xUpper = 0.0f;
    float yLower = 0.0f;
    float yUpper = 0.0f;
    float radius = 0.0f;
    bool showBounds = false;
    int32_t spawnType = 0;
    bool useDensity = false;
    FlagMap flags;
    glm::vec3 convergePoint{0.0f};
};

// The one shared stand-in every failed emitter lookup returns: it does nothing, returns
// zeros, clones to itself and is never deleted by its holders.
class ParticleEmitterNull : public ParticleEmitter
{
public:
    static ParticleEmitterNull* instance();
    using ParticleEmitter::setSpawnRangeX;
    using ParticleEmitter::setSpawnRangeY;

    void update() override {}
    ParticleEmitter* clone() const override;
    bool isExpired() const override { return true; }
    void print() const override {}
    bool exportToJson() const override { return false; }
    bool isNull() const override { return true; }
    std::string getName() const override { return "ParticleEmitterNull"; }
    void drawEditor(int32_t*) override {}

    void spawnParticle(const glm::vec3&, const int64_t&, const glm::vec3&, const glm::vec4&,
                       const glm::vec3&, const glm::vec3&, Texture) override {}
    void spawnComplexParticle(const glm::vec3&, const int64_t&, const glm::vec3&, const glm::vec4&,
                              const glm::vec3&, const glm::vec3&, Texture) override {}

    void setVelocity(const glm::vec3&) override {}
    glm::vec3 getVelocity() const override { return glm::vec3(0.0f); }
    void setVelocityDeviationX(float) override {}
    float getVelocityDeviationX() const override { return 0.0f; }
    void setVelocityDeviationY(float) override {}
    float getVelocityDeviationY() const override { return 0.0f; }
    void setLoop(bool) override {}
    bool getLoop() const override { return false; }
    void setColor(const glm::vec4&) override {}
    glm::vec4 getColor() const override { return glm::vec4(0.0f); }
    void setColorDeviation(const glm::vec4&) override {}
    glm::vec4 getColorDeviation() const override { return glm::vec4(0.0f); }
    void setPosition(const glm::vec3&) override {}
    glm::vec3 getPosition() const override { return glm::vec3(0.0f); }
    void setNumParticles(int32_t) override {}
    int32_t getNumParticles() const override { return 0; }
    void setNumComplexParticles(int32_t) override {}
    int32_t getNumComplexParticles() const override { return 0; }
    void setLifespan(int64_t) override {}
    int64_t getLifespan() const override { return 0; }
    void setLoopDelay(int64_t) override {}
    int64_t getLoopDelay() const override { return 0; }
    void setLastBurstTime(int64_t) override {}
    int64_t getLastBurstTime() const override { return 0; }
    void setStartTime(int64_t) override {}
    int64_t getStartTime() const override { return 0; }
    void setNeverExpires(bool) override {}
    bool getNeverExpires() const override { return false; }
    void setAcceleration(const glm::vec3&) override {}
    glm::vec3 getAcceleration() const override { return glm::vec3(0.0f); }
    void setParticleLifespan(int64_t) override {}
    int64_t getParticleLifespan() const override { return 0; }
    void setParticleLifespanDeviation(int64_t) override {}
    int64_t getParticleLifespanDeviation() const override { return 0; }
    void setLoopDelayDeviation(int64_t) override {}
    int64_t getLoopDelayDeviation() const override { return 0; }
    bool isActive() const override { return false; }
    void setActive(bool) override {}
    void setBaseParticleScale(const glm::vec3&) override {}
    glm::vec3 getBaseParticleScale() const override { return glm::vec3(0.0f); }
    void setParticleScaleDeviation(const glm::vec3&) override {}
    glm::vec3 getParticleScaleDeviation() const override { return glm::vec3(0.0f); }
    void setTexture(const Texture&) override {}
    Texture getTexture() const override { return Texture{}; }
    void setTextureName(std::string) override {}
    std::string getTextureName() const override { return std::string(); }
    void setPositionOffset(const glm::vec3&) override {}
    glm::vec3 getPositionOffset() const override { return glm::vec3(0.0f); }
    void setSpawnRangeX(const glm::vec2&) override {}
    glm::vec2 getSpawnRangeX() const override { return glm::vec2(0.0f); }
    void setSpawnRangeY(const glm::vec2&) override {}
    glm::vec2 getSpawnRangeY() const override { return glm::vec2(0.0f); }
    void setRadius(float) override {}
    float getRadius() const override { return 0.0f; }
    void setShowBounds(bool) override {}
    bool getShowBounds() const override { return false; }
    void setSpawnType(int32_t) override {}
    int32_t getSpawnType() const override { return 0; }
    std::string getArchetypeName() const override { return "ParticleEmitterNull"; }
    void setArchetypeName(const std::string&) override {}
    void setUseDensity(bool) override {}
    bool getUseDensity() const override { return false; }
    void setFlag(const std::string&, bool) override {}
    bool getFlag(const std::string&) const override { return false; }
    void setConvergePoint(const glm::vec3&) override {}
    glm::vec3 getConvergePoint() const override { return glm::vec3(0.0f); }

private:
    ParticleEmitterNull() : ParticleEmitter(PlainDefaultsTag{}) {}
};
