#pragma once
// A windowless engine running the real input system (on a scripted device), the real entity
// manager and a fresh player controller, in the game's registration order, on a manual clock
// with a warmed-up step history (so stretched timers run at their nominal length). Sound,
// scenes, wipes, game states and textures are recording stand-ins.

#include "audio/SoundManager.h"
#include "engine/Engine.h"
#include "engine/EngineStateManager.h"
#include "engine/GameClock.h"
#include "engine/Subject.h"
#include "gameplay/PlayerControllerSystem.h"
#include "graphics/AnimationManager.h"
#include "graphics/TextureManager.h"
#include "input/FakeInputDevice.h"
#include "input/InputSystem.h"
#include "particles/EmitterListComp.h"
#include "particles/ParticleEmitter.h"
#include "ui/TransitionManager.h"
#include "world/AnimationComp.h"
#include "world/ColliderComp.h"
#include "world/Entity.h"
#include "world/EntityManager.h"
#include "world/PhysicsComp.h"
#include "world/SceneManager.h"
#include "world/StatsComp.h"
#include "world/TextureComp.h"
#include "world/TransformComp.h"
#include "world/WorldFixture.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

namespace playertest
{
// Keys, buttons and stick the tests bind.
constexpr InputCode kKeyLeft = 65;
constexpr InputCode kKeyRight = 68;
constexpr InputCode kKeyJump = 32;
constexpr InputCode kKeyDash = 340;
constexpr InputCode kKeySummon = 81;
constexpr InputCode kKeyTeleport = 69;
constexpr InputCode kPadAim = 365; // right bumper
constexpr InputCode kRightStick = 401;

// The world tests' recording sound manager, also counting plays of a preset by value.
class RecordingSound : public test::FakeSound
{
public:
    SoundReceipt play(SoundPreset) override
    {
        ++sourcePlays;
        return SoundReceipt();
    }
    void stopAll() override { played.push_back("<stopAll>"); }
    size_t count(const std::string& name) const { return std::count(played.begin(), played.end(), name); }
    int sourcePlays = 0;
};

class RecordingScenes : public SceneManager
{
public:
    RecordingScenes() { setName(kName); }
    void initialize() override {}
    void shutdown() override {}
    void loadScene(std::string name) override
    {
        loaded.push_back(name);
        if (passThrough)
            SceneManager::loadScene(name);
    }
    void reloadScene() override { ++reloads; }
    // Loads the named level for real as well.
    bool passThrough = false;
    std::vector<std::string> loaded;
    int reloads = 0;
};

struct Wipe
{
    TransitionCallback onCovered = nullptr;
    std::string name;
    TransitionCallback onUncovered = nullptr;
};

class RecordingTransitions : public TransitionManager
{
public:
    RecordingTransitions() { setName(kName); }
    void initialize() override {}
    void update() override {}
    void render() override {}
    bool startTransition(TransitionCallback covered, std::string name, TransitionCallback uncovered) override
    {
        wipes.push_back({covered, name, uncovered});
        return starts;
    }
    // Whether a requested wipe starts.
    bool starts = true;
    std::vector<Wipe> wipes;
};

class RecordingStates : public EngineStateManager
{
public:
    RecordingStates() { setName(kName); }
    void initialize() override {}
    void update() override {}
    void render() override {}
    void shutdown() override {}
    void setNextState(IEngineState* state) override { requests.push_back(state); }
    std::vector<IEngineState*> requests;
};

// Hands out one texture id per name, so a test can tell which image an entity shows.
class NamedTextures : public TextureManager
{
public:
    NamedTextures() { setName(kName); }
    void initialize() override {}
    void update() override {}
    void render() override {}
    void shutdown() override {}
    Texture getTexture(const std::string& name) override
    {
        auto found = std::find(names.begin(), names.end(), name);
        if (found == names.end())
            found = names.insert(names.end(), name);
        return Texture{static_cast<uint32_t>(found - names.begin()) + 1, TextureKind::Blended, 32.0f, 32.0f};
    }
    std::vector<std::string> names;
};

class PlayerControllerFixture : public ::testing::Test
{
protected:
    void SetUp() override
    {
        GameClock::setManualSeconds(100.0);
        engine.makeCurrent();
        // Twenty steps of 10 ms fill the step history: timers then run at their nominal length.
        for (int i = 0; i < 21; ++i)
            step();
        events.setName(Subject::kName);
        events.setEventActive(EVENT_ENABLEPACKAGE, true);
        events.setEventActive(EVENT_DISABLEPACKAGE, true);
        events.addObserver(PlayerControllerSystem::kObserverName, &controller);
        input.setName(InputSystem::kName);
        input.setDevice(&device);
        input.setBindingFilePath("tests/data/input/empty.json");
        controller.setName(PlayerControllerSystem::kName);
        engine.registerSystem(&events);
        engine.registerSystem(&textures);
        engine.registerSystem(&states);
        engine.registerSystem(&input);
        engine.registerSystem(&sound);
        engine.registerSystem(animations);
        engine.registerSystem(entities);
        engine.registerSystem(&controller);
        engine.registerSystem(&scenes);
        engine.registerSystem(&transitions);
        animations->initialize();
        input.initialize();
        bindTestKeys();
        controller.initialize();
    }

