#include "graphics/AnimationManager.h"

#include "engine/SystemSingleton.h"
#include "engine/TraceLog.h"

namespace
{
AnimationManager* gAnimationManager = nullptr;
}

AnimationManager* AnimationManager::getInstance()
{
    return GetSystemSingleton(gAnimationManager, kName);
}

AnimationManagerNull* AnimationManagerNull::instance()
{
    static AnimationManagerNull null;
    return &null;
}

void AnimationManager::initialize()
{
    Log()->message(kName, "initialize");
}

void AnimationManager::update() {}

void AnimationManager::render() {}

void AnimationManager::shutdown()
{
    Log()->message(kName, "shutdown");
}
