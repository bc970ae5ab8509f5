#pragma once
// Draws the screen-space windows of buttons and the controller notice.

#include "engine/IEngineSystem.h"
#include "engine/Observer.h"

class UIManager : public IEngineSystem, public Observer
{
public:
    static constexpr const char* kName = "UIManager";
    static UIManager* getInstance();

    void initialize() override;
    void update() override;
    void render() override;
    void shutdown() override;
};

class UIManagerNull : public UIManager
{
public:
    static UIManagerNull* instance();
    void initialize() override {}
    void update() override {}
    void render() override {}
    void shutdown() override {}
    bool isNull() const override { return true; }
};
