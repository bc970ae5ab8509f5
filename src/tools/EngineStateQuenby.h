#pragma once
// Sandbox for particle effects: an empty world seen through a perspective camera over a blue
// background. Its "Particle Emitter Generator" window makes emitter entities from the emitter
// archetypes, spawns a few gameplay archetypes, clears emitters, entities or both, and lists
// every emitter entity with the live editor of each of its emitters. The window's menu items
// only set requests; the next update carries them out. Reached by key 4 only.

#include "engine/IEngineState.h"

#include <cstdint>
#include <string>

class EngineStateQuenby : public IEngineState
{
public:
    static constexpr const char* kName = "EngineStateQuenby";
    static constexpr const char* kGeneratorTitle = "Particle Emitter Generator";
    static constexpr const char* kEmitterEntityArchetype = "EmitterEntity";
    static constexpr const char* kEmitterEntityFlag = "emitterEntity";
    static constexpr const char* kNoEmitter = "null";
    static constexpr const char* kMenuTitle = "Show Windows";
    static EngineStateQuenby* instance();

    void load() override {}
    void initialize() override;
    void update() override;
    void render() override;
    void shutdown() override;
    void unload() override {}
    void debugGui() override;

    void addEmitterEntity(std::string emitterArchetype);
    // 0 "Player", 1 "Goal", 2 "Package", 3 "Hazard"; any other kind spawns nothing.
    void spawnArchetype(int32_t kind);
    void clearEmitters();
    void clearEntities();
    void clearAll();

    bool isAddRequested() const { return addRequest; }
    const std::string& getEmitterName() const { return emitterName; }
    bool isSpawnRequested() const { return spawnRequest; }
    int32_t getSpawnKind() const { return spawnKind; }

private:
    void drawEmitterGenerator();
    void drawGeneratorMenus();
    void deleteEntitiesWhere(bool emitterEntities) const;

    bool addRequest = false;
    std::string emitterName;
    bool spawnRequest = false;
    int32_t spawnKind = 0;
};
