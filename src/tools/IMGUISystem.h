#pragma once
// Builds the developer GUI frame and draws it after the scene.

#include "engine/IEngineSystem.h"
#include "engine/Observer.h"

class IMGUISystem : public IEngineSystem, public Observer
{
public:
    static constexpr const char* kName = "IMGUISystem";
    static IMGUISystem* getInstance();

    void initialize() override;
    void update() override;
    void render() override;
    void shutdown() override;
};

class IMGUISystemNull : public IMGUISystem
{
public:
    static IMGUISystemNull* instance();
    void initialize() override {}
    void update() override {}
    void render() override {}
    void shutdown() override {}
    bool isNull() const override { return true; }
};
