#include "world/SceneManager.h"

#include "WorldFixture.h"
#include "graphics/AnimationManager.h"
#include "support/TestSupport.h"
#include "world/AnimationComp.h"
#include "world/MovingPlatformComp.h"
#include "world/WaypointComp.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <vector>

class SceneManagerTest : public test::WorldFixture
{
protected:
    SceneManagerTest()
    {
        // The singleton outlives the fixture's engine, which shuts it down.
        scenes.initialize();
        engine.registerSystem(&scenes);
        folder = test::ScratchFolder("scenes");
        auto* block = new Entity(false);
        block->addComponent(new TransformComp());
        block->addComponent(new StatsComp());
        manager->addArchetype(block, "Block");
        auto* stop = new Entity(false);
        stop->addComponent(new TransformComp());
        stop->addComponent(new WaypointComp());
        stop->addComponent(new MovingPlatformComp());
        manager->addArchetype(stop, "Stop");
    }

    std::string write(const std::string& name, const std::string& text)
    {
        const std::string path = folder + "/" + name;
        test::WriteText(path, text);
        return path;
    }

    // Loads the level text and returns the error lines.
    std::string load(const std::string& text)
    {
        const std::string path = write("level.json", text);
        test::ConsoleCapture console;
        scenes.loadSceneByPath(path);
        return console.err();
    }

    SceneManager& scenes = *SceneManager::getInstance();
    std::string folder;
};

TEST_F(SceneManagerTest, ObjectsArePlacedAtTheirCentresWithYNegated)
{
    load(R"({"layers": [{"objects": [{"type": "Block", "x": 10, "y": 4, "width": 2, "height": 6}]}]})");
    ASSERT_EQ(manager->getEntityCount(), 1u);
    Entity* block = manager->findById(manager->getActiveIds()[0]);
    EXPECT_EQ(transformOf(block)->getPosition(), glm::vec3(11.0f, -7.0f, 0.0f));
    EXPECT_EQ(transformOf(block)->getScale(), glm::vec3(2.0f, 6.0f, 1.0f));
    auto* stats = block->getComponent<StatsComp>(StatsComp::kName, StatsCompNull::instance());
    EXPECT_EQ(stats->getSpawnPoint(), glm::vec3(11.0f, -7.0f, 0.0f));
}

TEST_F(SceneManagerTest, DepthAppliesToItsWholeLayerOnly)
{
    load(R"({"layers": [
        {"objects": [{"type": "Block", "x": 0, "y": 0, "width": 1, "height": 1}]},
        {"objects": [{"type": "Block", "x": 0, "y": 0, "width": 1, "height": 1}],
         "properties": [{"name": "Depth", "value": 2}, {"name": "Other", "value": 9}, {"value": 4}]},
        {"objects": [{"type": "Block", "x": 0, "y": 0, "width": 1, "height": 1}]}]})");
    const std::vector<uint32_t> ids = manager->getActiveIds();
    ASSERT_EQ(ids.size(), 3u);
    EXPECT_EQ(transformOf(manager->findById(ids[0]))->getPosition().z, 0.0f);
    EXPECT_EQ(transformOf(manager->findById(ids[1]))->getPosition().z, 2.0f);
    EXPECT_EQ(transformOf(manager->findById(ids[2]))->getPosition().z, 0.0f);
}

