#include "world/ArchetypeReader.h"

#include "WorldFixture.h"
#include "graphics/AnimationManager.h"
#include "graphics/AnimationSheet.h"
#include "particles/EmitterListComp.h"
#include "support/TestSupport.h"
#include "world/AnimationComp.h"
#include "world/BreakingPlatformComp.h"
#include "world/MeshComp.h"
#include "world/MovingPlatformComp.h"
#include "world/TextureComp.h"
#include "world/TextureSlicerComp.h"
#include "world/TriggerComp.h"
#include "world/WaypointComp.h"

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include <fstream>
#include <map>

class ArchetypeReaderTest : public test::WorldFixture
{
protected:
    // Writes the text as the archetype file and reads it; returns what was logged as errors.
    std::string read(const std::string& text)
    {
        path = test::ScratchFolder("archetypes") + "/Entity.json";
        test::WriteText(path, text);
        test::ConsoleCapture console;
        ArchetypeReader::read(path, *manager);
        return console.err();
    }

    Entity* archetype(const std::string& name)
    {
        Entity* entity = manager->cloneArchetype(name);
        EXPECT_FALSE(entity->isNull()) << name;
        return entity;
    }

    template <class T>
    T* component(Entity* entity, typename NonDeduced<T>::type* fallback)
    {
        return entity->getComponent<T>(T::kName, fallback);
    }

    std::string path;
};

TEST_F(ArchetypeReaderTest, FullElementBuildsEveryComponentInOrder)
{
    const std::string errors = read(R"([{
        "name": "Thing",
        "TransformComp": {"scale": {"x": 2, "y": 3, "z": 4}},
        "PhysicsComp": {"Force Limits": {"x": 1, "y": 2, "z": 3}, "Gravity": -0.01, "AirDrag": {"x": 0.1, "y": 0.2, "z": 0.3}},
        "Mesh": "quad",
        "Texture": "Ground",
        "Flags": ["player", "dynamic"],
        "ColliderComp": {"friction": 0.5},
        "WaypointComp": {},
        "MovingPlatformComp": {"TouchStart": true, "Moving": false, "TargetWaypointID": 4.9, "TargetSpeed": 0.2},
        "BreakingPlatformComp": {"TimeTillBreak": 250, "TimeTillRespawn": 750, "Type": "ON_LEAVE"},
        "TextureSlicerComp": {"border": {"left": 1, "bottom": 2, "right": 3, "top": 4}, "scale": {"x": 2, "y": 0.5}, "Type": "REPEAT"},
        "EmitterListComp": [{"Name": "Dash", "StartActive": true}, {"Name": "Ptp"}]
    }])");
    EXPECT_EQ(errors.find("Failed to parse"), std::string::npos);

    Entity* thing = archetype("Thing");
    EXPECT_EQ(transformOf(thing)->getScale(), glm::vec3(2.0f, 3.0f, 4.0f));
    EXPECT_EQ(bodyOf(thing)->getMaxVelocity(), glm::vec3(1.0f, 2.0f, 3.0f));
    EXPECT_FLOAT_EQ(bodyOf(thing)->getGravity(), -0.01f);
    EXPECT_EQ(bodyOf(thing)->getAirDrag(), glm::vec3(0.1f, 0.2f, 0.3f));
    EXPECT_FALSE(component<MeshComp>(thing, MeshCompNull::instance())->isNull());
    EXPECT_FALSE(component<TextureComp>(thing, TextureCompNull::instance())->isNull());
    EXPECT_TRUE(thing->getFlag("player"));
    EXPECT_TRUE(thing->getFlag("dynamic"));
    EXPECT_FLOAT_EQ(colliderOf(thing)->getFriction(), 0.5f);
    EXPECT_EQ(component<WaypointComp>(thing, WaypointCompNull::instance())->getWaypointID(), 0u);

    MovingPlatformComp* mover = component<MovingPlatformComp>(thing, MovingPlatformCompNull::instance());
    // A clone starts without touch start or target: levels give those per object.
    EXPECT_FALSE(mover->getTouchStart());
    EXPECT_EQ(mover->getTargetWaypointID(), -1);
    EXPECT_FALSE(mover->isMoving());
    EXPECT_FLOAT_EQ(mover->getTargetSpeed(), 0.2f);

    BreakingPlatformComp* breaking = component<BreakingPlatformComp>(thing, BreakingPlatformCompNull::instance());
    EXPECT_EQ(breaking->getTimeTillBreak(), 250);
    EXPECT_EQ(breaking->getTimeTillRespawn(), 750);
    EXPECT_EQ(breaking->getBreakType(), BREAK_ON_LEAVE);

    TextureSlicerComp* slicer = component<TextureSlicerComp>(thing, TextureSlicerCompNull::instance());
    EXPECT_EQ(slicer->getBorder(), glm::vec4(1.0f, 2.0f, 3.0f, 4.0f));
    EXPECT_EQ(slicer->getSliceScale(), glm::vec2(2.0f, 0.5f));
    EXPECT_EQ(slicer->getSliceType(), SLICE_REPEAT);

    EmitterListComp* emitters = component<EmitterListComp>(thing, EmitterListCompNull::instance());
    EXPECT_FALSE(emitters->isNull());
}