    void TearDown() override
    {
        entities->clearActive();
        engine.shutdown();
        GameClock::useRealClock();
    }

    void bindTestKeys()
    {
        input.bindKey("MoveLeft", kKeyLeft, OnHold);
        input.bindKey("MoveRight", kKeyRight, OnHold);
        input.bindKey("Jump", kKeyJump, OnPress);
        input.bindKey("Dash", kKeyDash, OnPress);
        input.bindKey("SummonPackage", kKeySummon, OnPress);
        input.bindKey("TeleportToPackage", kKeyTeleport, OnPress);
        input.bindKey("Aim", kPadAim, OnPress);
        input.bindKey("offAim", kPadAim, OnRelease);
        input.bindKey("ThrowPackage", kPadAim, OnRelease);
        input.bindKey("GamepadAim", kRightStick, OnHold);
        device.plugPad(0, "Pad");
    }

    // One fixed step of 10 ms through the engine: every system updates, then renders.
    void step(int count = 1)
    {
        for (int i = 0; i < count; ++i)
        {
            GameClock::advanceManualSeconds(0.010);
            engine.advance(10000);
        }
    }

    // The aim button of the pad; its release ends the aim and throws.
    void setAimButton(bool down) { device.setPadButton(0, kPadAim - 360, down); }
    // The right stick, y up.
    void setAimStick(float x, float y)
    {
        device.setPadAxis(0, 2, x);
        device.setPadAxis(0, 3, -y);
    }

    // The clock moves on without a step.
    static void wait(int milliseconds) { GameClock::advanceManualSeconds(milliseconds / 1000.0); }

    static ParticleEmitter* sleepingEmitter()
    {
        auto* emitter = new ParticleEmitter();
        emitter->setActive(false);
        return emitter;
    }

    static Entity* makeBody(glm::vec3 position, glm::vec3 scale)
    {
        auto* entity = new Entity();
        auto* transform = new TransformComp();
        transform->setPosition(position);
        transform->setPreviousPosition(position);
        transform->setScale(scale);
        entity->addComponent(transform);
        auto* body = new PhysicsComp();
        body->setMaxVelocity(glm::vec3(100.0f, 0.6f, 100.0f));
        entity->addComponent(body);
        entity->addComponent(new ColliderComp());
        entity->addComponent(new TextureComp());
        return entity;
    }

    static void addEmitters(Entity* entity, std::initializer_list<const char*> names)
    {
        auto* list = new EmitterListComp();
        for (const char* name : names)
            list->addEmitter(name, sleepingEmitter());
        entity->addComponent(list);
    }

