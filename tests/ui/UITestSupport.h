#pragma once
// Shared set-up of the interface tests: a windowless engine made current with an input system
// reading a scripted device, a texture manager that hands out one id per name, a mesh manager
// whose "quad" records every draw, a sound manager that records the presets it is asked to
// play, the real animation sheets and a fresh UIManager. Each step() runs the input system and
// then the interface manager, as the engine's system order does.

#include "audio/SoundManager.h"
#include "engine/Engine.h"
#include "engine/GameClock.h"
#include "graphics/AnimationManager.h"
#include "graphics/DrawData.h"
#include "graphics/Mesh.h"
#include "graphics/MeshManager.h"
#include "graphics/TextureManager.h"
#include "input/FakeInputDevice.h"
#include "input/InputSystem.h"
#include "ui/UIManager.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

namespace uitest
{
struct Draw
{
    std::string texture;
    glm::vec3 position;
    glm::vec3 scale;
    glm::vec2 uvOffset;
};

// Gives every name its own texture id (1, 2, ...) so recorded draws can be read back by name.
class NamingTextureManager : public TextureManager
{
public:
    Texture getTexture(const std::string& name) override
    {
        auto found = std::find(names.begin(), names.end(), name);
        if (found == names.end())
            found = names.insert(names.end(), name);
        return {static_cast<uint32_t>(found - names.begin()) + 1, TextureKind::Opaque, 1.0f, 1.0f};
    }
    std::string nameOf(uint32_t id) const { return id == 0 || id > names.size() ? "" : names[id - 1]; }
    std::vector<std::string> names;
};

class RecordingMesh : public Mesh
{
public:
    explicit RecordingMesh(const NamingTextureManager& textureNames) : textures(textureNames) {}
    void draw(const DrawData& record, bool) override
    {
        draws.push_back({textures.nameOf(record.texture.id), record.transform.getPosition(),
                         record.transform.getScale(), record.textureUVOffset});
    }
    std::vector<std::string> drawnTextures() const
    {
        std::vector<std::string> result;
        for (const Draw& draw : draws)
            result.push_back(draw.texture);
        return result;
    }
    std::vector<Draw> draws;

private:
    const NamingTextureManager& textures;
};

class RecordingMeshManager : public MeshManager
{
public:
    explicit RecordingMeshManager(Mesh* quadMesh) : quad(quadMesh) {}
    Mesh* getMesh(const std::string& name) override { return name == "quad" ? quad : MeshNull::instance(); }

private:
    Mesh* quad;
};

class RecordingSoundManager : public SoundManager
{
public:
    SoundReceipt playPreset(std::string name) override
    {
        played.push_back(name);
        return SoundReceipt();
    }
    size_t count(const std::string& name) const { return std::count(played.begin(), played.end(), name); }
    std::vector<std::string> played;
};

class UIFixture : public ::testing::Test
{
protected:
    void SetUp() override
    {
        GameClock::setManualSeconds(100.0);
        engine.makeCurrent();
        register_(InputSystem::kName, input);
        register_(TextureManager::kName, textures);
        register_(MeshManager::kName, meshes);
        register_(SoundManager::kName, sound);
        register_(AnimationManager::kName, animations);
        register_(UIManager::kName, ui);
        animations.loadAnimationSheets(AnimationManager::kSheetFile);
        input.setDevice(&device);
        input.setBindingFilePath(bindingFile());
        input.initialize();
        ui.initialize();
    }

    void TearDown() override
    {
        ui.clearWindows();
        GameClock::useRealClock();
    }

    virtual std::string bindingFile() const { return "tests/data/input/empty.json"; }

    virtual void step(int times = 1)
    {
        for (int i = 0; i < times; ++i)
        {
            input.update();
            ui.update();
        }
    }

    void plugGamepad() { device.plugPad(0, "Xbox Controller"); }
    void pointAt(double x, double y)
    {
        device.cursorX = x;
        device.cursorY = y;
    }

    Engine engine{"T", 800, 600, 10000};
    FakeInputDevice device;
    InputSystem input;
    NamingTextureManager textures;
    RecordingMesh quad{textures};
    RecordingMeshManager meshes{&quad};
    RecordingSoundManager sound;
    AnimationManager animations;
    UIManager ui;

private:
    template <class T>
    void register_(const char* name, T& system)
    {
        system.setName(name);
        engine.registerSystem(&system);
    }
};
}
