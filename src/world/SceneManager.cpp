#include "world/SceneManager.h"

#include "engine/Engine.h"
#include "engine/FileHelpers.h"
#include "engine/JsonFileError.h"
#include "engine/JsonFileScope.h"
#include "engine/JsonNumber.h"
#include "engine/JsonValue.h"
#include "engine/SystemSingleton.h"
#include "engine/TraceLog.h"
#include "gameplay/PlayerControllerSystem.h"
#include "graphics/AssetFolder.h"
#include "world/AnimationComp.h"
#include "world/Entity.h"
#include "world/EntityManager.h"
#include "world/MovingPlatformComp.h"
#include "world/StatsComp.h"
#include "world/TransformComp.h"
#include "world/WaypointComp.h"

#include <imgui.h>
#include <nlohmann/json.hpp>

#include <fstream>
#include <sstream>

using nlohmann::json;

namespace
{
SceneManager* gSceneManager = nullptr;

EntityManager* Manager()
{
    return Engine::getSystem<EntityManager>(EntityManager::kName, EntityManagerNull::instance());
}

// Why a property entry cannot be used, or nothing when it can.
std::string PropertyFault(const json& property)
{
    if (!property.is_object())
        return "it holds " + JsonKindText(property) + "; an object with \"name\" and \"value\" was expected.";
    for (const char* key : {"name", "value"})
        if (!property.contains(key))
            return "it has no \"" + std::string(key) + "\".";
    return "";
}

// Why a level part cannot be read for want of its key: not an object, or one without the key.
std::string MissingPartText(const json& part, const std::string& key)
{
    if (part.is_object())
        return "has no \"" + key + "\".";
    return "holds " + JsonKindText(part) + "; an object with \"" + key + "\" was expected.";
}

// Calls visit(name, value) for every usable entry of the owner's "properties"; any other
// entry is skipped with a line. A "properties" that is not a list is walked as it always
// was, an object's member values as the entries and anything else as none, with a line.
template <class Visit>
void ForEachProperty(const json& owner, const std::string& where, Visit visit)
{
    if (!owner.contains("properties"))
        return;
    const json& properties = owner.at("properties");
    if (!properties.is_array())
    {
        Log()->error(where + ": \"properties\" is not a list; " +
                     (properties.is_object() ? "its members are read as properties." : "properties skipped."));
        if (!properties.is_object())
            return;
    }
    size_t index = 0;
    for (const json& property : properties)
    {
        const std::string fault = PropertyFault(property);
        if (fault.empty())
            visit(ReadString(property.at("name"), "name"), property.at("value"));
        else
            Log()->error(where + ", property " + std::to_string(index) + " skipped: " + fault);
        ++index;
    }
}

void ApplyObjectProperty(Entity* entity, const std::string& name, const json& value)
{
    WaypointComp* waypoint = entity->getComponent<WaypointComp>(WaypointComp::kName, WaypointCompNull::instance());
    MovingPlatformComp* platform = entity->getComponent<MovingPlatformComp>(MovingPlatformComp::kName, MovingPlatformCompNull::instance());
    if (name == "WaypointID")
        waypoint->setWaypointID(static_cast<uint32_t>(
            ReadNumber(value, name, static_cast<int32_t>(waypoint->getWaypointID()))));
    else if (name == "Speed")
        waypoint->setSpeed(ReadNumber(value, name, waypoint->getSpeed()));
    else if (name == "TouchStart")
        platform->setTouchStart(ReadBool(value, name));
    else if (name == "Moving")
        platform->setMoving(ReadBool(value, name));
    else if (name == "NextWaypointID")
        waypoint->setNextWaypointID(static_cast<uint32_t>(
            ReadNumber(value, name, static_cast<int32_t>(waypoint->getNextWaypointID()))));
    else if (name == "TargetWaypointID")
        platform->setTargetWaypointID(ReadNumber(value, name, platform->getTargetWaypointID()));
    else if (name == "TargetSpeed")
        platform->setTargetSpeed(ReadNumber(value, name, platform->getTargetSpeed()));
    else if (name == "NextLevel")
        entity->getComponent<StatsComp>(StatsComp::kName, StatsCompNull::instance())
            ->setNextLevel(ReadString(value, name));
}

// Objects without a "type" are skipped; values of the wrong kind are a corrupted file.
bool HasType(const json& object)
{
    return object.is_object() && object.contains("type");
}

// The object's rectangle has its top-left corner at (x, y) with y growing downwards; the
// entity sits at the rectangle's centre in the world's y-up axis. False when the archetype
// is unknown (the entity manager logs that itself).
bool PlaceObject(const json& object, float depth, const std::string& where)
{
    Entity* entity = Manager()->cloneArchetype(ReadString(object.at("type"), "type"));
    if (entity->isNull())
        return false;
    // A size or corner out of range falls back to the transform's own unit scale and origin.
    const float height = ReadNumber(RequiredKey(object, "height", "a number"), "height", 1.0f);
    const float width = ReadNumber(RequiredKey(object, "width", "a number"), "width", 1.0f);
    const float x = ReadNumber(RequiredKey(object, "x", "a number"), "x", 0.0f);
    const float y = ReadNumber(RequiredKey(object, "y", "a number"), "y", 0.0f);
    const glm::vec3 position(x + width * 0.5f, -(y + height * 0.5f), depth);
    TransformComp* transform = entity->getComponent<TransformComp>(TransformComp::kName, TransformCompNull::instance());
    transform->setPosition(position);
    transform->setScale(glm::vec3(width, height, 1.0f));
    entity->getComponent<StatsComp>(StatsComp::kName, StatsCompNull::instance())->setSpawnPoint(position);
    ForEachProperty(object, where, [entity](const std::string& name, const json& value) {
        ApplyObjectProperty(entity, name, value);
    });
    return true;
}

std::string Counted(int count, const char* noun)
{
    return std::to_string(count) + " " + noun + (count == 1 ? "" : "s");
}
}

