#pragma once
// Loads the OBJ meshes under "assets/meshes/" and hands them out by name.

#include "engine/IEngineSystem.h"
#include "engine/Observer.h"

class MeshManager : public IEngineSystem, public Observer
{
public:
    static constexpr const char* kName = "MeshManager";
    static MeshManager* getInstance();

    void initialize() override;
    void update() override;
    void render() override;
    void shutdown() override;
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
};
