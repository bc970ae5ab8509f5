#pragma once
// The world fixture with what the sandbox states reach: an input system on a scripted device,
// the debug system, the GUI system's flags, the scene manager over a scratch scene folder, a
// particle manager that counts what it is asked, and small archetypes for every name the
// sandboxes clone.

#include "input/FakeInputDevice.h"
#include "input/InputSystem.h"
#include "particles/EmitterListComp.h"
#include "particles/ParticleEmitter.h"
#include "particles/ParticleManager.h"
#include "support/TestSupport.h"
#include "tools/DebugSystem.h"
#include "tools/IMGUISystem.h"
#include "graphics/Mesh.h"
#include "world/MeshComp.h"
#include "world/SceneManager.h"
#include "world/TextureComp.h"
#include "world/WorldFixture.h"

#include <string>

namespace test
{
inline int gDeletedEmitters = 0;

// The level object "Drawn" carries a mesh and a texture of its own, told apart by these.
inline Mesh* DrawnMesh()
{
    static Mesh mesh;
    return &mesh;
}
inline const Texture kDrawnTexture{7, TextureKind::Opaque, 1.0f, 1.0f};

class CountedEmitter : public ParticleEmitter
{
public:
    ~CountedEmitter() override { ++gDeletedEmitters; }
};

// Hands out counted emitters for the names it knows and the null emitter otherwise.
class CountingParticles : public ParticleManager
{
public:
    CountingParticles() { setName(kName); }
    void initialize() override {}
    void shutdown() override {}
    ParticleEmitter* createEmitter(std::string name) override
    {
        if (name != "Spark")
            return ParticleEmitterNull::instance();
        return new CountedEmitter();
    }
    std::map<std::string, ParticleEmitter*> getArchetypes() const override { return {{"Spark", nullptr}}; }
    void clearParticles() override { ++clears; }
    int clears = 0;
};

// Built before and destroyed after the world fixture, whose engine shuts them down.
struct SandboxSystems
{
    FakeInputDevice device;
    InputSystem input;
    DebugSystem debug;
    IMGUISystem gui;
    CountingParticles particles;
};

class SandboxFixture : protected SandboxSystems, public WorldFixture
{
protected:
    SandboxFixture()
    {
        input.setName(InputSystem::kName);
        input.setDevice(&device);
        input.setBindingFilePath("tests/data/input/empty.json");
        engine.registerSystem(&input);
        input.initialize();
        debug.setName(DebugSystem::kName);
        engine.registerSystem(&debug);
        gui.setName(IMGUISystem::kName);
        engine.registerSystem(&gui);
        engine.registerSystem(&particles);
        engine.registerSystem(scenes);
        addArchetypes();
        const std::string folder = ScratchFolder("scenes");
        WriteText(folder + "/Test Map.json",
                  R"({"layers": [{"objects": [{"type": "Block", "x": 0, "y": 0, "width": 2, "height": 1},
                                              {"type": "Drawn", "x": 4, "y": 0, "width": 1, "height": 1}]}]})");
        scenes->scanSceneFiles(folder + "/");
        gDeletedEmitters = 0;
    }

    void addArchetype(const std::string& name, Entity* entity, std::initializer_list<const char*> flags)
    {
        if (!entity->getComponents().count(TransformComp::kName))
            entity->addComponent(new TransformComp());
        for (const char* flag : flags)
            entity->setFlag(flag, true);
        manager->addArchetype(entity, name);
    }

    // The entity manager is the process-wide one: start from no archetypes at all.
    void addArchetypes()
    {
        manager->shutdown();
        addArchetype("TestArc", new Entity(false), {});
        addArchetype("Block", new Entity(false), {});
        auto* drawn = new Entity(false);
        auto* ownMesh = new MeshComp();
        ownMesh->setMesh(DrawnMesh());
        drawn->addComponent(ownMesh);
        auto* ownTexture = new TextureComp();
        ownTexture->setTexture(kDrawnTexture);
        drawn->addComponent(ownTexture);
        addArchetype("Drawn", drawn, {});
        auto* player = new Entity(false);
        player->addComponent(new PhysicsComp());
        player->addComponent(new ColliderComp());
        auto* stats = new StatsComp();
        stats->setPlayerAcceleration(0.01f);
        player->addComponent(stats);
        addArchetype("Player", player, {"player", "dynamic", "gravity"});
        addArchetype("Goal", new Entity(false), {"goal"});
        addArchetype("Package", new Entity(false), {"package", "dynamic"});
        addArchetype("Hazard", new Entity(false), {"hazard"});
        auto* emitterEntity = new Entity(false);
        emitterEntity->addComponent(new EmitterListComp());
        addArchetype("EmitterEntity", emitterEntity, {"emitterEntity"});
    }

    // One fixed step of what the sandboxes use: input callbacks, then the state's update.
    void press(int32_t key)
    {
        device.press(key);
        input.update();
        device.release(key);
        input.update();
    }

    std::vector<Entity*> entitiesWith(const std::string& flag) const { return manager->findAllWithFlag(flag); }

    SceneManager* scenes = SceneManager::getInstance();
};
}
