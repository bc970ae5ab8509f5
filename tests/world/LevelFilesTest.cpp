// The three levels as the generator writes them: each shows the signs of what it teaches,
// keeps checkpoints on its route, and every platform and the death wall follow waypoints
// that exist; the death wall's route passes the waypoint a respawn sends it back to.

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include <fstream>
#include <map>
#include <set>
#include <string>
#include <vector>

namespace
{
using json = nlohmann::json;

// The waypoint a respawned death wall heads for when its trigger starts it again.
constexpr int kDeathWallRestartWaypoint = 32;

std::vector<json> MainObjects(const std::string& level)
{
    std::ifstream file("assets/scenes/" + level + ".json");
    const json root = json::parse(file);
    std::vector<json> objects;
    for (const json& layer : root.at("layers"))
        for (const json& object : layer.at("objects"))
            objects.push_back(object);
    return objects;
}

json Property(const json& object, const std::string& name)
{
    for (const json& property : object.value("properties", json::array()))
        if (property.at("name") == name)
            return property.at("value");
    return json();
}

std::map<int, int> WaypointChain(const std::vector<json>& objects)
{
    std::map<int, int> next;
    for (const json& object : objects)
        if (object.at("type") == "Waypoint")
            next[Property(object, "WaypointID").get<int>()] = Property(object, "NextWaypointID").get<int>();
    return next;
}

std::vector<json> OfType(const std::vector<json>& objects, const std::string& type)
{
    std::vector<json> found;
    for (const json& object : objects)
        if (object.at("type") == type)
            found.push_back(object);
    return found;
}

bool Overlap(const json& a, const json& b)
{
    const auto f = [](const json& object, const char* key) { return object.at(key).get<float>(); };
    return f(a, "x") < f(b, "x") + f(b, "width") && f(b, "x") < f(a, "x") + f(a, "width") &&
           f(a, "y") < f(b, "y") + f(b, "height") && f(b, "y") < f(a, "y") + f(a, "height");
}
}

TEST(LevelFiles, EachLevelShowsTheSignsOfWhatItTeachesClearOfTheSolidThings)
{
    const std::map<std::string, std::set<std::string>> signs = {
        {"Level1", {"TutorialJump", "TutorialDash"}},
        {"Level2", {"TutorialThrow", "TutorialTeleport"}},
        {"Level3", {"TutorialDash"}},
    };
    const std::set<std::string> solid = {"Ground", "Wall", "MovingPlatform", "BreakingPlatform", "Firewall",
                                         "Hazard", "Goal", "Checkpoint"};
    for (const auto& [level, expected] : signs)
    {
        const std::vector<json> objects = MainObjects(level);
        std::set<std::string> shown;
        for (const json& sign : objects)
        {
            const std::string type = sign.at("type");
            if (type.rfind("Tutorial", 0) != 0)
                continue;
            shown.insert(type);
            for (const json& other : objects)
                EXPECT_FALSE(solid.count(other.at("type")) && Overlap(sign, other)) << level << " " << type;
        }
        EXPECT_EQ(shown, expected) << level;
    }
}

TEST(LevelFiles, PlatformsAndTheDeathWallFollowWaypointsThatExist)
{
    for (const char* level : {"Level1", "Level2", "Level3"})
    {
        const std::vector<json> objects = MainObjects(level);
        const std::map<int, int> next = WaypointChain(objects);
        for (const auto& [id, following] : next)
            EXPECT_TRUE(next.count(following)) << level << " waypoint " << id;
        for (const char* mover : {"MovingPlatform", "DeathWall"})
            for (const json& object : OfType(objects, mover))
                EXPECT_TRUE(next.count(Property(object, "TargetWaypointID").get<int>())) << level << " " << mover;
        EXPECT_GE(OfType(objects, "Checkpoint").size(), 2u) << level;
    }
}

TEST(LevelFiles, TheDeathWallChasesOnlyInLevel3AlongARoutePastTheRestartWaypoint)
{
    EXPECT_TRUE(OfType(MainObjects("Level1"), "DeathWall").empty());
    EXPECT_TRUE(OfType(MainObjects("Level2"), "DeathWall").empty());
    const std::vector<json> objects = MainObjects("Level3");
    const std::vector<json> walls = OfType(objects, "DeathWall");
    ASSERT_EQ(walls.size(), 1u);
    ASSERT_EQ(OfType(objects, "DeathWallTrigger").size(), 1u);
    const std::map<int, int> next = WaypointChain(objects);
    std::set<int> visited;
    for (int id = Property(walls[0], "TargetWaypointID").get<int>(); next.count(id) && !visited.count(id);
         id = next.at(id))
        visited.insert(id);
    EXPECT_TRUE(visited.count(kDeathWallRestartWaypoint));
    // Its last waypoint holds it: the chase ends instead of looping back over the route.
    EXPECT_EQ(next.at(*visited.rbegin()), *visited.rbegin());
}
