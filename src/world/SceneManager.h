#pragma once
// Loads the level files under "assets/scenes/".

#include "engine/IEngineSystem.h"
#include "engine/Observer.h"

class SceneManager : public IEngineSystem, public Observer
{
public:
    static constexpr const char* kName = "SceneManager";
    static SceneManager* getInstance();

    void initialize() override;
    void update() override;
    void render() override;
    void shutdown() override;
};

class SceneManagerNull : public SceneManager
{
public:
    static SceneManagerNull* instance();
    void initialize() override {}
    void update() override {}
    void render() override {}
    void shutdown() override {}
    bool isNull() const override { return true; }
};
