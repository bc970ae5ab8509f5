#pragma once
// A windowless engine with a ParticleManager of its own, a hand-driven clock and an archetype
// file in a scratch folder, so particle tests never touch the game's assets.

#include "engine/Engine.h"
#include "engine/GameClock.h"
#include "graphics/TextureManager.h"
#include "particles/ParticleManager.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>

#include <string>

namespace test
{
// Hands out textures whose id tells which name was asked for.
class NamedTextureManager : public TextureManager
{
public:
    Texture getTexture(const std::string& name) override
    {
        requested.push_back(name);
        if (name == "TempZero")
            return {100, TextureKind::Blended, 32.0f, 32.0f};
        if (name == "TempOne")
            return {101, TextureKind::Blended, 32.0f, 32.0f};
        if (name == "Spark")
            return {7, TextureKind::Blended, 16.0f, 16.0f};
        return {1, TextureKind::Opaque, 8.0f, 8.0f};
    }
    std::vector<std::string> requested;
};

class ParticleWorld
{
public:
    static constexpr int64_t kStartMs = 100000;

    explicit ParticleWorld(const std::string& archetypeText = "null", const std::string& folderName = "Particles")
    {
        GameClock::setManualSeconds((static_cast<double>(kStartMs) + 0.25) / 1000.0);
        engine.makeCurrent();
        manager.setName(ParticleManager::kName);
        textures.setName(TextureManager::kName);
        engine.registerSystem(&textures);
        engine.registerSystem(&manager);
        folder = ScratchFolder(folderName);
        archetypePath = folder + "/ParticleEmitter.json";
        WriteText(archetypePath, archetypeText);
        manager.setArchetypePath(archetypePath);
        manager.initialize();
    }

    ~ParticleWorld()
    {
        manager.shutdown();
        GameClock::useRealClock();
    }

    // Whole milliseconds without drift: a quarter millisecond past the mark keeps the
    // clock's truncation from landing one below it.
    void advanceMs(int64_t ms)
    {
        nowMs += ms;
        GameClock::setManualSeconds((static_cast<double>(nowMs) + 0.25) / 1000.0);
    }
    int64_t nowMs = kStartMs;

    Engine engine{"T", 800, 600, 10000};
    NamedTextureManager textures;
    ParticleManager manager;
    std::string folder;
    std::string archetypePath;
};
}
