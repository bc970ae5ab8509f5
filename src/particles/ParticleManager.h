#pragma once
// Owns every live particle and every emitter archetype.

#include "engine/IEngineSystem.h"
#include "engine/Observer.h"

class ParticleManager : public IEngineSystem, public Observer
{
public:
    static constexpr const char* kName = "ParticleManager";
    static ParticleManager* getInstance();

    void initialize() override;
    void update() override;
    void render() override;
    void shutdown() override;
};

class ParticleManagerNull : public ParticleManager
{
public:
    static ParticleManagerNull* instance();
    void initialize() override {}
    void update() override {}
    void render() override {}
    void shutdown() override {}
    bool isNull() const override { return true; }
};