    // The player as the archetype file tunes it.
    Entity* makePlayer(glm::vec3 position)
    {
        Entity* player = makeBody(position, glm::vec3(1.0f, 1.5f, 1.0f));
        for (const char* flag : {"player", "dynamic", "gravity"})
            player->setFlag(flag, true);
        auto* stats = new StatsComp();
        stats->setBufferedJumpMaxTiming(100);
        stats->setBufferedDashMaxTiming(350);
        stats->setMaxDashCharges(1);
        stats->setPlayerAcceleration(0.01f);
        stats->setCoyoteTimeLimit(150);
        stats->setJumpingForce(0.25f);
        stats->setEdgeSmudgeMargin(glm::vec2(0.4f, 0.5f));
        stats->setDashVelocity(0.5f);
        stats->setDashDuration(200);
        stats->setDashCooldown(500);
        stats->setSpawnPoint(position);
        player->addComponent(stats);
        auto* animation = new AnimationComp();
        animation->setSheet("Player");
        player->addComponent(animation);
        addEmitters(player, {"PlayerDeath", "PImpact", "Dash", "Ptp", "Ptpe"});
        return player;
    }

    Entity* makePackage(glm::vec3 position)
    {
        Entity* package = makeBody(position, glm::vec3(0.6f, 0.6f, 1.0f));
        for (const char* flag : {"package", "dynamic", "gravity"})
            package->setFlag(flag, true);
        addEmitters(package, {"Pack", "PTrail", "TPBack"});
        return package;
    }

    // Like the archetype: drawn, but without a body or collider.
    Entity* makeMarker()
    {
        auto* marker = new Entity();
        marker->addComponent(new TransformComp());
        marker->setFlag("ptpEntity", true);
        addEmitters(marker, {"Ptp"});
        return marker;
    }

    Entity* makeFloor(glm::vec3 centre, glm::vec3 size)
    {
        floor = makeBody(centre, size);
        return floor;
    }

    // A player standing on a floor whose top is at y 0, with the package in hand.
    Entity* standingPlayer(float x = 0.0f)
    {
        makeFloor(glm::vec3(x, -0.5f, 0.0f), glm::vec3(40.0f, 1.0f, 1.0f));
        Entity* player = makePlayer(glm::vec3(x, 0.75f, 0.0f));
        makePackage(glm::vec3(x, 0.3f, 0.0f));
        makeMarker();
        controller.resetPlayer();
        step(3);
        return player;
    }

    static TransformComp* transformOf(const Entity* entity)
    {
        return entity->getComponent<TransformComp>(TransformComp::kName, TransformCompNull::instance());
    }
    static PhysicsComp* bodyOf(const Entity* entity)
    {
        return entity->getComponent<PhysicsComp>(PhysicsComp::kName, PhysicsCompNull::instance());
    }
    static ColliderComp* colliderOf(const Entity* entity)
    {
        return entity->getComponent<ColliderComp>(ColliderComp::kName, ColliderCompNull::instance());
    }
    static AnimationComp* animationOf(const Entity* entity)
    {
        return entity->getComponent<AnimationComp>(AnimationComp::kName, AnimationCompNull::instance());
    }
    static StatsComp* statsOf(const Entity* entity)
    {
        return entity->getComponent<StatsComp>(StatsComp::kName, StatsCompNull::instance());
    }
    static ParticleEmitter* emitterOf(const Entity* entity, const std::string& name)
    {
        return entity->getComponent<EmitterListComp>(EmitterListComp::kName, EmitterListCompNull::instance())
            ->getEmitter(name);
    }
    uint32_t textureOf(const Entity* entity)
    {
        return entity->getComponent<TextureComp>(TextureComp::kName, TextureCompNull::instance())->getTexture().id;
    }
    uint32_t textureId(const std::string& name) { return textures.getTexture(name).id; }

    const PlayerState& state() const { return controller.getState(); }

    Engine engine{"Player", 800, 600, 10000};
    Subject events;
    NamedTextures textures;
    RecordingStates states;
    FakeInputDevice device;
    InputSystem input;
    RecordingSound sound;
    AnimationManager* animations = AnimationManager::getInstance();
    EntityManager* entities = EntityManager::getInstance();
    PlayerControllerSystem controller;
    RecordingScenes scenes;
    RecordingTransitions transitions;
    // The floor made last.
    Entity* floor = nullptr;
};
}
