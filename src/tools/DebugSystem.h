#pragma once
// Collects the per-system update and render times that the main loop hands in, and draws the
// shared developer pieces every game state uses: the main menu bar built from the state's
// DebugMenuMap and the "Diagnostics" window (a scrolling frame-rate plot and the last slow
// update and render time of each system). Its render draws debug outlines over the world
// while the developer view is on: collider boxes (red solid, green not), a velocity bar per
// body and the spawn area of every emitter that shows its bounds.
//
// Game states carry the diagnostics window's open state across switches: their initialize
// reads isDiagnosticsShown, their update writes it back.

#include "engine/IEngineState.h"
#include "engine/IEngineSystem.h"
#include "engine/Observer.h"
#include "engine/SystemTimings.h"
#include "tools/FpsHistory.h"

#include <glm/glm.hpp>

#include <cstdint>
#include <vector>

class Entity;
class EntityManager;
class GraphicsSystem;
class Mesh;
class ParticleEmitter;
struct DrawData;

class DebugSystem : public IEngineSystem, public Observer, public SystemTimings
{
public:
    static constexpr const char* kName = "DebugSystem";
    static constexpr const char* kDiagnosticsTitle = "Diagnostics";
    static constexpr const char* kPlotLabel = "Current FPS";
    static constexpr const char* kUpdateHeader = "Update Cycle";
    static constexpr const char* kRenderHeader = "Render Cycle";
    static DebugSystem* getInstance();

    DebugSystem();

    void initialize() override;
    void update() override {}
    void render() override;
    void shutdown() override {}

    bool isDiagnosticsShown() const { return diagnosticsShown; }
    void setDiagnosticsShown(bool shown) { diagnosticsShown = shown; }

    // Developer windows: they must run inside a GUI frame.
    void drawMenuBar(DebugMenuMap menus);
    void drawDiagnostics();

    // The diagnostics plot's history, shared by every caller for the whole run.
    static FpsHistory& fpsHistory();
    const std::vector<uint32_t>& getEntityIds() const { return entityIds; }

private:
    void drawTimingLines(const char* header, const char* format, const std::map<std::string, int64_t>& times);
    void drawEntityOutlines(Entity* entity, DrawData& draw, Mesh* quad, Mesh* ring);
    void drawSpawnArea(const glm::vec3& entityPosition, ParticleEmitter* emitter, DrawData& draw, Mesh* quad,
                       Mesh* ring);
    void drawVelocityBar(Entity* entity, DrawData& draw, Mesh* quad);

    std::vector<uint32_t> entityIds;
    bool diagnosticsShown = false;
    EntityManager* entities;
    GraphicsSystem* graphics;
};

class DebugSystemNull : public DebugSystem
{
public:
    static DebugSystemNull* instance();
    void initialize() override {}
    void render() override {}
    bool isNull() const override { return true; }
};