TEST_F(ArchetypeReaderTest, ArchetypesAreNotActiveEntities)
{
    read(R"([{"name": "A"}, {"name": "B"}])");
    EXPECT_TRUE(manager->isEmpty());
    EXPECT_TRUE(manager->hasArchetype("A"));
    EXPECT_TRUE(manager->hasArchetype("B"));
}

TEST_F(ArchetypeReaderTest, PhysicsDefaults)
{
    const std::string errors = read(R"([{"name": "Empty", "PhysicsComp": {}},
             {"name": "Limits", "PhysicsComp": {"Force Limits": {}}},
             {"name": "OnlyY", "PhysicsComp": {"Force Limits": {"y": 0.5}, "AirDrag": {"x": 0.2}}},
             {"name": "NotObject", "PhysicsComp": 7}])");
    Entity* empty = archetype("Empty");
    EXPECT_FLOAT_EQ(bodyOf(empty)->getGravity(), -0.006f);
    EXPECT_EQ(bodyOf(empty)->getMaxVelocity(), glm::vec3(1000.0f));
    EXPECT_EQ(bodyOf(empty)->getAirDrag(), glm::vec3(0.01f, 0.0f, 0.01f));
    EXPECT_EQ(bodyOf(archetype("Limits"))->getMaxVelocity(), glm::vec3(100.0f));
    Entity* onlyY = archetype("OnlyY");
    EXPECT_EQ(bodyOf(onlyY)->getMaxVelocity(), glm::vec3(100.0f, 0.5f, 100.0f));
    EXPECT_EQ(bodyOf(onlyY)->getAirDrag(), glm::vec3(0.2f, 0.0f, 0.01f));
    EXPECT_FALSE(bodyOf(archetype("NotObject"))->isNull());
    EXPECT_NE(errors.find("] key \"PhysicsComp\": 7 is a number; an object was expected; its members take their"),
              std::string::npos);
}

TEST_F(ArchetypeReaderTest, StatsDefaultsAndNumberKinds)
{
    read(R"([{"name": "Empty", "StatsComp": {}},
             {"name": "Kinds", "StatsComp": {"Max Dash Charges": 2.7, "Coyote Time Limit": true, "Jumping Force": false}}])");
    auto* stats = component<StatsComp>(archetype("Empty"), StatsCompNull::instance());
    EXPECT_EQ(stats->getBufferedJumpMaxTiming(), 100);
    EXPECT_EQ(stats->getBufferedDashMaxTiming(), 350);
    EXPECT_EQ(stats->getMaxDashCharges(), 1);
    EXPECT_FLOAT_EQ(stats->getPlayerAcceleration(), 0.01f);
    EXPECT_EQ(stats->getCoyoteTimeLimit(), 150);
    EXPECT_FLOAT_EQ(stats->getJumpingForce(), 0.25f);
    EXPECT_EQ(stats->getEdgeSmudgeMargin(), glm::vec2(0.4f, 0.5f));
    EXPECT_FLOAT_EQ(stats->getDashVelocity(), 0.5f);
    EXPECT_EQ(stats->getDashDuration(), 200);
    EXPECT_EQ(stats->getDashCooldown(), 500);

    auto* kinds = component<StatsComp>(archetype("Kinds"), StatsCompNull::instance());
    EXPECT_EQ(kinds->getMaxDashCharges(), 2);
    EXPECT_EQ(kinds->getCoyoteTimeLimit(), 1);
    EXPECT_EQ(kinds->getJumpingForce(), 0.0f);
}

