#pragma once
// A particle that keeps its colour for its whole life; tinted through the draw colour.
// The emitter builds it and hands it to ParticleManager::addParticle at once.

#include "particles/ParticleBase.h"

class Particle : public ParticleBase
{
public:
    using ParticleBase::ParticleBase;

    void update() override;
    void draw(DrawData& data) override;
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
