#pragma once
// The part Particle and ComplexParticle share: a ParticleBody and the age and flag queries
// answered from it. The two kinds differ only in how they step and how they draw, so those
// stay abstract here.

#include "particles/AbstractParticle.h"
#include "particles/ParticleBody.h"

class ParticleBase : public AbstractParticle
{
public:
    using FlagMap = ParticleBody::FlagMap;

    // Serves the static null particles: plain defaults, no engine lookups.
    ParticleBase() = default;
    ParticleBase(const int64_t& lifespan, const glm::vec3& position, const glm::vec3& velocity,
                 const glm::vec3& acceleration, const glm::vec4& color, const glm::vec3& scale,
                 const Texture& texture, const FlagMap& flags, const glm::vec3& convergePoint)
        : body(lifespan, position, velocity, acceleration, color, scale, texture, flags, convergePoint)
    {
    }

    bool isDead() const override { return body.isDead(); }
    void setFlag(const std::string& name, bool value) override { body.setFlag(name, value); }
    bool getFlag(const std::string& name) const override { return body.getFlag(name); }

    const ParticleBody& getBody() const { return body; }

protected:
    ParticleBody body;
};