TEST_F(ArchetypeReaderTest, ColliderPlatformAndSlicerDefaults)
{
    read(R"([{"name": "Thing", "ColliderComp": 1, "BreakingPlatformComp": {}, "TextureSlicerComp": {}},
             {"name": "Negative", "BreakingPlatformComp": {"TimeTillBreak": -20, "TimeTillRespawn": -1, "Type": "SOON"},
              "TextureSlicerComp": {"Type": "NONE"}}])");
    Entity* thing = archetype("Thing");
    EXPECT_FLOAT_EQ(colliderOf(thing)->getFriction(), 0.07f);
    BreakingPlatformComp* breaking = component<BreakingPlatformComp>(thing, BreakingPlatformCompNull::instance());
    EXPECT_EQ(breaking->getTimeTillBreak(), 0);
    EXPECT_EQ(breaking->getTimeTillRespawn(), 0);
    EXPECT_EQ(breaking->getBreakType(), BREAK_TIMED);
    TextureSlicerComp* slicer = component<TextureSlicerComp>(thing, TextureSlicerCompNull::instance());
    EXPECT_EQ(slicer->getBorder(), glm::vec4(0.0f));
    EXPECT_EQ(slicer->getSliceScale(), glm::vec2(1.0f));
    EXPECT_EQ(slicer->getSliceType(), SLICE_STRETCH);

    Entity* negative = archetype("Negative");
    EXPECT_EQ(component<BreakingPlatformComp>(negative, BreakingPlatformCompNull::instance())->getTimeTillBreak(), 0);
    EXPECT_EQ(component<BreakingPlatformComp>(negative, BreakingPlatformCompNull::instance())->getBreakType(), BREAK_TIMED);
    EXPECT_EQ(component<TextureSlicerComp>(negative, TextureSlicerCompNull::instance())->getSliceType(), SLICE_NONE);
}

TEST_F(ArchetypeReaderTest, ScaleWithAMissingAxisKeepsOneThere)
{
    read(R"([{"name": "Flat", "TransformComp": {"scale": {"x": 4}}}, {"name": "Plain", "TransformComp": 0}])");
    EXPECT_EQ(transformOf(archetype("Flat"))->getScale(), glm::vec3(4.0f, 1.0f, 1.0f));
    EXPECT_EQ(transformOf(archetype("Plain"))->getScale(), glm::vec3(1.0f));
}

TEST_F(ArchetypeReaderTest, DeathWallTriggerAddsAColliderOnlyWhenMissing)
{
    read(R"([{"name": "Bare", "TriggerComp": {"DeathWall": 1}},
             {"name": "Rough", "ColliderComp": {"friction": 0.9}, "TriggerComp": {"DeathWall": true}},
             {"name": "Plain", "TriggerComp": {}}])");
    Entity* bare = archetype("Bare");
    EXPECT_TRUE(component<TriggerComp>(bare, TriggerCompNull::instance())->isBehaviorEnabled("DeathWall"));
    EXPECT_FLOAT_EQ(colliderOf(bare)->getFriction(), 0.07f);
    EXPECT_FLOAT_EQ(colliderOf(archetype("Rough"))->getFriction(), 0.9f);
    Entity* plain = archetype("Plain");
    EXPECT_FALSE(component<TriggerComp>(plain, TriggerCompNull::instance())->isNull());
    EXPECT_FALSE(component<TriggerComp>(plain, TriggerCompNull::instance())->isBehaviorEnabled("DeathWall"));
    EXPECT_TRUE(colliderOf(plain)->isNull());
}

TEST_F(ArchetypeReaderTest, FirstOfTwoSameNamesStays)
{
    read(R"([{"name": "Twin", "Flags": ["first"]}, {"name": "Twin", "Flags": ["second"]}])");
    Entity* twin = archetype("Twin");
    EXPECT_TRUE(twin->getFlag("first"));
    EXPECT_FALSE(twin->getFlag("second"));
}

