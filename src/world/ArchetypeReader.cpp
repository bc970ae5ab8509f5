#include "world/ArchetypeReader.h"

#include "engine/Engine.h"
#include "engine/JsonFileError.h"
#include "engine/JsonFileScope.h"
#include "engine/JsonNumber.h"
#include "engine/JsonValue.h"
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

const json& NoMembers()
{
    static const json none = json::object();
    return none;
}

// A component or vector key that is not an object still counts, but has no members to read:
// its fields keep their defaults, as they always did; the line says so.
const json& Members(const json& value, const std::string& key)
{
    if (value.is_object())
        return value;
    Log()->error(WrongKindText(value, key, "an object", JsonFileScope::current(), "its members take their defaults"));
    return NoMembers();
}

// The members of object[key]; none when the key is absent.
const json& MembersOf(const json& object, const char* key)
{
    return Has(object, key) ? Members(object.at(key), key) : NoMembers();
}

// A list of another kind is walked as the library walks any value: an object's member
// values, nothing for null, any other value as its one entry. That goes on as before, with a
// line; a lone entry that could never fit stops the read as before, naming the list.
void CheckList(const json& value, const char* key, const char* expected, json::value_t entryKind)
{
    if (value.is_array())
        return;
    if (value.is_primitive() && !value.is_null() && value.type() != entryKind)
        ThrowWrongKind(value, key, expected, JsonFileScope::current());
    const char* outcome = value.is_null()     ? "nothing is read from it"
                          : value.is_object() ? "its member values are read as its entries"
                                              : "it is read as the only entry";
    Log()->error(WrongKindText(value, key, expected, JsonFileScope::current(), outcome));
}

// A number key reads any JSON number or boolean; a whole key the same, cut toward zero; a
// number outside the field's range is refused and the default stands. A bool or string key
// needs exactly that kind. Anything else stops the read naming the key.
template <class T>
T ReadOr(const json& object, const char* key, T fallback)
{
    if (!Has(object, key))
        return fallback;
    if constexpr (std::is_same_v<T, bool>)
        return ReadBool(object.at(key), key);
    else if constexpr (std::is_same_v<T, std::string>)
        return ReadString(object.at(key), key);
    else
        return ReadNumber(object.at(key), key, fallback);
}

glm::vec3 ReadVector(const json& axes, glm::vec3 fallback)
{
    return glm::vec3(ReadOr(axes, "x", fallback.x), ReadOr(axes, "y", fallback.y), ReadOr(axes, "z", fallback.z));
}

void ReadTransform(const json& value, Entity& entity)
{
    auto transform = std::make_unique<TransformComp>();
    // A missing axis keeps the unit scale rather than collapsing the object.
    if (Has(value, "scale"))
        transform->setScale(ReadVector(Members(value.at("scale"), "scale"), glm::vec3(1.0f)));
    entity.addComponent(transform.release());
}

void ReadPhysics(const json& value, Entity& entity)
{
    auto body = std::make_unique<PhysicsComp>();
    if (Has(value, "Force Limits"))
        body->setMaxVelocity(ReadVector(Members(value.at("Force Limits"), "Force Limits"), glm::vec3(100.0f)));
    body->setGravity(ReadOr(value, "Gravity", PhysicsComp::kDefaultGravity));
    if (Has(value, "AirDrag"))
        body->setAirDrag(ReadVector(Members(value.at("AirDrag"), "AirDrag"), glm::vec3(0.01f, 0.0f, 0.01f)));
    entity.addComponent(body.release());
}

void ReadMesh(const json& value, Entity& entity)
{
    auto mesh = std::make_unique<MeshComp>();
    mesh->setMesh(Engine::getSystem<MeshManager>(MeshManager::kName, MeshManagerNull::instance())
                      ->getMesh(ReadString(value, "Mesh")));
    entity.addComponent(mesh.release());
}

