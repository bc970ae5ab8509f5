#include "particles/EmitterArchetypeFile.h"

#include "engine/Engine.h"
#include "engine/FileHelpers.h"
#include "engine/JsonFileError.h"
#include "engine/JsonFileScope.h"
#include "engine/JsonNumber.h"
#include "engine/JsonValue.h"
#include "engine/TraceLog.h"
#include "graphics/TextureManager.h"
#include "particles/ParticleEmitter.h"
#include "particles/ParticleManager.h"

#include <cmath>
#include <cstdio>
#include <fstream>
#include <sstream>

using nlohmann::json;

namespace
{
// Every key of an entry, spelled once for reading and writing alike.
namespace Key
{
constexpr const char* kName = "Name";
constexpr const char* kTransformComp = "TransformComp";
constexpr const char* kPosition = "Position";
constexpr const char* kVelocity = "Velocity";
constexpr const char* kVelocityDeviation = "VelocityDeviation";
constexpr const char* kNumParticles = "NumParticles";
constexpr const char* kNumComplexParticles = "NumComplexParticles";
constexpr const char* kLifespan = "Lifespan";
constexpr const char* kLoop = "Loop";
constexpr const char* kLoopDelay = "LoopDelay";
constexpr const char* kColor = "Color";
constexpr const char* kColorDeviation = "ColorDeviation";
constexpr const char* kAcceleration = "Acceleration";
constexpr const char* kParticleLifespan = "ParticleLifespan";
constexpr const char* kParticleLifespanDeviation = "ParticleLifespanDeviation";
constexpr const char* kLoopDelayDeviation = "LoopDelayDeviation";
constexpr const char* kBaseParticleScale = "BaseParticleScale";
constexpr const char* kParticleScaleDev = "ParticleScaleDev";
constexpr const char* kTexture = "Texture";
constexpr const char* kPositionOffset = "PositionOffset";
constexpr const char* kSpawnRange = "SpawnRange";
constexpr const char* kUseDensity = "UseDensity";
constexpr const char* kFlags = "Flags";
constexpr const char* kRadius = "Radius";
constexpr const char* kType = "Type";
constexpr const char* kXLower = "x-";
constexpr const char* kXUpper = "x+";
constexpr const char* kYLower = "y-";
constexpr const char* kYUpper = "y+";
}

constexpr double kTwoTo63 = 9223372036854775808.0;
constexpr double kTwoTo64 = 18446744073709551616.0;

[[noreturn]] void FailWrongKind(const json& value, const std::string& key, const std::string& expected)
{
    ThrowWrongKind(value, key, expected, JsonFileScope::current());
}

[[noreturn]] void FailMissing(const std::string& key, const std::string& expected)
{
    ThrowMissingKey(key, expected, JsonFileScope::current());
}

const json* Find(const json& object, const char* key)
{
    if (!object.is_object())
        return nullptr;
    const auto found = object.find(key);
    return found == object.end() ? nullptr : &*found;
}

// A component of a group: absent (or a group that is not an object) reads as 0. Any number, a
// boolean counting as 0 or 1; a number the field cannot hold keeps the default.
float ReadComponent(const json& group, const char* component, const std::string& name)
{
    const json* value = Find(group, component);
    return value ? ReadNumber(*value, name + "." + component, 0.0f) : 0.0f;
}

// A group that is not an object reads as one without components, each of them 0, and is named:
// a colour read so hides its particles without a word.
const json* FindGroup(const json& entry, const char* key, const std::string& name)
{
    const json* group = Find(entry, key);
    if (group && !group->is_object())
        Log()->error(WrongKindText(*group, name, "an object", JsonFileScope::current()));
    return group;
}

// Within names the group that holds this one, so that lines say "TransformComp.Position"; it
// is empty at the top of an entry.
glm::vec3 ReadVec3(const json& entry, const char* key, const glm::vec3& fallback, const std::string& within = "")
{
    const std::string name = within.empty() ? key : within + "." + key;
    const json* group = FindGroup(entry, key, name);
    if (!group)
        return fallback;
    return {ReadComponent(*group, "x", name), ReadComponent(*group, "y", name), ReadComponent(*group, "z", name)};
}

glm::vec4 ReadColor(const json& entry, const char* key, const glm::vec4& fallback)
{
    const json* group = FindGroup(entry, key, key);
    if (!group)
        return fallback;
    return {ReadComponent(*group, "r", key), ReadComponent(*group, "g", key), ReadComponent(*group, "b", key),
            ReadComponent(*group, "a", key)};
}

// Whole numbers of either sign, or a fraction cut toward zero, kept as a 64-bit pattern:
// the largest unsigned value and -1 are the same "never expires". That value written through
// a double arrives as 2^64 and means the same.
int64_t ReadMilliseconds(const json& entry, const char* key, int64_t fallback)
{
    const json* value = Find(entry, key);
    if (!value)
        return fallback;
    if (!value->is_number())
        FailWrongKind(*value, key, "a whole number of milliseconds");
    const bool isFloat = value->is_number_float();
    if (isFloat && std::trunc(value->get<double>()) == kTwoTo64)
        return -1;
    if (value->is_number_unsigned() || (isFloat && value->get<double>() >= kTwoTo63))
        return static_cast<int64_t>(ReadNumber(*value, key, static_cast<uint64_t>(fallback)));
    return ReadNumber(*value, key, fallback);
}

int32_t ReadCount(const json& entry, const char* key, int32_t fallback)
{
    const json* value = Find(entry, key);
    if (!value)
        return fallback;
    return ReadNumber(*value, key, fallback);
}

bool ReadSwitch(const json& entry, const char* key, bool fallback)
{
    const json* value = Find(entry, key);
    return value ? ReadBool(*value, key) : fallback;
}

void ReadTransform(const json& entry, EmitterRecord& record)
{
    const json* transform = Find(entry, Key::kTransformComp);
    if (!transform)
        return;
    if (!transform->is_object())
        FailWrongKind(*transform, Key::kTransformComp, "an object holding \"Position\"");
    if (!Find(*transform, Key::kPosition))
        FailMissing(std::string(Key::kTransformComp) + "." + Key::kPosition, "a position");
    record.position = ReadVec3(*transform, Key::kPosition, record.position, Key::kTransformComp);
}

void ReadVelocityDeviation(const json& entry, EmitterRecord& record)
{
    const json* group = FindGroup(entry, Key::kVelocityDeviation, Key::kVelocityDeviation);
    if (!group)
        return;
    record.velocityDeviationX = ReadComponent(*group, "x", Key::kVelocityDeviation);
    record.velocityDeviationY = ReadComponent(*group, "y", Key::kVelocityDeviation);
    ReadComponent(*group, "z", Key::kVelocityDeviation);
}

void ReadTexture(const json& entry, EmitterRecord& record)
{
    const json* value = Find(entry, Key::kTexture);
    if (!value)
        return;
    record.texture = ReadString(*value, Key::kTexture);
}

void ReadSpawnRange(const json& entry, EmitterRecord& record)
{
    const json* range = FindGroup(entry, Key::kSpawnRange, Key::kSpawnRange);
    if (!range)
        return;
    record.xLower = ReadComponent(*range, Key::kXLower, Key::kSpawnRange);
    record.xUpper = ReadComponent(*range, Key::kXUpper, Key::kSpawnRange);
    record.yLower = ReadComponent(*range, Key::kYLower, Key::kSpawnRange);
    record.yUpper = ReadComponent(*range, Key::kYUpper, Key::kSpawnRange);
    record.radius = ReadComponent(*range, Key::kRadius, Key::kSpawnRange);
    record.spawnType = 0;
    if (const json* type = Find(*range, Key::kType))
    {
        // A boolean is no spawn shape, though it counts as a number elsewhere.
        if (!type->is_number())
            FailWrongKind(*type, "SpawnRange.Type", "a number");
        record.spawnType = ReadNumber(*type, "SpawnRange.Type", record.spawnType);
    }
}

void ReadFlags(const json& entry, EmitterRecord& record)
{
    const json* flags = Find(entry, Key::kFlags);
    if (!flags || flags->is_null() || (flags->is_object() && flags->empty()))
        return;
    if (!flags->is_array())
        FailWrongKind(*flags, Key::kFlags, "null or a list of flag names");
    for (const json& flag : *flags)
        record.flags.push_back(ReadString(flag, Key::kFlags));
}

json Vec3Json(const glm::vec3& value)
{
    return {{"x", static_cast<double>(value.x)}, {"y", static_cast<double>(value.y)},
            {"z", static_cast<double>(value.z)}};
}

// The file keeps only x and y of these; z is written as the integer 0.
json PlanarJson(float x, float y)
{
    return {{"x", static_cast<double>(x)}, {"y", static_cast<double>(y)}, {"z", 0}};
}

json ColorJson(const glm::vec4& value)
{
    return {{"r", static_cast<double>(value.r)}, {"g", static_cast<double>(value.g)},
            {"b", static_cast<double>(value.b)}, {"a", static_cast<double>(value.a)}};
}

// Milliseconds are written as their unsigned 64-bit pattern: -1 becomes 2^64 - 1.
json MillisecondsJson(int64_t value)
{
    return static_cast<uint64_t>(value);
}

// The reader's two lines when it stops: the file, then what stopped it.
void ReportStop(const std::string& path, const std::string& line)
{
    Log()->error("Failed to parse file, " + path);
    Log()->error(line);
}

// Registers the entries in reading order. Returns the line of a document, or of the first
// entry, of the wrong shape, which stops the load like a bad value does; empty when none was.
std::string RegisterArchetypes(const json& document, const std::string& path, ParticleManager& manager)
{
    if (!document.is_object() && !document.is_array() && !document.is_null())
        return JsonShapeText(path, "", document, "an object or a list of particle emitters", "none is loaded");
    if (document.empty())
        Log()->error(JsonProblemText(path, "holds no particle emitters."));
    for (const auto& entry : document.items())
    {
        if (!entry.value().is_object())
            return JsonShapeText(path, JsonEntrySubject(document, entry.key()), entry.value(), "an emitter object",
                                 "it and the entries after it are not loaded");
        const EmitterRecord record = ParseEmitterRecord(entry.value());
        ParticleEmitter emitter;
        ApplyEmitterRecord(record, emitter);
        manager.registerArchetype(record.name, &emitter);
    }
    return "";
}
}

