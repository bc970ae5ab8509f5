#include "graphics/MeshManager.h"

#include "engine/SystemSingleton.h"
#include "engine/TraceLog.h"

namespace
{
MeshManager* gMeshManager = nullptr;
}

MeshManager* MeshManager::getInstance()
{
    return GetSystemSingleton(gMeshManager, kName);
}

MeshManagerNull* MeshManagerNull::instance()
{
    static MeshManagerNull null;
    return &null;
}

void MeshManager::initialize()
{
    Log()->message(kName, "initialize");
}

void MeshManager::update() {}

void MeshManager::render() {}

void MeshManager::shutdown()
{
    Log()->message(kName, "shutdown");
}
