#pragma once
// Sandbox for sound and scenes: loads the level "Test Map", clones the archetype "TestArc",
// makes every entity drawable, and offers the sound editor, the scene changer and the
// diagnostics window through its developer menu. Holding C moves and stretches the test
// entity; V puts it back where initialize left it. Reached by key 1 only.

#include "engine/IEngineState.h"

#include <glm/glm.hpp>

#include <cstdint>

class Entity;

class EngineStateMorvel : public IEngineState
{
public:
    static constexpr const char* kName = "EngineStateMorvel";
    static constexpr const char* kScene = "Test Map";
    static constexpr const char* kTestArchetype = "TestArc";
    static constexpr const char* kTestPosAction = "TestPos";
    static constexpr const char* kTestPosBackAction = "TestPos2";
    static constexpr const char* kMenuTitle = "Show Windows";
    static constexpr const char* kDiagnosticsItem = "Diagnostics";
    static constexpr const char* kSceneChangerItem = "Scene Changer";
    static constexpr const char* kAudioManagerItem = "Audio Manager";
    static EngineStateMorvel* instance();

    void load() override {}
    void initialize() override;
    void update() override;
    void render() override;
    void shutdown() override {}
    void unload() override {}
    void debugGui() override;

    // The "TestArc" entity of the last initialize while it is still active; the null entity
    // once a scene load or another state has deleted it.
    static Entity* testArc();
    static glm::vec3 testArcStart();

private:
    void bindTestKeys() const;
    void makeEntitiesDrawable() const;
    void buildMenus();
};
