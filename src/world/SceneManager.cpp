#include "world/SceneManager.h"

#include "engine/SystemSingleton.h"
#include "engine/TraceLog.h"

namespace
{
SceneManager* gSceneManager = nullptr;
}

SceneManager* SceneManager::getInstance()
{
    return GetSystemSingleton(gSceneManager, kName);
}

SceneManagerNull* SceneManagerNull::instance()
{
    static SceneManagerNull null;
    return &null;
}

void SceneManager::initialize()
{
    Log()->message(kName, "initialize");
}

void SceneManager::update() {}

void SceneManager::render() {}

void SceneManager::shutdown()
{
    Log()->message(kName, "shutdown");
}
