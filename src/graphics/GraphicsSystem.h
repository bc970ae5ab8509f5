#pragma once
// Sets up the opaque pass and draws the queued blended pass; registered twice.

#include "engine/IEngineSystem.h"
#include "engine/Observer.h"

class GraphicsSystem : public IEngineSystem, public Observer
{
public:
    static constexpr const char* kName = "GraphicsSystem";
    static GraphicsSystem* getInstance();

    void initialize() override;
    void update() override;
    void render() override;
    void shutdown() override;
};

class GraphicsSystemNull : public GraphicsSystem
{
public:
    static GraphicsSystemNull* instance();
    void initialize() override {}
    void update() override {}
    void render() override {}
    void shutdown() override {}
    bool isNull() const override { return true; }
};
