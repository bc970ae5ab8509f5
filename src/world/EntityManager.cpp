#include "world/EntityManager.h"

#include "engine/SystemSingleton.h"
#include "engine/TraceLog.h"

namespace
{
EntityManager* gEntityManager = nullptr;
}

EntityManager* EntityManager::getInstance()
{
    return GetSystemSingleton(gEntityManager, kName);
}

EntityManagerNull* EntityManagerNull::instance()
{
    static EntityManagerNull null;
    return &null;
}

void EntityManager::initialize()
{
    Log()->message(kName, "initialize");
}

void EntityManager::update() {}

void EntityManager::render() {}

void EntityManager::shutdown()
{
    Log()->message(kName, "shutdown");
}
