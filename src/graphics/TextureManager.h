#pragma once
// Loads the opaque and blended textures and hands them out by name.

#include "engine/IEngineSystem.h"
#include "engine/Observer.h"

class TextureManager : public IEngineSystem, public Observer
{
public:
    static constexpr const char* kName = "TextureManager";
    static TextureManager* getInstance();

    void initialize() override;
    void update() override;
    void render() override;
    void shutdown() override;
};

class TextureManagerNull : public TextureManager
{
public:
    static TextureManagerNull* instance();
    void initialize() override {}
    void update() override {}
    void render() override {}
    void shutdown() override {}
    bool isNull() const override { return true; }
};
