// The data the player controller relies on: every animation it plays, every emitter it
// switches, the movement numbers, the package file, and the level chain with its kill planes.

#include "engine/FileHelpers.h"
#include "gameplay/PlayerControllerSystem.h"

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include <algorithm>
#include <fstream>
#include <map>
#include <set>
#include <string>

namespace
{
using json = nlohmann::json;

json ReadJson(const std::string& path)
{
    return json::parse(ReadFile(path));
}

const json& FindNamed(const json& list, const char* key, const std::string& name)
{
    for (const json& entry : list)
        if (entry.value(key, "") == name)
            return entry;
    static const json none = json::object();
    ADD_FAILURE() << "no entry named " << name;
    return none;
}

std::set<std::string> EmitterNames(const json& archetype)
{
    std::set<std::string> names;
    for (const json& emitter : archetype.value("EmitterListComp", json::array()))
        names.insert(emitter.at("Name").get<std::string>());
    return names;
}
}

TEST(PlayerControllerData, ThePlayerSheetHoldsEveryAnimationTheControllerPlays)
{
    const json sheets = ReadJson("assets/Animations/Animations.json").at("AnimationSheets");
    const json& player = FindNamed(sheets, "Name", "Player");
    std::map<std::string, bool> looping;
    for (const json& animation : player.at("Animations"))
        looping[animation.at("Name").get<std::string>()] = animation.at("Looping").get<bool>();
    for (const char* name : {"Land_Left", "Land_Right", "Walk_Left", "Walk_Right", "Jump_Left", "Jump_Right",
                             "IdleLeft", "IdleRight", "DeathLeft", "DeathRight", "DashLeftMid", "DashRightMid"})
        EXPECT_EQ(looping.count(name), 1u) << name;
    // The respawn waits for the death animation to finish.
    EXPECT_FALSE(looping["DeathLeft"]);
    EXPECT_FALSE(looping["DeathRight"]);
    EXPECT_EQ(player.at("Rows").get<size_t>(), looping.size());
}

TEST(PlayerControllerData, ArchetypesCarryTheEmittersAndNumbersTheControllerNeeds)
{
    const json archetypes = ReadJson("assets/Entity.json");
    const std::map<std::string, std::set<std::string>> needed = {
        {"Player", {"PlayerDeath", "PImpact", "Dash", "Ptp", "Ptpe"}},
        {"Package", {"Pack", "PTrail", "TPBack"}},
        {"PtpEntity", {"Ptp"}},
        {"Goal", {"GoalSparks"}},
        {"Firewall", {"Firewall"}},
    };
    for (const auto& [name, emitters] : needed)
    {
        const std::set<std::string> carried = EmitterNames(FindNamed(archetypes, "name", name));
        for (const std::string& emitter : emitters)
            EXPECT_EQ(carried.count(emitter), 1u) << name << " lacks " << emitter;
    }
    for (const json& archetype : archetypes)
    {
        const json flags = archetype.value("Flags", json::array());
        if (std::find(flags.begin(), flags.end(), "hazard") == flags.end())
            continue;
        EXPECT_EQ(EmitterNames(archetype).count("Hazard"), 1u) << archetype.at("name");
    }
    // A respawn puts each death wall back at the spawn point its stats keep; without them it
    // would be put at the world's origin.
    EXPECT_TRUE(FindNamed(archetypes, "name", "DeathWall").contains("StatsComp"));

    const json& stats = FindNamed(archetypes, "name", "Player").at("StatsComp");
    EXPECT_EQ(stats.at("Buffered Jump Max Timing"), 100);
    EXPECT_EQ(stats.at("Coyote Time Limit"), 150);
    EXPECT_EQ(stats.at("Jumping Force"), 0.25);
    EXPECT_EQ(stats.at("Player Acceleration"), 0.01);
    EXPECT_EQ(stats.at("Dash Velocity"), 0.5);
    EXPECT_EQ(stats.at("Dash Duration"), 200);
    EXPECT_EQ(stats.at("Dash Cooldown"), 500);
    EXPECT_EQ(stats.at("Max Dash Charges"), 1);
}

TEST(PlayerControllerData, PackageFileGivesAReadableDottedArc)
{
    const PackageSettings settings =
        PlayerControllerSystem::ReadPackageSettings(ReadJson("assets/package.json"), PackageSettings(), "package");
    EXPECT_GT(settings.throwPower, 0.0f);
    EXPECT_GE(settings.reticleCount, 3.0f);
    EXPECT_LE(settings.reticleCount, 10.0f);
    EXPECT_GT(settings.reticleSpacing, 0.0f);
    EXPECT_GT(settings.reticleSize, 0.0f);
    EXPECT_TRUE(std::ifstream("assets/textures/blended/" + settings.reticleTexture + ".png").good())
        << settings.reticleTexture;
}

TEST(PlayerControllerData, LevelsChainToTheWinScreenAndEachHasAKillPlaneBelowIt)
{
    const std::map<std::string, std::string> next = {{"Level1", "Level2"}, {"Level2", "Level3"}, {"Level3", ""}};
    for (const auto& [level, following] : next)
    {
        const json layers = ReadJson("assets/scenes/" + level + ".json").at("layers");
        bool killPlane = false;
        int goals = 0;
        for (const json& layer : layers)
        {
            for (const json& property : layer.value("properties", json::array()))
                if (property.at("name") == "KillPlane")
                    killPlane = property.at("value").get<float>() < 0.0f;
            for (const json& object : layer.at("objects"))
            {
                if (object.value("type", "") != "Goal")
                    continue;
                ++goals;
                EXPECT_EQ(FindNamed(object.at("properties"), "name", "NextLevel").at("value"), following) << level;
            }
        }
        EXPECT_TRUE(killPlane) << level;
        EXPECT_EQ(goals, 1) << level;
    }
}
