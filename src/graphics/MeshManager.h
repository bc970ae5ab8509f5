#pragma once
// Loads every OBJ file of "assets/meshes/" at start-up and hands the meshes out by file stem
// ("quad", "ring", and the meshes the archetypes name). MeshComp, the particles and the
// blended queue hold the raw pointers it hands out; shutdown deletes the meshes, so those
// holders must be done drawing by then. An unknown name gets the null mesh, which draws nothing.

#include "engine/IEngineSystem.h"
#include "engine/Observer.h"

#include <map>
#include <set>
#include <string>

class Mesh;

class MeshManager : public IEngineSystem, public Observer
{
public:
    static constexpr const char* kName = "MeshManager";
    static constexpr const char* kMeshFolder = "assets/meshes";
    static MeshManager* getInstance();

    void initialize() override;
    void update() override;
    void render() override;
    void shutdown() override;

    // The mesh stored under the name, or the null mesh (whose draw does nothing). A missing
    // name is logged the first time it is asked for: callers look meshes up every frame.
    virtual Mesh* getMesh(const std::string& name);

    // Loads every file of the folder in name order; a later file of the same stem replaces
    // the earlier one. A file that is not a readable OBJ throws std::invalid_argument.
    void loadFolder(const std::string& folder);
    bool hasMesh(const std::string& name) const { return meshes.count(name) != 0; }

private:
    std::map<std::string, Mesh*> meshes;
    std::set<std::string> reportedMissing;
};

class MeshManagerNull : public MeshManager
{
public:
    static MeshManagerNull* instance();
    void initialize() override {}
    void update() override {}
    void render() override {}
    void shutdown() override {}
    bool isNull() const override { return true; }
    Mesh* getMesh(const std::string& name) override;
};