SceneManager* SceneManager::getInstance()
{
    return GetSystemSingleton(gSceneManager, kName);
}

SceneManagerNull* SceneManagerNull::instance()
{
    static SceneManagerNull null;
    return &null;
}

void SceneManager::initialize()
{
    // The manager outlives an engine; a new start lists only the levels on disk now.
    sceneFiles.clear();
    scanSceneFiles();
    currentScene = "None";
    Log()->message(kName, "initialize");
}

void SceneManager::shutdown()
{
    Log()->message(kName, "shutdown");
}

void SceneManager::scanSceneFiles(const std::string& folder)
{
    for (const std::string& path : ListAssetFolder(folder, false, true))
        sceneFiles.emplace(StripExtension(GetFileName(path)), path);
}

void SceneManager::loadScene(std::string name)
{
    auto found = sceneFiles.find(name);
    if (found == sceneFiles.end())
    {
        Log()->error("Level, " + name + ", tried to load but could not be found!");
        return;
    }
    loadSceneByPath(found->second);
}

void SceneManager::loadSceneByPath(std::string path)
{
    Manager()->clearActive();
    const JsonFileScope scope(path);
    std::ifstream file(path);
    if (!file.is_open())
    {
        Log()->error("Level, " + path + ", tried to load but either could not be found!");
        startLevel();
        return;
    }
    std::stringstream text;
    text << file.rdbuf();
    // A malformed file, dropped on the window or not, is reported and the load stops: a bad
    // level never ends the program.
    LevelTally tally;
    try
    {
        const json root = ParseJsonFile(text.str(), path);
        currentScene = path;
        if (!buildLevel(root, path, tally))
        {
            Log()->error("Level, " + path + ", tried to load but was corrupted!");
            return;
        }
    }
    catch (const std::exception& error)
    {
        Log()->error("Level, " + path + ", tried to load but was corrupted!");
        Log()->error(JsonFailureText(path, error));
        return;
    }
    Log()->message("loadSceneByPath", loadedText(path, tally));
    startLevel();
}

std::string SceneManager::loadedText(const std::string& path, const LevelTally& tally)
{
    if (tally.skippedObjects == 0 && tally.skippedLayers == 0)
        return "Level, " + path + ", loaded successfully.";
    return "Level, " + path + ", loaded with " + Counted(tally.placed, "object") + " placed; " +
           Counted(tally.skippedObjects, "object") + " and " + Counted(tally.skippedLayers, "layer") + " skipped.";
}

bool SceneManager::buildLevel(const json& root, const std::string& path, LevelTally& tally)
{
    if (!root.is_object() || !root.contains("layers"))
    {
        Log()->error("Level, " + path + ": the file " + MissingPartText(root, "layers"));
        return false;
    }
    const json& layers = root.at("layers");
    if (!layers.is_array())
    {
        Log()->error("Level, " + path + ": \"layers\" is not a list.");
        return false;
    }
    for (size_t index = 0; index < layers.size(); ++index)
    {
        const json& layer = layers[index];
        const std::string where = "Level, " + path + ", layer " + std::to_string(index);
        if (!layer.is_object() || !layer.contains("objects"))
        {
            Log()->error(where + " " + MissingPartText(layer, "objects"));
            return false;
        }
        buildLayer(layer, where, tally);
    }
    return true;
}

void SceneManager::buildLayer(const json& layer, const std::string& where, LevelTally& tally)
{
    const json& objects = layer.at("objects");
    if (!objects.is_array())
    {
        Log()->error(where + ": \"objects\" is not a list; layer skipped.");
        ++tally.skippedLayers;
        return;
    }
    float depth = 0.0f;
    ForEachProperty(layer, where, [this, &depth](const std::string& name, const json& value) {
        if (name == "Depth")
            depth = ReadNumber(value, name, depth);
        else if (name == "KillPlane")
            killPlane = ReadNumber(value, name, killPlane);
    });
    for (size_t index = 0; index < objects.size(); ++index)
    {
        const std::string object = where + ", object " + std::to_string(index);
        const bool hasType = HasType(objects[index]);
        if (hasType && PlaceObject(objects[index], depth, object))
        {
            ++tally.placed;
            continue;
        }
        Log()->error(object + " skipped: " + (hasType ? "its archetype is unknown." : "it has no \"type\"."));
        ++tally.skippedObjects;
    }
}

void SceneManager::startLevel()
{
    AnimationComp* animation =
        Manager()->getPlayer()->getComponent<AnimationComp>(AnimationComp::kName, AnimationCompNull::instance());
    animation->setAnimation("Land_Left");
    animation->resume();
    Engine::getSystem<PlayerControllerSystem>(PlayerControllerSystem::kName, PlayerControllerSystemNull::instance())
        ->startLevelTimer();
}

void SceneManager::reloadScene()
{
    loadScene(StripExtension(GetFileName(currentScene)));
}

// Choosing a scene loads it and gives the player a fresh start in it.
void SceneManager::drawSceneChanger()
{
    ImGui::Begin(kSceneChangerTitle);
    ImGui::TextUnformatted(("Current Loaded Scene = " + currentScene).c_str());
    for (const auto& entry : sceneFiles)
    {
        if (!ImGui::Button(entry.first.c_str()))
            continue;
        loadScene(entry.first);
        Engine::getSystem<PlayerControllerSystem>(PlayerControllerSystem::kName, PlayerControllerSystemNull::instance())
            ->resetPlayer();
    }
    ImGui::End();
}
