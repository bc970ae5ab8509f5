#include "game/GameComposition.h"

#include "engine/Engine.h"
#include "engine/EngineStateManager.h"
#include "support/TestSupport.h"
#include "tools/DebugSystem.h"
#include "ui/EngineStateSplash.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <regex>

TEST(GameComposition, RegistersTheNineteenSystemsInTheirFixedOrderAndAsksForTheSplash)
{
    Engine engine{"Test", 800, 600, 10000};
    engine.makeCurrent();
    engine.setSystemRegistrar(RegisterGameSystems);
    test::ConsoleCapture console;
    engine.registerEngineSystems();
    console.out();

    std::vector<std::string> names;
    for (IEngineSystem* system : engine.getSystemList())
        names.push_back(system->getName());
    EXPECT_EQ(names, (std::vector<std::string>{
                         "Subject", "TraceLog", "ShaderManager", "MeshManager", "TextureManager",
                         "GraphicsSystem", "ParticleManager", "EngineStateManager", "InputSystem",
                         "SoundManager", "AnimationManager", "EntityManager", "UIManager",
                         "PlayerControllerSystem", "SceneManager", "DebugSystem", "GraphicsSystem",
                         "IMGUISystem", "TransitionManager"}));
    EXPECT_EQ(engine.getSystemList()[5], engine.getSystemList()[16]);
    EXPECT_EQ(Engine::getSystem<IEngineSystem>("GraphicsSystemTransparent", nullptr), engine.getSystemList()[5]);
    // The loop's timing table is the debug system's.
    EXPECT_EQ(Engine::getSystem<SystemTimings>(SystemTimings::kRegistryName, nullptr),
              static_cast<SystemTimings*>(DebugSystem::getInstance()));

    EngineStateManager* states = EngineStateManager::getInstance();
    states->update();
    EXPECT_EQ(states->getCurrentState(), EngineStateSplash::instance());
    states->shutdown();
    engine.shutdown();
}

// The engine core sits below every game subsystem, and input below every game state: none of
// their files may include a header from above them.
TEST(GameComposition, LowerLayersIncludeNothingAboveThem)
{
    const std::vector<std::pair<std::string, std::string>> layers = {
        {"engine", "gameplay|ui|tools|world|graphics|audio|particles|input|game|platform"},
        {"input", "gameplay|ui|tools|game"}};
    for (const auto& [folder, above] : layers)
    {
        const std::regex upward("#include \"(" + above + ")/");
        for (const auto& entry : std::filesystem::directory_iterator(std::string(WENDLEBOX_SOURCE_DIR) + "/src/" + folder))
        {
            std::ifstream file(entry.path());
            std::string line;
            while (std::getline(file, line))
                EXPECT_FALSE(std::regex_search(line, upward)) << entry.path() << ": " << line;
        }
    }
}
