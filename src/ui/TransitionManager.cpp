#include "ui/TransitionManager.h"

#include "engine/SystemSingleton.h"
#include "engine/TraceLog.h"

namespace
{
TransitionManager* gTransitionManager = nullptr;
}

TransitionManager* TransitionManager::getInstance()
{
    return GetSystemSingleton(gTransitionManager, kName);
}

TransitionManagerNull* TransitionManagerNull::instance()
{
    static TransitionManagerNull null;
    return &null;
}

void TransitionManager::initialize()
{
    Log()->message(kName, "initialize");
}

void TransitionManager::update() {}

void TransitionManager::render() {}

void TransitionManager::shutdown()
{
    Log()->message(kName, "shutdown");
}
