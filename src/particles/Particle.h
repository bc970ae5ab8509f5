#pragma once
// A particle that keeps its colour for its whole life; tinted through the draw colour.

#include "particles/AbstractParticle.h"
#include "particles/ParticleBody.h"

class Particle : public AbstractParticle
{
public:
    using FlagMap = ParticleBody::FlagMap;

    // Serves the static null particle: plain defaults, no engine lookups.
    Particle() = default;
    // Builds the particle; the emitter hands it to ParticleManager::addParticle at once.
    Particle(const int64_t& lifespan, const glm::vec3& position, const glm::vec3& velocity,
             const glm::vec3& acceleration, const glm::vec4& color, const glm::vec3& scale, Texture texture,
             const FlagMap& flags, const glm::vec3& convergePoint);

    void update() override;
    void draw(DrawData& data) override;
    bool isDead() const override { return body.isDead(); }
    void setFlag(const std::string& name, bool value) override { body.setFlag(name, value); }
    bool getFlag(const std::string& name) const override { return body.getFlag(name); }

    const ParticleBody& getBody() const { return body; }

private:
    ParticleBody body;
};

class ParticleNull : public Particle
{
public:
    static ParticleNull* instance();
    void update() override {}
    void draw(DrawData&) override {}
    bool isDead() const override { return false; }
    void setFlag(const std::string&, bool) override {}
    bool getFlag(const std::string&) const override { return false; }
    bool isNull() const override { return true; }
};