TEST_F(SceneManagerTest, ObjectPropertiesReachTheirComponents)
{
    const std::string errors = load(R"({"layers": [{"objects": [
        {"type": "Stop", "x": 0, "y": 0, "width": 1, "height": 1, "properties": [
            {"name": "WaypointID", "type": "int", "value": 32}, {"name": "NextWaypointID", "value": 33},
            {"name": "Speed", "value": 0.25}, {"name": "TouchStart", "value": true}, {"name": "Moving", "value": false},
            {"name": "TargetWaypointID", "value": 31}, {"name": "TargetSpeed", "value": 0.5},
            {"name": "NextLevel", "value": "Level2"}, {"name": "Unknown", "value": 1}, {"name": "NoValue"}, 6]},
        {"type": "Block", "x": 0, "y": 0, "width": 1, "height": 1, "properties": [{"name": "NextLevel", "value": "Level3"}]},
        {"type": "Block", "x": 0, "y": 0, "width": 1, "height": 1, "properties": "none"}
    ]}]})");
    const std::string object = "ERROR! : Level, " + folder + "/level.json, layer 0, object ";
    for (const std::string& line : {object + "0, property 9 skipped: it has no \"value\".",
                                    object + "0, property 10 skipped: it holds a number; an object with \"name\"",
                                    object + "2: \"properties\" is not a list; properties skipped."})
        EXPECT_NE(errors.find(line), std::string::npos) << line << "\n" << errors;
    const std::vector<uint32_t> ids = manager->getActiveIds();
    ASSERT_EQ(ids.size(), 3u);
    Entity* stop = manager->findById(ids[0]);
    auto* waypoint = stop->getComponent<WaypointComp>(WaypointComp::kName, WaypointCompNull::instance());
    EXPECT_EQ(waypoint->getWaypointID(), 32u);
    EXPECT_EQ(waypoint->getNextWaypointID(), 33u);
    EXPECT_FLOAT_EQ(waypoint->getSpeed(), 0.25f);
    auto* mover = stop->getComponent<MovingPlatformComp>(MovingPlatformComp::kName, MovingPlatformCompNull::instance());
    EXPECT_TRUE(mover->getTouchStart());
    EXPECT_FALSE(mover->isMoving());
    EXPECT_EQ(mover->getTargetWaypointID(), 31);
    EXPECT_FLOAT_EQ(mover->getTargetSpeed(), 0.5f);
    auto* stats =
        manager->findById(ids[1])->getComponent<StatsComp>(StatsComp::kName, StatsCompNull::instance());
    EXPECT_EQ(stats->getNextLevel(), "Level3");
}

TEST_F(SceneManagerTest, KillPlaneStaysUntilALevelSetsIt)
{
    load(R"({"layers": [{"objects": [], "properties": [{"name": "KillPlane", "value": -20}]}]})");
    EXPECT_FLOAT_EQ(scenes.getKillPlane(), -20.0f);
    load(R"({"layers": [{"objects": []}]})");
    EXPECT_FLOAT_EQ(scenes.getKillPlane(), -20.0f);
}

TEST_F(SceneManagerTest, UnknownTypesAndTypelessObjectsAreSkipped)
{
    const std::string errors = load(R"({"layers": [{"objects": [
        {"x": 0, "y": 0, "width": 1, "height": 1},
        {"type": "Ghost", "x": 0, "y": 0, "width": 1, "height": 1},
        {"type": "Block", "x": 0, "y": 0, "width": 1, "height": 1}]}]})");
    EXPECT_EQ(manager->getEntityCount(), 1u);
    EXPECT_NE(errors.find("Archetype, Ghost, searched for but not found"), std::string::npos);
}

TEST_F(SceneManagerTest, SuccessfulLoadStartsTheLevelAndLogs)
{
    AnimationManager* animations = AnimationManager::getInstance();
    engine.registerSystem(animations);
    animations->initialize();
    auto* hero = new Entity(false);
    hero->setFlag("player", true);
    auto* animation = new AnimationComp();
    animation->setSheet("Player");
    animation->pause();
    hero->addComponent(animation);
    manager->addArchetype(hero, "Hero");

    const std::string path = write("start.json", R"({"layers": [{"objects": [
        {"type": "Hero", "x": 0, "y": 0, "width": 1, "height": 1}]}]})");
    test::ConsoleCapture console;
    scenes.loadSceneByPath(path);
    EXPECT_NE(console.out().find("loadSceneByPath : Level, " + path + ", loaded successfully."), std::string::npos);
    auto* playing = manager->getPlayer()->getComponent<AnimationComp>(AnimationComp::kName, AnimationCompNull::instance());
    EXPECT_EQ(playing->getAnimationName(), "Land_Left");
    EXPECT_TRUE(playing->isPlaying());
    EXPECT_EQ(controller.levelStarts, 1);
    EXPECT_EQ(scenes.getCurrentScene(), path);
    animations->shutdown();
}

