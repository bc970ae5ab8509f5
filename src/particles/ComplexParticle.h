#pragma once
// A particle that fades: its alpha shrinks every step and it is drawn through the blend
// colour, so a translucent one goes to the blended pass. The emitter builds it and hands it
// to ParticleManager::addComplexParticle at once.

#include "particles/ParticleBase.h"

class ComplexParticle : public ParticleBase
{
public:
    using ParticleBase::ParticleBase;

    void update() override;
    void draw(DrawData& data) override;
};

class ComplexParticleNull : public ComplexParticle
{
public:
    static ComplexParticleNull* instance();
    void update() override {}
    void draw(DrawData&) override {}
    bool isDead() const override { return false; }
    void setFlag(const std::string&, bool) override {}
    bool getFlag(const std::string&) const override { return false; }
    bool isNull() const override { return true; }
};
