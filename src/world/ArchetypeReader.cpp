#include "world/ArchetypeReader.h"

#include "engine/Engine.h"
#include "engine/JsonFileError.h"
#include "engine/JsonFileScope.h"
#include "engine/JsonNumber.h"
#include "engine/TraceLog.h"
#include "graphics/MeshManager.h"
#include "graphics/TextureManager.h"
#include "particles/EmitterListComp.h"
#include "particles/ParticleEmitter.h"
#include "particles/ParticleManager.h"
#include "world/AnimationComp.h"
#include "world/BreakingPlatformComp.h"
#include "world/ColliderComp.h"
#include "world/DeathWall.h"
#include "world/Entity.h"
#include "world/EntityManager.h"
#include "world/MeshComp.h"
#include "world/MovingPlatformComp.h"
#include "world/PhysicsComp.h"
#include "world/StatsComp.h"
#include "world/TextureComp.h"
#include "world/TextureSlicerComp.h"
#include "world/TransformComp.h"
#include "world/TriggerComp.h"
#include "world/WaypointComp.h"

#include <nlohmann/json.hpp>

#include <fstream>
#include <memory>
#include <sstream>
#include <type_traits>

using nlohmann::json;

namespace
{
bool Has(const json& object, const char* key)
{
    return object.is_object() && object.contains(key);
}

// A number key reads any JSON number or boolean; a whole key the same, cut toward zero; a
// number outside the field's range is refused and the default stands. A bool or string key
// needs exactly that kind. Anything else throws the library's type error.
template <class T>
T ReadOr(const json& object, const char* key, T fallback)
{
    if (!Has(object, key))
        return fallback;
    if constexpr (std::is_arithmetic_v<T> && !std::is_same_v<T, bool>)
        return ReadNumber(object.at(key), key, fallback);
    else
        return object.at(key).get<T>();
}

glm::vec3 ReadVector(const json& object, glm::vec3 fallback)
{
    return glm::vec3(ReadOr(object, "x", fallback.x), ReadOr(object, "y", fallback.y), ReadOr(object, "z", fallback.z));
}

void ReadTransform(const json& value, Entity& entity)
{
    auto transform = std::make_unique<TransformComp>();
    // A missing axis keeps the unit scale rather than collapsing the object.
    if (Has(value, "scale"))
        transform->setScale(ReadVector(value.at("scale"), glm::vec3(1.0f)));
    entity.addComponent(transform.release());
}

void ReadPhysics(const json& value, Entity& entity)
{
    auto body = std::make_unique<PhysicsComp>();
    if (Has(value, "Force Limits"))
        body->setMaxVelocity(ReadVector(value.at("Force Limits"), glm::vec3(100.0f)));
    body->setGravity(ReadOr(value, "Gravity", PhysicsComp::kDefaultGravity));
    if (Has(value, "AirDrag"))
        body->setAirDrag(ReadVector(value.at("AirDrag"), glm::vec3(0.01f, 0.0f, 0.01f)));
    entity.addComponent(body.release());
}

void ReadMesh(const json& value, Entity& entity)
{
    auto mesh = std::make_unique<MeshComp>();
    mesh->setMesh(Engine::getSystem<MeshManager>(MeshManager::kName, MeshManagerNull::instance())
                      ->getMesh(value.get<std::string>()));
    entity.addComponent(mesh.release());
}

void ReadTexture(const json& value, Entity& entity)
{
    auto texture = std::make_unique<TextureComp>();
    texture->setTexture(Engine::getSystem<TextureManager>(TextureManager::kName, TextureManagerNull::instance())
                            ->getTexture(value.get<std::string>()));
    entity.addComponent(texture.release());
}

void ReadFlags(const json& value, Entity& entity)
{
    for (const json& flag : value)
        entity.setFlag(flag.get<std::string>(), true);
}

void ReadCollider(const json& value, Entity& entity)
{
    auto collider = std::make_unique<ColliderComp>();
    collider->setFriction(ReadOr(value, "friction", ColliderComp::kDefaultFriction));
    entity.addComponent(collider.release());
}

void ReadStats(const json& value, Entity& entity)
{
    auto stats = std::make_unique<StatsComp>();
    stats->setBufferedJumpMaxTiming(ReadOr<int32_t>(value, "Buffered Jump Max Timing", 100));
    stats->setBufferedDashMaxTiming(ReadOr<int32_t>(value, "Buffered Dash Max Timing", 350));
    stats->setMaxDashCharges(ReadOr<int32_t>(value, "Max Dash Charges", 1));
    stats->setPlayerAcceleration(ReadOr(value, "Player Acceleration", 0.01f));
    stats->setCoyoteTimeLimit(ReadOr<int32_t>(value, "Coyote Time Limit", 150));
    stats->setJumpingForce(ReadOr(value, "Jumping Force", 0.25f));
    stats->setEdgeSmudgeMargin(
        glm::vec2(ReadOr(value, "edge Smudge MarginX", 0.4f), ReadOr(value, "edge Smudge MarginY", 0.5f)));
    stats->setDashVelocity(ReadOr(value, "Dash Velocity", 0.5f));
    stats->setDashDuration(ReadOr<int32_t>(value, "Dash Duration", 200));
    stats->setDashCooldown(ReadOr<int32_t>(value, "Dash Cooldown", 500));
    entity.addComponent(stats.release());
}

void ReadAnimations(const json& value, Entity& entity)
{
    auto animation = std::make_unique<AnimationComp>();
    animation->setSheet(value.get<std::string>());
    entity.addComponent(animation.release());
}

void ReadEmitters(const json& value, Entity& entity)
{
    auto list = std::make_unique<EmitterListComp>();
    ParticleManager* particles = Engine::getSystem<ParticleManager>(ParticleManager::kName, ParticleManagerNull::instance());
    for (const json& entry : value)
    {
        const std::string name = entry.at("Name").get<std::string>();
        const bool hasStart = Has(entry, "StartActive");
        const bool startActive = hasStart && entry.at("StartActive").get<bool>();
        ParticleEmitter* emitter = particles->createEmitter(name);
        if (hasStart)
            emitter->setActive(startActive);
        list->addEmitter(name, emitter);
    }
    entity.addComponent(list.release());
}

void ReadMovingPlatform(const json& value, Entity& entity)
{
    auto platform = std::make_unique<MovingPlatformComp>();
    platform->setTouchStart(ReadOr(value, "TouchStart", platform->getTouchStart()));
    platform->setMoving(ReadOr(value, "Moving", platform->isMoving()));
    platform->setTargetWaypointID(ReadOr(value, "TargetWaypointID", platform->getTargetWaypointID()));
    platform->setTargetSpeed(ReadOr(value, "TargetSpeed", platform->getTargetSpeed()));
    entity.addComponent(platform.release());
}

void ReadBreakingPlatform(const json& value, Entity& entity)
{
    auto platform = std::make_unique<BreakingPlatformComp>();
    platform->setTimeTillBreak(ReadOr<int32_t>(value, "TimeTillBreak", 0));
    platform->setTimeTillRespawn(ReadOr<int32_t>(value, "TimeTillRespawn", 0));
    const std::string type = ReadOr<std::string>(value, "Type", "");
    if (type == "TIMED")
        platform->setBreakType(BREAK_TIMED);
    else if (type == "ON_LEAVE")
        platform->setBreakType(BREAK_ON_LEAVE);
    entity.addComponent(platform.release());
}

void ReadTrigger(const json& value, Entity& entity)
{
    auto trigger = std::make_unique<TriggerComp>();
    if (Has(value, DeathWall::kName))
    {
        trigger->addBehavior(DeathWall::kName, std::make_shared<DeathWall>(), true);
        if (entity.getComponent<ColliderComp>(ColliderComp::kName, ColliderCompNull::instance())->isNull())
            entity.addComponent(new ColliderComp());
    }
    entity.addComponent(trigger.release());
}

void ReadSlicer(const json& value, Entity& entity)
{
    auto slicer = std::make_unique<TextureSlicerComp>();
    // Read in place: the values are only looked at, never copied.
    static const json kNoMembers = json::object();
    const json& border = Has(value, "border") ? value.at("border") : kNoMembers;
    slicer->setBorder(ReadOr(border, "left", 0.0f), ReadOr(border, "bottom", 0.0f), ReadOr(border, "right", 0.0f),
                      ReadOr(border, "top", 0.0f));
    const json& scale = Has(value, "scale") ? value.at("scale") : kNoMembers;
    slicer->setSliceScale(glm::vec2(ReadOr(scale, "x", 1.0f), ReadOr(scale, "y", 1.0f)));
    const std::string type = ReadOr<std::string>(value, "Type", "");
    if (type == "NONE")
        slicer->setSliceType(SLICE_NONE);
    else if (type == "STRETCH")
        slicer->setSliceType(SLICE_STRETCH);
    else if (type == "REPEAT")
        slicer->setSliceType(SLICE_REPEAT);
    entity.addComponent(slicer.release());
}

using KeyReader = void (*)(const json&, Entity&);

// The order components are created and attached in.
const std::pair<const char*, KeyReader> kKeyReaders[] = {
    {"TransformComp", ReadTransform},
    {"PhysicsComp", ReadPhysics},
    {"Mesh", ReadMesh},
    {"Texture", ReadTexture},
    {"Flags", ReadFlags},
    {"ColliderComp", ReadCollider},
    {"StatsComp", ReadStats},
    {"Animations", ReadAnimations},
    {"EmitterListComp", ReadEmitters},
    {"WaypointComp", [](const json&, Entity& entity) { entity.addComponent(new WaypointComp()); }},
    {"MovingPlatformComp", ReadMovingPlatform},
    {"BreakingPlatformComp", ReadBreakingPlatform},
    {"TriggerComp", ReadTrigger},
    {"TextureSlicerComp", ReadSlicer},
};

void ReadElement(const json& element, EntityManager& manager)
{
    if (!element.is_object())
        throw json::type_error::create(302, "archetype is not an object", &element);
    // Owned here until the manager takes it, so a failing element is not leaked.
    auto entity = std::make_unique<Entity>(false);
    const std::string name = element.at("name").get<std::string>();
    for (const auto& [key, reader] : kKeyReaders)
        if (element.contains(key))
            reader(element.at(key), *entity);
    if (manager.hasArchetype(name))
        return;
    manager.addArchetype(entity.release(), name);
}
}

void ArchetypeReader::read(const std::string& path, EntityManager& manager)
{
    const JsonFileScope scope(path);
    std::ifstream file(path);
    if (!file.is_open())
    {
        Log()->error(JsonProblemText(path, "not found; no entity archetypes were loaded."));
        return;
    }
    std::stringstream text;
    text << file.rdbuf();
    try
    {
        const json root = ParseJsonFile(text.str(), path);
        if (root.empty())
            Log()->error(JsonProblemText(path, "holds no entity archetypes."));
        for (const json& element : root)
            ReadElement(element, manager);
    }
    catch (const std::exception& error)
    {
        Log()->error("Failed to parse file, " + path);
        Log()->error(JsonFailureText(path, error));
    }
}