EmitterRecord ParseEmitterRecord(const json& entry)
{
    const json* name = Find(entry, Key::kName);
    if (!name)
        FailMissing(Key::kName, "a string");

    EmitterRecord record;
    record.name = ReadString(*name, Key::kName);
    ReadTransform(entry, record);
    record.velocity = ReadVec3(entry, Key::kVelocity, record.velocity);
    ReadVelocityDeviation(entry, record);
    record.numParticles = ReadCount(entry, Key::kNumParticles, record.numParticles);
    record.numComplexParticles = ReadCount(entry, Key::kNumComplexParticles, record.numComplexParticles);
    record.lifespan = ReadMilliseconds(entry, Key::kLifespan, record.lifespan);
    record.loop = ReadSwitch(entry, Key::kLoop, record.loop);
    record.loopDelay = ReadMilliseconds(entry, Key::kLoopDelay, record.loopDelay);
    record.color = ReadColor(entry, Key::kColor, record.color);
    record.colorDeviation = ReadColor(entry, Key::kColorDeviation, record.colorDeviation);
    record.acceleration = ReadVec3(entry, Key::kAcceleration, record.acceleration);
    record.particleLifespan = ReadMilliseconds(entry, Key::kParticleLifespan, record.particleLifespan);
    record.particleLifespanDeviation =
        ReadMilliseconds(entry, Key::kParticleLifespanDeviation, record.particleLifespanDeviation);
    record.loopDelayDeviation = ReadMilliseconds(entry, Key::kLoopDelayDeviation, record.loopDelayDeviation);
    record.baseParticleScale = ReadVec3(entry, Key::kBaseParticleScale, record.baseParticleScale);
    record.particleScaleDeviation = ReadVec3(entry, Key::kParticleScaleDev, record.particleScaleDeviation);
    ReadTexture(entry, record);
    record.positionOffset = ReadVec3(entry, Key::kPositionOffset, record.positionOffset);
    ReadSpawnRange(entry, record);
    record.useDensity = ReadSwitch(entry, Key::kUseDensity, record.useDensity);
    ReadFlags(entry, record);
    return record;
}

