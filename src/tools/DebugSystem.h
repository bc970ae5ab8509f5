#pragma once
// Collects the per-system update and render times that the main loop hands in, and draws the
// developer menu bar and diagnostics window for the game states.

#include "engine/IEngineSystem.h"
#include "engine/Observer.h"

#include <cstdint>
#include <map>
#include <string>

class DebugSystem : public IEngineSystem, public Observer
{
public:
    static constexpr const char* kName = "DebugSystem";
    static DebugSystem* getInstance();

    void initialize() override;
    void update() override {}
    void render() override {}
    void shutdown() override {}

    // Not virtual: the null object keeps tables of its own.
    void recordUpdateTime(const std::string& name, const int64_t& micros);
    void recordRenderTime(const std::string& name, const int64_t& micros);
    const std::map<std::string, int64_t>& getUpdateTimes() const { return updateTimes; }
    const std::map<std::string, int64_t>& getRenderTimes() const { return renderTimes; }
    bool isDiagnosticsShown() const { return diagnosticsShown; }
    void setDiagnosticsShown(bool shown) { diagnosticsShown = shown; }

private:
    std::map<std::string, int64_t> updateTimes;
    std::map<std::string, int64_t> renderTimes;
    bool diagnosticsShown = false;
};

class DebugSystemNull : public DebugSystem
{
public:
    static DebugSystemNull* instance();
    void initialize() override {}
    bool isNull() const override { return true; }
};