TEST_F(ArchetypeReaderTest, FailedElementEndsTheReadButKeepsEarlierOnes)
{
    const std::string errors = read(R"([{"name": "Before"}, {"name": "Bad", "Flags": ["ok", 3]}, {"name": "After"}])");
    const std::string problem = "] key \"Flags\": 3 is a number; a string was expected.\n";
    EXPECT_NE(errors.find("Failed to parse file, " + path + "\nERROR! : File: [" + path + problem), std::string::npos);
    EXPECT_TRUE(manager->hasArchetype("Before"));
    EXPECT_FALSE(manager->hasArchetype("Bad"));
    EXPECT_FALSE(manager->hasArchetype("After"));

    const std::pair<const char*, const char*> stops[] = {
        {R"([{"Flags": []}])", "key \"name\" is missing; the archetype's name was expected."},
        {R"([{"name": "E", "EmitterListComp": [{"StartActive": true}]}])", "key \"Name\" is missing;"},
        {R"([{"name": "F", "Flags": true}])", "key \"Flags\": true is a boolean; a list of flag names was expected."},
        {R"([{"name": "M", "Mesh": 4}])", "key \"Mesh\": 4 is a number; a string was expected."},
        {R"([{"name": "T", "MovingPlatformComp": {"TouchStart": "yes"}}])", "key \"TouchStart\": \"yes\" is a string"},
        {R"([{"name": "J", "StatsComp": {"Jumping Force": "high"}}])",
         "key \"Jumping Force\": \"high\" is a string; a number was expected."},
        {R"([{"name": "Late"}] // comment)", "] [json.exception.parse_error"},
        {"[3]", "archetype 0 holds a number; an object with a \"name\" was expected."},
        {"7", "] holds a number; a list of archetypes was expected."},
    };
    for (const auto& [text, problem] : stops)
    {
        const std::string stopped = read(text);
        EXPECT_NE(stopped.find("Failed to parse file, " + path), std::string::npos) << text;
        EXPECT_NE(stopped.find(problem), std::string::npos) << text << "\n" << stopped;
    }
    EXPECT_FALSE(manager->hasArchetype("Late"));
}

TEST_F(ArchetypeReaderTest, FlagsOfAnotherKindAreReadAsBeforeWithALine)
{
    const std::string errors = read(R"([{"name": "Lone", "Flags": "solo"}])");
    EXPECT_TRUE(archetype("Lone")->getFlag("solo"));
    const std::string line = "key \"Flags\": \"solo\" is a string; a list of flag names was expected; it is read as";
    EXPECT_NE(errors.find(line + " the only entry."), std::string::npos) << errors;
}

TEST_F(ArchetypeReaderTest, EmptyMissingNullAndObjectRootsAreReported)
{
    for (const char* empty : {"[]", "null", "{}"})
        EXPECT_NE(read(empty).find("File: [" + path + "] holds no entity archetypes."), std::string::npos) << empty;
    const std::string missing = test::ScratchFolder("nothing") + "/Entity.json";
    test::ConsoleCapture console;
    ArchetypeReader::read(missing, *manager);
    EXPECT_NE(console.err().find("File: [" + missing + "] not found"), std::string::npos);
    EXPECT_FALSE(manager->hasArchetype("X"));

    EXPECT_EQ(read(R"({"b": {"name": "FromObject"}})"), "");
    EXPECT_TRUE(manager->hasArchetype("FromObject"));
}

// A hostile border deep inside a slicer, or a number past double range, is refused while
// parsing, naming the file; the stack never sees the nesting.
TEST_F(ArchetypeReaderTest, DeepNestingAndHugeNumbersAreRefusedNamingTheFile)
{
    const std::string deep = std::string(100000, '[') + std::string(100000, ']');
    for (const std::string& text : {R"([{"name": "Deep", "TextureSlicerComp": {"border": )" + deep + "}}]",
                                    std::string(R"([{"name": "Huge", "ColliderComp": {"friction": 1e400}}])")})
    {
        const std::string errors = read(text);
        EXPECT_NE(errors.find("Failed to parse file, " + path), std::string::npos) << errors;
        EXPECT_NE(errors.find("File: [" + path + "]"), std::string::npos) << errors;
        EXPECT_FALSE(manager->hasArchetype("Deep"));
    }
}