void ApplyEmitterRecord(const EmitterRecord& record, ParticleEmitter& emitter)
{
    emitter.setArchetypeName(record.name);
    emitter.setPosition(record.position);
    emitter.setVelocity(record.velocity);
    emitter.setVelocityDeviationX(record.velocityDeviationX);
    emitter.setVelocityDeviationY(record.velocityDeviationY);
    emitter.setNumParticles(record.numParticles);
    emitter.setNumComplexParticles(record.numComplexParticles);
    emitter.setLifespan(record.lifespan);
    emitter.setLoop(record.loop);
    emitter.setLoopDelay(record.loopDelay);
    emitter.setColor(record.color);
    emitter.setColorDeviation(record.colorDeviation);
    emitter.setAcceleration(record.acceleration);
    emitter.setParticleLifespan(record.particleLifespan);
    emitter.setParticleLifespanDeviation(record.particleLifespanDeviation);
    emitter.setLoopDelayDeviation(record.loopDelayDeviation);
    emitter.setBaseParticleScale(record.baseParticleScale);
    emitter.setParticleScaleDeviation(record.particleScaleDeviation);
    if (record.texture)
    {
        auto* textures = Engine::getSystem<TextureManager>(TextureManager::kName, TextureManagerNull::instance());
        emitter.setTexture(textures->getTexture(*record.texture));
        emitter.setTextureName(*record.texture);
    }
    emitter.setPositionOffset(record.positionOffset);
    emitter.setSpawnRangeX(glm::vec2(record.xLower, record.xUpper));
    emitter.setSpawnRangeY(glm::vec2(record.yLower, record.yUpper));
    emitter.setRadius(record.radius);
    emitter.setSpawnType(record.spawnType);
    emitter.setUseDensity(record.useDensity);
    for (const std::string& flag : record.flags)
        emitter.setFlag(flag, true);
}

