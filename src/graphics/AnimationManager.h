#pragma once
// Owns the sprite-sheet animations of "assets/Animations/Animations.json".

#include "engine/IEngineSystem.h"
#include "engine/Observer.h"

class AnimationManager : public IEngineSystem, public Observer
{
public:
    static constexpr const char* kName = "AnimationManager";
    static AnimationManager* getInstance();

    void initialize() override;
    void update() override;
    void render() override;
    void shutdown() override;
};

class AnimationManagerNull : public AnimationManager
{
public:
    static AnimationManagerNull* instance();
    void initialize() override {}
    void update() override {}
    void render() override {}
    void shutdown() override {}
    bool isNull() const override { return true; }
};
