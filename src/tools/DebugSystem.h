#pragma once
// Collects the per-system update and render times that the main loop hands in, and draws the
// developer menu bar and diagnostics window for the game states.

#include "engine/IEngineState.h"
#include "engine/IEngineSystem.h"
#include "engine/Observer.h"
#include "engine/SystemTimings.h"

class DebugSystem : public IEngineSystem, public Observer, public SystemTimings
{
public:
    static constexpr const char* kName = "DebugSystem";
    static DebugSystem* getInstance();

    void initialize() override;
    void update() override {}
    void render() override {}
    void shutdown() override {}

    bool isDiagnosticsShown() const { return diagnosticsShown; }
    void setDiagnosticsShown(bool shown) { diagnosticsShown = shown; }

    // Developer windows: they must run inside a GUI frame.
    virtual void drawMenuBar(DebugMenuMap menus);
    virtual void drawDiagnostics();

private:
    bool diagnosticsShown = false;
};

class DebugSystemNull : public DebugSystem
{
public:
    static DebugSystemNull* instance();
    void initialize() override {}
    bool isNull() const override { return true; }
    void drawMenuBar(DebugMenuMap) override {}
    void drawDiagnostics() override {}
};