EmitterRecord RecordFromEmitter(const std::string& name, const ParticleEmitter& emitter)
{
    EmitterRecord record;
    record.name = name;
    record.velocity = emitter.getVelocity();
    record.velocityDeviationX = emitter.getVelocityDeviationX();
    record.velocityDeviationY = emitter.getVelocityDeviationY();
    record.numParticles = emitter.getNumParticles();
    record.numComplexParticles = emitter.getNumComplexParticles();
    record.lifespan = emitter.getLifespan();
    record.loop = emitter.getLoop();
    record.loopDelay = emitter.getLoopDelay();
    record.color = emitter.getColor();
    record.colorDeviation = emitter.getColorDeviation();
    record.acceleration = emitter.getAcceleration();
    record.particleLifespan = emitter.getParticleLifespan();
    record.particleLifespanDeviation = emitter.getParticleLifespanDeviation();
    record.loopDelayDeviation = emitter.getLoopDelayDeviation();
    record.baseParticleScale = emitter.getBaseParticleScale();
    record.particleScaleDeviation = emitter.getParticleScaleDeviation();
    if (emitter.getTexture().kind != TextureKind::None)
        record.texture = emitter.getTextureName();
    record.positionOffset = emitter.getPositionOffset();
    const glm::vec2 rangeX = emitter.getSpawnRangeX();
    const glm::vec2 rangeY = emitter.getSpawnRangeY();
    record.xLower = rangeX.x;
    record.xUpper = rangeX.y;
    record.yLower = rangeY.x;
    record.yUpper = rangeY.y;
    record.radius = emitter.getRadius();
    record.spawnType = emitter.getSpawnType();
    record.useDensity = emitter.getUseDensity();
    for (const auto& flag : emitter.getFlags())
        if (flag.second)
            record.flags.push_back(flag.first);
    return record;
}

