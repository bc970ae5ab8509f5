#pragma once
// The emitter archetype file: a JSON object of named entries, one per archetype (a list of
// entries reads the same). Reading is strict about value types and shapes and stops at the
// first bad entry (entries read before it stay), saying which file, key or entry and what was
// expected; writing puts every archetype's full entry back, keys sorted, four-space indent.

#include "graphics/Texture.h"

#include <glm/glm.hpp>
#include <nlohmann/json.hpp>

#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <vector>

class ParticleEmitter;
class ParticleManager;

// One entry of the file. Defaults are those of a freshly built emitter, so an absent key
// leaves the emitter as its constructor made it.
struct EmitterRecord
{
    std::string name;
    glm::vec3 position{0.0f};
    glm::vec3 velocity{0.0f};
    float velocityDeviationX = 0.0f;
    float velocityDeviationY = 0.0f;
    int32_t numParticles = 0;
    int32_t numComplexParticles = 0;
    int64_t lifespan = 0;
    bool loop = true;
    int64_t loopDelay = 0;
    glm::vec4 color{1.0f, 0.0f, 0.0f, 1.0f};
    glm::vec4 colorDeviation{0.0f};
    glm::vec3 acceleration{0.0f};
    int64_t particleLifespan = 1000;
    int64_t particleLifespanDeviation = 0;
    int64_t loopDelayDeviation = 0;
    glm::vec3 baseParticleScale{0.0f};
    glm::vec3 particleScaleDeviation{0.0f};
    std::optional<std::string> texture;
    glm::vec3 positionOffset{0.0f};
    float xLower = 0.0f;
    float xUpper = 0.0f;
    float yLower = 0.0f;
    float yUpper = 0.0f;
    float radius = 0.0f;
    int32_t spawnType = 0;
    bool useDensity = false;
    // Names of the flags that are true, in name order.
    std::vector<std::string> flags;
};

// The entry, an object, as a record. A value of the wrong kind or a missing "Name" throws
// JsonFileError naming the innermost JsonFileScope's file and the key.
EmitterRecord ParseEmitterRecord(const nlohmann::json& entry);
void ApplyEmitterRecord(const EmitterRecord& record, ParticleEmitter& emitter);

EmitterRecord RecordFromEmitter(const std::string& name, const ParticleEmitter& emitter);
nlohmann::json EmitterRecordToJson(const EmitterRecord& record);
// The text the file receives: "null" for no archetypes.
std::string ArchetypeDocumentText(const std::map<std::string, ParticleEmitter*>& archetypes);

// Registers every entry of the file with the manager. A missing file registers nothing and
// says so, as does an empty one (null, [] or {}); a malformed or wrong-shaped one logs "Failed
// to parse file, <path>" and the line saying what is wrong, and keeps what came before.
void ReadEmitterArchetypes(const std::string& path, ParticleManager& manager);
// Rewrites the file atomically; a file that cannot be written is left as it was, the failure
// logged and false returned.
bool WriteEmitterArchetypes(const std::string& path, const std::map<std::string, ParticleEmitter*>& archetypes);
