#include "audio/SoundManager.h"

#include "engine/SystemSingleton.h"
#include "engine/TraceLog.h"

namespace
{
SoundManager* gSoundManager = nullptr;
}

SoundManager* SoundManager::getInstance()
{
    return GetSystemSingleton(gSoundManager, kName);
}

SoundManagerNull* SoundManagerNull::instance()
{
    static SoundManagerNull null;
    return &null;
}

void SoundManager::initialize()
{
    Log()->message(kName, "initialize");
}

void SoundManager::update() {}

void SoundManager::render() {}

void SoundManager::shutdown()
{
    Log()->message(kName, "shutdown");
}