json EmitterRecordToJson(const EmitterRecord& record)
{
    json entry = json::object();
    entry[Key::kName] = record.name;
    // The emitter's own position is not kept: entities place their emitters.
    entry[Key::kTransformComp] = {{Key::kPosition, {{"x", 0}, {"y", 0}, {"z", 0}}}};
    entry[Key::kVelocity] = Vec3Json(record.velocity);
    entry[Key::kVelocityDeviation] = PlanarJson(record.velocityDeviationX, record.velocityDeviationY);
    entry[Key::kNumParticles] = record.numParticles;
    entry[Key::kNumComplexParticles] = record.numComplexParticles;
    entry[Key::kLifespan] = MillisecondsJson(record.lifespan);
    entry[Key::kLoop] = record.loop;
    entry[Key::kLoopDelay] = MillisecondsJson(record.loopDelay);
    entry[Key::kColor] = ColorJson(record.color);
    entry[Key::kColorDeviation] = ColorJson(record.colorDeviation);
    entry[Key::kAcceleration] = PlanarJson(record.acceleration.x, record.acceleration.y);
    entry[Key::kParticleLifespan] = MillisecondsJson(record.particleLifespan);
    entry[Key::kParticleLifespanDeviation] = MillisecondsJson(record.particleLifespanDeviation);
    entry[Key::kLoopDelayDeviation] = MillisecondsJson(record.loopDelayDeviation);
    entry[Key::kBaseParticleScale] = Vec3Json(record.baseParticleScale);
    entry[Key::kParticleScaleDev] = Vec3Json(record.particleScaleDeviation);
    if (record.texture)
        entry[Key::kTexture] = *record.texture;
    entry[Key::kPositionOffset] = Vec3Json(record.positionOffset);
    entry[Key::kSpawnRange] = {{Key::kXLower, static_cast<double>(record.xLower)},
                               {Key::kXUpper, static_cast<double>(record.xUpper)},
                               {Key::kYLower, static_cast<double>(record.yLower)},
                               {Key::kYUpper, static_cast<double>(record.yUpper)},
                               {Key::kRadius, static_cast<double>(record.radius)},
                               {Key::kType, record.spawnType}};
    entry[Key::kUseDensity] = record.useDensity;
    json flags = nullptr;
    for (const std::string& flag : record.flags)
        flags.push_back(flag);
    entry[Key::kFlags] = flags;
    return entry;
}

std::string ArchetypeDocumentText(const std::map<std::string, ParticleEmitter*>& archetypes)
{
    json document = nullptr;
    for (const auto& archetype : archetypes)
        document[archetype.first] = EmitterRecordToJson(RecordFromEmitter(archetype.first, *archetype.second));
    // Replacing bad bytes keeps a hand-edited name from turning the export into an exception.
    return document.dump(4, ' ', false, json::error_handler_t::replace);
}

void ReadEmitterArchetypes(const std::string& path, ParticleManager& manager)
{
    const JsonFileScope scope(path);
    std::ifstream in(path);
    if (!in)
    {
        Log()->error(JsonProblemText(path, "not found; no particle emitters were loaded."));
        return;
    }
    std::stringstream text;
    text << in.rdbuf();
    try
    {
        const std::string stop = RegisterArchetypes(ParseJsonFile(text.str(), path), path, manager);
        if (!stop.empty())
            ReportStop(path, stop);
    }
    catch (const std::exception& error)
    {
        ReportStop(path, JsonFailureText(path, error));
    }
}

bool WriteEmitterArchetypes(const std::string& path, const std::map<std::string, ParticleEmitter*>& archetypes)
{
    if (WriteTextAtomically(path, ArchetypeDocumentText(archetypes)))
        return true;
    Log()->error("Emitter file [" + path + "] could not be written; the old file is kept.");
    return false;
}
