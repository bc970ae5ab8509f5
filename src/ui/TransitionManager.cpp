#include "ui/TransitionManager.h"

#include "engine/SystemSingleton.h"

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

void TransitionManager::initialize() {}
void TransitionManager::update() {}
void TransitionManager::render() {}
void TransitionManager::restart() {}
bool TransitionManager::startTransition(std::string, TransitionCallback) { return false; }
bool TransitionManager::startTransition(TransitionCallback, std::string, TransitionCallback) { return false; }
bool TransitionManager::startTransition(TransitionCallback, std::string) { return false; }
bool TransitionManager::startTransition(std::string) { return false; }
void TransitionManager::takeSheets() {}
void TransitionManager::stepCovering(float) {}
void TransitionManager::stepHolding(float) {}
void TransitionManager::stepUncovering(float) {}
