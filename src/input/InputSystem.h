#pragma once
// Maps keyboard, mouse and gamepad controls to named actions.

#include "engine/IEngineSystem.h"
#include "engine/Observer.h"

class InputSystem : public IEngineSystem, public Observer
{
public:
    static constexpr const char* kName = "InputSystem";
    static InputSystem* getInstance();

    void initialize() override;
    void update() override;
    void render() override;
    void shutdown() override;
};

class InputSystemNull : public InputSystem
{
public:
    static InputSystemNull* instance();
    void initialize() override {}
    void update() override {}
    void render() override {}
    void shutdown() override {}
    bool isNull() const override { return true; }
};
