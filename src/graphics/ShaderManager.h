#pragma once
// Builds one shader program per folder under "shaders/".

#include "engine/IEngineSystem.h"
#include "engine/Observer.h"

class ShaderManager : public IEngineSystem, public Observer
{
public:
    static constexpr const char* kName = "ShaderManager";
    static ShaderManager* getInstance();

    void initialize() override;
    void update() override;
    void render() override;
    void shutdown() override;
};

class ShaderManagerNull : public ShaderManager
{
public:
    static ShaderManagerNull* instance();
    void initialize() override {}
    void update() override {}
    void render() override {}
    void shutdown() override {}
    bool isNull() const override { return true; }
};
