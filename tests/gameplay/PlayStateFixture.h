#pragma once
// A windowless engine for the play state: the real input system (on a scripted device), entity
// manager, state manager and particle manager, with recording stand-ins for the player
// controller, screen wipes, scenes, sound, drawing and the developer tools. Every test starts
// from a fresh play-state record.

#include "audio/SoundManager.h"
#include "engine/Engine.h"
#include "engine/EngineStateManager.h"
#include "gameplay/EngineStateKestrin.h"
#include "gameplay/PlayStateRecord.h"
#include "gameplay/PlayerControllerSystem.h"
#include "graphics/GraphicsSystem.h"
#include "graphics/Mesh.h"
#include "graphics/MeshManager.h"
#include "graphics/TextureManager.h"
#include "input/FakeInputDevice.h"
#include "input/InputSystem.h"
#include "particles/EmitterListComp.h"
#include "particles/ParticleEmitter.h"
#include "particles/ParticleManager.h"
#include "tools/DebugSystem.h"
#include "tools/IMGUISystem.h"
#include "ui/TransitionManager.h"
#include "world/Entity.h"
#include "world/EntityManager.h"
#include "world/SceneManager.h"
#include "world/StatsComp.h"
#include "world/TransformComp.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace playtest
{
class FakeController : public PlayerControllerSystem
{
public:
    FakeController() { setName(kName); }
    void initialize() override {}
    void update() override {}
    void render() override {}
    void shutdown() override {}
    void onPause() override {}
    void onResume() override {}
    void resetPlayer() override { ++resets; }
    bool isPackageHeld() const override { return packageHeld; }
    bool areControlsDisabled() const override { return controlsDisabled; }

    bool packageHeld = false;
    bool controlsDisabled = false;
    int resets = 0;
};

class FakeTransitions : public TransitionManager
{
public:
    FakeTransitions() { setName(kName); }
    void initialize() override {}
    void update() override {}
    void render() override {}
    void restart() override {}
    bool startTransition(TransitionCallback covered, std::string name, TransitionCallback uncovered) override
    {
        ++requests;
        if (running || !accepts)
            return false;
        started.push_back(name);
        onCovered = covered;
        onUncovered = uncovered;
        running = true;
        return true;
    }
    bool isRunning() const override { return running; }

    void reset()
    {
        accepts = true;
        running = false;
        requests = 0;
        started.clear();
    }

    // Plays the started wipe to its end.
    void finish()
    {
        running = false;
        onCovered();
        onUncovered();
    }

    bool accepts = true;
    bool running = false;
    int requests = 0;
    std::vector<std::string> started;
    TransitionCallback onCovered = nullptr;
    TransitionCallback onUncovered = nullptr;
};

class FakeScenes : public SceneManager
{
public:
    FakeScenes() { setName(kName); }
    void initialize() override {}
    void shutdown() override {}
    void loadScene(std::string name) override { loaded.push_back(name); }
    void loadSceneByPath(std::string path) override { loaded.push_back("path:" + path); }
    std::vector<std::string> loaded;
};

class FakeSound : public SoundManager
{
public:
    FakeSound() { setName(kName); }
    void initialize() override {}
    void update() override {}
    void shutdown() override {}
    SoundReceipt playPreset(std::string name) override
    {
        played.push_back(name);
        return SoundReceipt();
    }
    void stopAll() override { ++stops; }
    std::vector<std::string> played;
    int stops = 0;
};

class FakeGraphics : public GraphicsSystem
{
public:
    FakeGraphics() { setName(kName); }
    void initialize() override {}
    void update() override {}
    void render() override {}
    void shutdown() override {}
    void setContext(const std::string& name, const Camera&) override { contexts.push_back(name); }
    void setContext(const std::string& name) override { contexts.push_back(name); }
    DrawData getDrawData() override
    {
        DrawData record;
        record.graphics = this;
        return record;
    }
    void setUniform(const std::string& name, int32_t, const void*) override { uniforms.push_back(name); }
    void setFrustumCulling(const std::string& context, bool on) override
    {
        culling.push_back(context + (on ? " on" : " off"));
    }
    std::vector<std::string> contexts;
    std::vector<std::string> uniforms;
    std::vector<std::string> culling;
};

// Textures whose id is the position of their name in the list of names asked for.
class NamedTextures : public TextureManager
{
public:
    NamedTextures() { setName(kName); }
    void initialize() override {}
    void shutdown() override {}
    Texture getTexture(const std::string& name) override
    {
        names.push_back(name);
        return {static_cast<uint32_t>(names.size()), TextureKind::Blended, 8.0f, 8.0f};
    }
    std::string nameOf(const Texture& texture) const { return names.at(texture.id - 1); }
    std::vector<std::string> names;
};

class RecordingMesh : public Mesh
{
public:
    void draw(const DrawData& record, bool allowDefer) override
    {
        draws.push_back(record);
        deferred.push_back(allowDefer);
    }
    std::vector<DrawData> draws;
    std::vector<bool> deferred;
};

class FakeMeshes : public MeshManager
{
public:
    FakeMeshes() { setName(kName); }
    void initialize() override {}
    void shutdown() override {}
    Mesh* getMesh(const std::string& name) override
    {
        asked.push_back(name);
        return &quad;
    }
    RecordingMesh quad;
    std::vector<std::string> asked;
};

// The real manager, remembering which states were asked for.
class RecordingStates : public EngineStateManager
{
public:
    RecordingStates() { setName(kName); }
    void setNextState(IEngineState* state) override
    {
        requested.push_back(state);
        EngineStateManager::setNextState(state);
    }
    std::vector<IEngineState*> requested;
};

class PlayStateFixture : public ::testing::Test
{
protected:
    void SetUp() override
    {
        PlayState() = PlayStateRecord();
        engine.makeCurrent();
        // The state object outlives every test: no pause may carry over (no system is
        // registered yet, so this touches nothing else).
        EngineStateKestrin::instance()->setPaused(false);
        input.setName(InputSystem::kName);
        input.setDevice(&device);
        input.setBindingFilePath("tests/data/input/empty.json");
        input.initialize();
        particles.setName(ParticleManager::kName);
        debug.setName(DebugSystem::kName);
        gui.setName(IMGUISystem::kName);
        engine.registerSystem(&graphics);
        engine.registerSystem(&textures);
        engine.registerSystem(&meshes);
        engine.registerSystem(&particles);
        engine.registerSystem(&states);
        engine.registerSystem(&input);
        engine.registerSystem(&sound);
        engine.registerSystem(entities);
        engine.registerSystem(&controller);
        engine.registerSystem(&scenes);
        engine.registerSystem(&debug);
        engine.registerSystem(&gui);
        engine.registerSystem(&transitions);
        // The player controller owns these; they exist before the play state switches them.
        for (const char* action : kPlayerActions)
            input.addAction(action);
    }

    void TearDown() override
    {
        entities->clearActive();
        engine.shutdown();
    }

    // Enters the play state through the state manager: load, initialize, first update.
    void enterPlayState()
    {
        states.setNextState(EngineStateKestrin::instance());
        states.update();
    }

    void step(int count = 1)
    {
        for (int i = 0; i < count; ++i)
        {
            input.update();
            states.update();
        }
    }

    void press(int32_t key)
    {
        device.press(key);
        step();
        device.release(key);
        step();
    }

    Entity* makeEntity(const glm::vec3& position, const std::string& flag)
    {
        auto* entity = new Entity();
        auto* transform = new TransformComp();
        transform->setPosition(position);
        entity->addComponent(transform);
        entity->setFlag(flag, true);
        return entity;
    }

    // A goal with its sparks emitter (switched off) and the level it leads to.
    Entity* makeGoal(const glm::vec3& position, const std::string& nextLevel = "")
    {
        Entity* goal = makeEntity(position, "goal");
        auto* emitters = new EmitterListComp();
        auto* sparks = new ParticleEmitter();
        sparks->setActive(false);
        emitters->addEmitter("GoalSparks", sparks);
        goal->addComponent(emitters);
        auto* stats = new StatsComp();
        stats->setNextLevel(nextLevel);
        goal->addComponent(stats);
        return goal;
    }

    static TransformComp* transformOf(const Entity* entity)
    {
        return entity->getComponent<TransformComp>(TransformComp::kName, TransformCompNull::instance());
    }

    static bool sparksLit(const Entity* goal)
    {
        return goal->getComponent<EmitterListComp>(EmitterListComp::kName, EmitterListCompNull::instance())
            ->getEmitter("GoalSparks")
            ->isActive();
    }

    bool enabled(const std::string& action) const { return input.isActionEnabled(action); }

    static constexpr const char* kPlayerActions[] = {
        "offAim", "Aim",  "GamepadAim", "MoveRight", "MoveLeft",     "MoveUpNoClip",      "MoveDownNoClip", "Jump",
        "Dash",   "GodMode", "NoClip",  "ThrowPackage", "SummonPackage", "TeleportToPackage", "ToggleEmitter", "ReloadScene"};

    Engine engine{"Play", 800, 600, 10000};
    FakeInputDevice device;
    InputSystem input;
    EntityManager* entities = EntityManager::getInstance();
    RecordingStates states;
    ParticleManager particles;
    DebugSystem debug;
    IMGUISystem gui;
    FakeController controller;
    FakeTransitions transitions;
    FakeScenes scenes;
    FakeSound sound;
    FakeGraphics graphics;
    NamedTextures textures;
    FakeMeshes meshes;
};
}