void ReadTexture(const json& value, Entity& entity)
{
    auto texture = std::make_unique<TextureComp>();
    texture->setTexture(Engine::getSystem<TextureManager>(TextureManager::kName, TextureManagerNull::instance())
                            ->getTexture(ReadString(value, "Texture")));
    entity.addComponent(texture.release());
}

void ReadFlags(const json& value, Entity& entity)
{
    CheckList(value, "Flags", "a list of flag names", json::value_t::string);
    for (const json& flag : value)
        entity.setFlag(ReadString(flag, "Flags"), true);
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
    animation->setSheet(ReadString(value, "Animations"));
    entity.addComponent(animation.release());
}

void ReadEmitters(const json& value, Entity& entity)
{
    static const char* const kEntry = "an emitter object with a \"Name\"";
    CheckList(value, "EmitterListComp", "a list of emitter objects", json::value_t::object);
    auto list = std::make_unique<EmitterListComp>();
    ParticleManager* particles = Engine::getSystem<ParticleManager>(ParticleManager::kName, ParticleManagerNull::instance());
    for (const json& entry : value)
    {
        if (!entry.is_object())
            ThrowWrongKind(entry, "EmitterListComp", kEntry, JsonFileScope::current());
        const std::string name = ReadString(RequiredKey(entry, "Name", "the emitter's name"), "Name");
        const bool hasStart = Has(entry, "StartActive");
        const bool startActive = hasStart && ReadBool(entry.at("StartActive"), "StartActive");
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
    const json& border = MembersOf(value, "border");
    slicer->setBorder(ReadOr(border, "left", 0.0f), ReadOr(border, "bottom", 0.0f), ReadOr(border, "right", 0.0f),
                      ReadOr(border, "top", 0.0f));
    const json& scale = MembersOf(value, "scale");
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

// A component key either holds the component's members (read through Members) or a value
// of its own kind, which its reader checks.
struct KeyReader
{
    const char* key;
    bool holdsMembers;
    void (*read)(const json&, Entity&);
};

// The order components are created and attached in.
const KeyReader kKeyReaders[] = {
    {"TransformComp", true, ReadTransform},
    {"PhysicsComp", true, ReadPhysics},
    {"Mesh", false, ReadMesh},
    {"Texture", false, ReadTexture},
    {"Flags", false, ReadFlags},
    {"ColliderComp", true, ReadCollider},
    {"StatsComp", true, ReadStats},
    {"Animations", false, ReadAnimations},
    {"EmitterListComp", false, ReadEmitters},
    {"WaypointComp", false, [](const json&, Entity& entity) { entity.addComponent(new WaypointComp()); }},
    {"MovingPlatformComp", true, ReadMovingPlatform},
    {"BreakingPlatformComp", true, ReadBreakingPlatform},
    {"TriggerComp", true, ReadTrigger},
    {"TextureSlicerComp", true, ReadSlicer},
};

void ReadElement(const json& element, size_t index, EntityManager& manager)
{
    if (!element.is_object())
        ThrowWrongShape(element, "archetype " + std::to_string(index), "an object with a \"name\"", JsonFileScope::current());
    // Owned here until the manager takes it, so a failing element is not leaked.
    auto entity = std::make_unique<Entity>(false);
    const std::string name = ReadString(RequiredKey(element, "name", "the archetype's name"), "name");
    for (const KeyReader& reader : kKeyReaders)
        if (element.contains(reader.key))
        {
            const json& value = element.at(reader.key);
            reader.read(reader.holdsMembers ? Members(value, reader.key) : value, *entity);
        }
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
        else if (root.is_primitive())
            ThrowWrongShape(root, "", "a list of archetypes", JsonFileScope::current());
        size_t index = 0;
        for (const json& element : root)
            ReadElement(element, index++, manager);
    }
    catch (const std::exception& error)
    {
        Log()->error("Failed to parse file, " + path);
        Log()->error(JsonFailureText(path, error));
    }
}