TEST_F(ArchetypeReaderTest, UnknownAnimationSheetFallsBackToDefault)
{
    AnimationManager* animations = AnimationManager::getInstance();
    engine.registerSystem(animations);
    animations->initialize();
    read(R"([{"name": "Runner", "Animations": "Player"}, {"name": "Lost", "Animations": "NoSuchSheet"}])");
    EXPECT_EQ(component<AnimationComp>(archetype("Runner"), AnimationCompNull::instance())->getSheet(),
              animations->getAnimationSheet("Player"));
    EXPECT_EQ(component<AnimationComp>(archetype("Lost"), AnimationCompNull::instance())->getSheet(),
              animations->getAnimationSheet("Default"));
    animations->shutdown();
}

TEST_F(ArchetypeReaderTest, GameArchetypeFileHoldsEveryNamedArchetype)
{
    const std::string errors = [this] {
        test::ConsoleCapture console;
        AnimationManager::getInstance()->initialize();
        engine.registerSystem(AnimationManager::getInstance());
        ArchetypeReader::read(EntityManager::kArchetypeFile, *manager);
        return console.err();
    }();
    EXPECT_EQ(errors, "");
    for (const char* name : {"Player", "Package", "PtpEntity", "Goal", "Hazard", "EmitterEntity", "TestArc", "Ground",
                             "Wall", "Checkpoint", "Waypoint", "MovingPlatform", "BreakingPlatform", "DeathWall",
                             "DeathWallTrigger", "Firewall", "TutorialButton", "TutorialJump", "TutorialDash",
                             "TutorialThrow", "TutorialTeleport"})
        EXPECT_TRUE(manager->hasArchetype(name)) << name;
    AnimationManager::getInstance()->shutdown();
}

// Each control sign is a button sign drawn from its own three-look sheet.
TEST(GameArchetypeSigns, TutorialSignsAreButtonSignsWithTheirOwnSheet)
{
    std::ifstream file(EntityManager::kArchetypeFile);
    ASSERT_TRUE(file.is_open());
    std::map<std::string, nlohmann::json> byName;
    for (const nlohmann::json& element : nlohmann::json::parse(file))
        byName[element.at("name").get<std::string>()] = element;
    const nlohmann::json& button = byName.at("TutorialButton");
    for (const char* name : {"TutorialJump", "TutorialDash", "TutorialThrow", "TutorialTeleport"})
    {
        ASSERT_TRUE(byName.count(name)) << name;
        nlohmann::json sign = byName.at(name);
        EXPECT_EQ(sign.at("Texture"), name);
        sign["name"] = button.at("name");
        sign["Texture"] = button.at("Texture");
        EXPECT_EQ(sign, button) << name << " differs from the button sign in more than its name and sheet";
    }
}

// Bursts wait for the game to light them; only the ambient hazard and firewall glow from the start.
TEST(GameArchetypeEmitters, OneShotEmittersStartInactive)
{
    std::ifstream file(EntityManager::kArchetypeFile);
    ASSERT_TRUE(file.is_open());
    const nlohmann::json root = nlohmann::json::parse(file);
    std::map<std::string, std::map<std::string, bool>> started;
    for (const nlohmann::json& element : root)
        for (const nlohmann::json& emitter : element.value("EmitterListComp", nlohmann::json::array()))
            started[element.at("name").get<std::string>()][emitter.at("Name").get<std::string>()] =
                emitter.value("StartActive", true);

    const std::map<std::string, std::map<std::string, bool>> expected = {
        {"Player", {{"PlayerDeath", false}, {"PImpact", false}, {"Dash", false}, {"Ptp", false}, {"Ptpe", false}}},
        {"Package", {{"Pack", false}, {"PTrail", false}, {"TPBack", false}}},
        {"PtpEntity", {{"Ptp", false}}},
        {"Goal", {{"GoalSparks", false}}},
        {"Checkpoint", {{"Checkpoit", false}}},
        {"Hazard", {{"Hazard", true}}},
        {"Firewall", {{"Firewall", true}}},
    };
    for (const auto& [archetype, emitters] : expected)
        EXPECT_EQ(started[archetype], emitters) << archetype;
}
