#pragma once
// Draws the screen-space windows of buttons and the controller notice.

#include "engine/IEngineSystem.h"
#include "engine/Observer.h"

#include <cstdint>

class UIManager : public IEngineSystem, public Observer
{
public:
    static constexpr const char* kName = "UIManager";
    static UIManager* getInstance();

    void initialize() override;
    void update() override;
    void render() override;
    void shutdown() override;

    // Tells the player which device now drives the game (0 keyboard, 1 "Wireless Controller",
    // 2 any other gamepad).
    virtual void showControllerNotice(int32_t controllerType);
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
    void showControllerNotice(int32_t) override {}
};
