// Fuzz target: a level file, loaded by the scene manager into an entity manager that holds the
// game's own archetypes, so the objects of a level are really built.

#include "FuzzLoaderGuard.h"
#include "FuzzScratchFile.h"
#include "engine/Engine.h"
#include "world/ArchetypeReader.h"
#include "world/EntityManager.h"
#include "world/SceneManager.h"

#include <cstddef>
#include <cstdint>

namespace
{
constexpr const char* kArchetypeFile = WENDLEBOX_SOURCE_DIR "/assets/Entity.json";

// Built once and kept for the whole run; the level load empties the live entities itself.
SceneManager& Scenes()
{
    static SceneManager* scenes = [] {
        auto* engine = new Engine("Fuzz", 64, 64, 10000);
        engine->makeCurrent();
        auto* manager = new EntityManager();
        manager->setName(EntityManager::kName);
        engine->registerSystem(manager);
        ArchetypeReader::read(kArchetypeFile, *manager);
        auto* created = new SceneManager();
        created->setName(SceneManager::kName);
        engine->registerSystem(created);
        return created;
    }();
    return *scenes;
}
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    static const FuzzScratchFile file("level.json");
    SceneManager& scenes = Scenes();
    file.write(data, size);
    FuzzLoaderGuard::Run(file.getPath(), [&] { scenes.loadSceneByPath(file.getPath()); });
    return 0;
}