TEST_F(SceneManagerTest, CorruptedFilesAreReportedAndStopTheLoad)
{
    const std::pair<const char*, const char*> corrupted[] = {
        {"{ not json", "[json.exception.parse_error"},
        {"[1, 2]", ": the file holds an array; an object with \"layers\" was expected."},
        {R"({"level": []})", ": the file has no \"layers\"."},
        {R"({"layers": [{"objects": [{"type": "Block", "x": "left", "y": 0, "width": 1, "height": 1}]}]})",
         "key \"x\": \"left\" is a string; a number was expected."},
        {R"({"layers": [{"objects": [{"type": 5, "x": 0, "y": 0, "width": 1, "height": 1}]}]})",
         "key \"type\": 5 is a number; a string was expected."},
        {R"({"layers": [{"objects": [{"type": "Block", "x": 0, "y": 0, "width": 1}]}]})",
         "key \"height\" is missing; a number was expected."},
        {R"({"layers": [{"objects": [{"type": "Stop", "x": 0, "y": 0, "width": 1, "height": 1,
             "properties": [{"name": "TouchStart", "value": 1}]}]}]})",
         "key \"TouchStart\": 1 is a number; true or false was expected."},
    };
    for (const auto& [text, why] : corrupted)
    {
        new Entity();
        const std::string errors = load(text);
        EXPECT_NE(errors.find("tried to load but was corrupted!"), std::string::npos) << text;
        EXPECT_NE(errors.find(why), std::string::npos) << text << "\n" << errors;
        EXPECT_EQ(controller.levelStarts, 0) << text;
    }

    // Objects of the layers before the broken one stay.
    load(R"({"layers": [{"objects": [{"type": "Block", "x": 0, "y": 0, "width": 1, "height": 1}]}, {"name": "x"}]})");
    EXPECT_EQ(manager->getEntityCount(), 1u);
}

// Layers and objects that cannot be used are each named in an error, and the closing line
// counts what was placed instead of claiming success.
TEST_F(SceneManagerTest, SkippedLayersAndObjectsAreReportedAndCounted)
{
    const std::string block = R"({"type": "Block", "x": 0, "y": 0, "width": 1, "height": 1})";
    const std::string path = folder + "/level.json";
    struct Case
    {
        std::string text;
        std::vector<std::string> errors;
        std::string closing;
    };
    const Case cases[] = {
        {R"({"layers": {"a": {"objects": []}}})", {"Level, " + path + ": \"layers\" is not a list."}, ""},
        {R"({"layers": [{"objects": {"a": )" + block + "}}, {\"objects\": [" + block + "]}]}",
         {"Level, " + path + ", layer 0: \"objects\" is not a list; layer skipped."},
         "Level, " + path + ", loaded with 1 object placed; 0 objects and 1 layer skipped."},
        {R"({"layers": [{"objects": [{"type": "Ghost"}, 7]}]})",
         {"Level, " + path + ", layer 0, object 0 skipped: its archetype is unknown.",
          "Level, " + path + ", layer 0, object 1 skipped: it has no \"type\"."},
         "Level, " + path + ", loaded with 0 objects placed; 2 objects and 0 layers skipped."},
    };
    for (const Case& level : cases)
    {
        test::WriteText(path, level.text);
        test::ConsoleCapture console;
        scenes.loadSceneByPath(path);
        const std::string err = console.err();
        const std::string out = console.out();
        for (const std::string& error : level.errors)
            EXPECT_NE(err.find("ERROR! : " + error), std::string::npos) << level.text << "\n" << err;
        EXPECT_EQ(out.find("loaded successfully"), std::string::npos) << level.text;
        if (!level.closing.empty())
        {
            EXPECT_NE(out.find("loadSceneByPath : " + level.closing), std::string::npos) << level.text << "\n" << out;
        }
    }
}

TEST_F(SceneManagerTest, DeepNestingAndHugeNumbersAreRefusedNamingTheFile)
{
    const std::string deep = std::string(100000, '[') + std::string(100000, ']');
    for (const std::string& text : {R"({"layers": )" + deep + "}",
                                    std::string(R"({"layers": [{"objects": [{"type": "Block", "x": 1e400}]}]})")})
    {
        const std::string errors = load(text);
        EXPECT_NE(errors.find("tried to load but was corrupted!"), std::string::npos);
        EXPECT_NE(errors.find("File: [" + folder + "/level.json]"), std::string::npos) << errors;
        EXPECT_EQ(controller.levelStarts, 0);
    }
}

TEST_F(SceneManagerTest, UnreadableSceneFolderIsReportedLikeTheAssetFolders)
{
    const std::string missing = folder + "/no/such/scenes";
    std::string expected;
    try
    {
        std::filesystem::directory_iterator probe(missing);
    }
    catch (const std::filesystem::filesystem_error& error)
    {
        expected = std::string("Exception: ") + error.what() + "\n";
    }
    test::ConsoleCapture console;
    scenes.scanSceneFiles(missing);
    EXPECT_EQ(console.out(), expected);
}

