#include "graphics/MeshManager.h"

#include "engine/FileHelpers.h"
#include "engine/SystemSingleton.h"
#include "engine/TraceLog.h"
#include "graphics/AssetFolder.h"
#include "graphics/Mesh.h"

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

Mesh* MeshManagerNull::getMesh(const std::string&)
{
    return MeshNull::instance();
}

void MeshManager::initialize()
{
    loadFolder(kMeshFolder);
    Log()->message(kName, "initialize");
}

void MeshManager::update() {}

void MeshManager::render() {}

void MeshManager::shutdown()
{
    for (auto& entry : meshes)
        if (!entry.second->isNull())
            delete entry.second;
    meshes.clear();
    reportedMissing.clear();
    Log()->message(kName, "shutdown");
}

Mesh* MeshManager::getMesh(const std::string& name)
{
    const auto found = meshes.find(name);
    if (found != meshes.end())
        return found->second;
    if (reportedMissing.insert(name).second)
        Log()->error("Mesh, " + name + ", searched for but not found!");
    return MeshNull::instance();
}

void MeshManager::loadFolder(const std::string& folder)
{
    for (const std::string& path : ListAssetFolder(folder, false, true))
    {
        auto* mesh = new Mesh();
        try
        {
            mesh->loadObj(path);
        }
        catch (...)
        {
            delete mesh;
            throw;
        }
        Mesh*& slot = meshes[StripExtension(GetFileName(path))];
        if (slot && !slot->isNull())
            delete slot;
        slot = mesh;
    }
}
