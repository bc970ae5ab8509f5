#include "tools/DebugSystem.h"

#include "engine/Engine.h"
#include "engine/SystemSingleton.h"
#include "engine/TraceLog.h"
#include "graphics/GraphicsSystem.h"
#include "tools/IMGUISystem.h"
#include "world/EntityManager.h"

#include <imgui.h>

#include <cstdio>
#include <string_view>

// The main loop finds its timing table under this name.
static_assert(std::string_view(DebugSystem::kName) == SystemTimings::kRegistryName);

namespace
{
DebugSystem* gDebugSystem = nullptr;

constexpr float kPlotHeight = 160.0f;
}

DebugSystem* DebugSystem::getInstance()
{
    return GetSystemSingleton(gDebugSystem, kName);
}

DebugSystemNull* DebugSystemNull::instance()
{
    static DebugSystemNull null;
    return &null;
}

DebugSystem::DebugSystem() : entities(EntityManagerNull::instance()), graphics(GraphicsSystemNull::instance()) {}

FpsHistory& DebugSystem::fpsHistory()
{
    static FpsHistory history;
    return history;
}

void DebugSystem::initialize()
{
    entities = Engine::getSystem<EntityManager>(EntityManager::kName, EntityManagerNull::instance());
    graphics = Engine::getSystem<GraphicsSystem>(GraphicsSystem::kName, GraphicsSystemNull::instance());
    Log()->message(kName, "initialize");
    fpsHistory().resetScale();
    setDiagnosticsShown(false);
}

// The map holds pointers to the states' own flags, so a click lands in the state although the
// map came by value.
void DebugSystem::drawMenuBar(DebugMenuMap menus)
{
    if (!ImGui::BeginMainMenuBar())
        return;
    for (auto& [title, items] : menus)
    {
        if (!ImGui::BeginMenu(title.c_str(), true))
            continue;
        for (auto& [label, flag] : items)
            ImGui::MenuItem(label.c_str(), nullptr, flag, true);
        ImGui::EndMenu();
    }
    ImGui::EndMainMenuBar();
}

// Sampling runs even while the window is collapsed, so the plot never shows a hole.
void DebugSystem::drawDiagnostics()
{
    ImGui::Begin(kDiagnosticsTitle);
    FpsHistory& history = fpsHistory();
    const float fps = Engine::getSystem<IMGUISystem>(IMGUISystem::kName, IMGUISystemNull::instance())->getFps();
    history.catchUp(ImGui::GetTime(), fps);
    char overlay[64];
    std::snprintf(overlay, sizeof overlay, "avg %f", static_cast<double>(history.average()));
    ImGui::PlotLines(kPlotLabel, history.getSamples().data(), FpsHistory::kSampleCount, 0, overlay, 0.0f,
                     static_cast<float>(history.getCeiling()), ImVec2(0.0f, kPlotHeight), sizeof(float));
    ImGui::NewLine();
    drawTimingLines(kUpdateHeader, "%s : %lld us/update", getUpdateTimes());
    drawTimingLines(kRenderHeader, "%s : %lld us/render", getRenderTimes());
    ImGui::End();
}

void DebugSystem::drawTimingLines(const char* header, const char* format, const std::map<std::string, int64_t>& times)
{
    if (!ImGui::CollapsingHeader(header))
        return;
    for (const auto& [name, micros] : times)
        ImGui::Text(format, name.c_str(), static_cast<long long>(micros));
}