TEST_F(SceneManagerTest, MissingFileClearsTheWorldAndRestartsTheTimer)
{
    new Entity();
    test::ConsoleCapture console;
    scenes.loadSceneByPath(folder + "/missing.json");
    EXPECT_TRUE(manager->isEmpty());
    EXPECT_NE(console.err().find("tried to load but either could not be found!"), std::string::npos);
    EXPECT_EQ(controller.levelStarts, 1);
    EXPECT_EQ(scenes.getCurrentScene(), "None");
}

// The manager is process-wide: a new start lists the scene folder as it is now, so a level
// listed by an earlier scan elsewhere is gone and cannot shadow a shipped one of its name.
TEST_F(SceneManagerTest, AStartForgetsLevelsListedBeforeIt)
{
    write("Elsewhere.json", R"({"layers": []})");
    scenes.scanSceneFiles(folder);
    ASSERT_EQ(scenes.getSceneFiles().count("Elsewhere"), 1u);

    scenes.initialize();
    EXPECT_EQ(scenes.getSceneFiles().count("Elsewhere"), 0u);
    EXPECT_EQ(scenes.getSceneFiles().at("Level1"), std::string(SceneManager::kSceneFolder) + "Level1.json");
}

TEST_F(SceneManagerTest, ScenesAreFoundByStemAndUnknownNamesChangeNothing)
{
    write("Alpha.json", R"({"layers": [{"objects": [{"type": "Block", "x": 0, "y": 0, "width": 1, "height": 1}]}]})");
    write("Alpha.txt", R"({"layers": []})");
    scenes.scanSceneFiles(folder);
    EXPECT_EQ(scenes.getSceneFiles().at("Alpha"), folder + "/Alpha.json");

    scenes.loadScene("Alpha");
    EXPECT_EQ(manager->getEntityCount(), 1u);
    scenes.reloadScene();
    EXPECT_EQ(manager->getEntityCount(), 1u);

    test::ConsoleCapture console;
    scenes.loadScene("Beta");
    EXPECT_NE(console.err().find("Level, Beta, tried to load but could not be found!"), std::string::npos);
    EXPECT_EQ(manager->getEntityCount(), 1u);
}

TEST_F(SceneManagerTest, ReloadRightAfterStartLooksUpNone)
{
    test::ConsoleCapture console;
    scenes.reloadScene();
    EXPECT_NE(console.err().find("Level, None, tried to load but could not be found!"), std::string::npos);
}

TEST_F(SceneManagerTest, GameLevelsLoadWithTheirKillPlanesAndDeathWallRoutes)
{
    AnimationManager::getInstance()->initialize();
    engine.registerSystem(AnimationManager::getInstance());
    manager->shutdown();
    manager->loadArchetypes();
    scenes.scanSceneFiles(SceneManager::kSceneFolder);
    // Only the last level has the death wall's chase; its route passes the waypoint a
    // respawned wall restarts towards.
    struct Case
    {
        const char* level;
        bool deathWall;
        bool firewall;
    };
    for (const Case& c : {Case{"Test Map", false, false}, Case{"Level1", false, false}, Case{"Level2", false, false},
                          Case{"Level3", true, true}})
    {
        test::ConsoleCapture console;
        scenes.setKillPlane(0.0f);
        scenes.loadScene(c.level);
        EXPECT_NE(console.out().find("loaded successfully"), std::string::npos) << c.level;
        EXPECT_EQ(console.err(), "") << c.level;
        EXPECT_LT(scenes.getKillPlane(), -10.0f) << c.level;
        EXPECT_FALSE(manager->getPlayer()->isNull()) << c.level;
        EXPECT_FALSE(manager->findFirstWithFlag("goal")->isNull()) << c.level;
        EXPECT_EQ(!manager->findWaypoint(32)->isNull(), c.deathWall) << c.level;
        EXPECT_EQ(!manager->findFirstWithFlag("deathwall")->isNull(), c.deathWall) << c.level;
        EXPECT_EQ(!manager->findFirstWithFlag("firewall")->isNull(), c.firewall) << c.level;
    }
    AnimationManager::getInstance()->shutdown();
}
