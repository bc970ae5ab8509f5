#include "particles/ParticleManager.h"

#include "engine/SystemSingleton.h"
#include "engine/TraceLog.h"

namespace
{
ParticleManager* gParticleManager = nullptr;
}

ParticleManager* ParticleManager::getInstance()
{
    return GetSystemSingleton(gParticleManager, kName);
}

ParticleManagerNull* ParticleManagerNull::instance()
{
    static ParticleManagerNull null;
    return &null;
}

void ParticleManager::initialize()
{
    Log()->message(kName, "initialize");
}

void ParticleManager::update() {}

void ParticleManager::render() {}

void ParticleManager::shutdown()
{
    Log()->message(kName, "shutdown");
}
