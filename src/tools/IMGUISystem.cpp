#include "tools/IMGUISystem.h"

#include "engine/Engine.h"
#include "engine/EngineStateManager.h"
#include "engine/FileHelpers.h"
#include "engine/SystemSingleton.h"
#include "engine/TraceLog.h"
#include "input/InputSystem.h"

#include <GL/glew.h>
#include <GLFW/glfw3.h>
#include <backends/imgui_impl_glfw.h>
#include <backends/imgui_impl_opengl3.h>
#include <imgui.h>

#include <algorithm>
#include <chrono>

namespace
{
IMGUISystem* gIMGUISystem = nullptr;

// ImGui refuses a zero frame time; two fixed steps in one loop pass read the same clock.
constexpr float kMinFrameSeconds = 1.0e-6f;
// Headless frames stand for one fixed step each.
constexpr float kHeadlessFrameSeconds = 0.01f;
constexpr float kHeadlessWidth = 1280.0f;
constexpr float kHeadlessHeight = 720.0f;

int64_t MonotonicNanos()
{
    return std::chrono::duration_cast<std::chrono::nanoseconds>(
               std::chrono::steady_clock::now().time_since_epoch())
        .count();
}

InputSystem* Input()
{
    return Engine::getSystem<InputSystem>(InputSystem::kName, InputSystemNull::instance());
}
}

IMGUISystem* IMGUISystem::getInstance()
{
    return GetSystemSingleton(gIMGUISystem, kName);
}

IMGUISystemNull* IMGUISystemNull::instance()
{
    static IMGUISystemNull null;
    return &null;
}

bool IMGUISystem::WantsTextInput()
{
    return ImGui::GetCurrentContext() && ImGui::GetIO().WantTextInput;
}

bool IMGUISystem::WantsMouse()
{
    return ImGui::GetCurrentContext() && ImGui::GetIO().WantCaptureMouse;
}

// The engine installed its window callbacks when it opened the window, before any system
// started, so the GLFW back end chains to them instead of replacing them.
void IMGUISystem::initialize()
{
    stateToolsShown = false;
    overlayShown = false;
    IMGUI_CHECKVERSION();
    ImGui::CreateContext();
    ImGui::StyleColorsDark();
    GLFWwindow* target = chosenWindow ? chosenWindow : GetEngineWindow();
    if (target)
        startBackends(target);
    else
        startHeadless();
    contextReady = true;
    Input()->setKeyboardCapture(&IMGUISystem::WantsTextInput);
    Input()->setMouseCapture(&IMGUISystem::WantsMouse);
    Log()->message(kLogName, "initialize");
}

// The GUI library would rewrite its settings file in place, and a second game reading it
// meanwhile could meet half a file; this system reads it and writes it whole, by a rename.
void IMGUISystem::startBackends(GLFWwindow* target)
{
    ImGui::GetIO().IniFilename = nullptr;
    ImGui::LoadIniSettingsFromDisk(kSettingsFile);
    ImGui_ImplGlfw_InitForOpenGL(target, true);
    ImGui_ImplOpenGL3_Init(kGlslVersion);
    window = target;
    backendsReady = true;
}

void IMGUISystem::startHeadless()
{
    ImGuiIO& io = ImGui::GetIO();
    io.IniFilename = nullptr;
    Engine* engine = Engine::current();
    io.DisplaySize = engine ? ImVec2(static_cast<float>(engine->getWidth()), static_cast<float>(engine->getHeight()))
                            : ImVec2(kHeadlessWidth, kHeadlessHeight);
    unsigned char* pixels = nullptr;
    int width = 0;
    int height = 0;
    io.Fonts->GetTexDataAsRGBA32(&pixels, &width, &height);
}

// One GUI frame per fixed step: the state's windows, the overlay, then the finished frame
// waits for render.
void IMGUISystem::update()
{
    if (!contextReady)
        return;
    beginFrame();
    if (stateToolsShown)
        Engine::getSystem<EngineStateManager>(EngineStateManager::kName, EngineStateManagerNull::instance())
            ->debugGui();
    if (overlayShown)
        drawPerformanceOverlay();
    ImGui::Render();
    fitViewportToWindow();
    if (ImGui::GetIO().WantSaveIniSettings)
        saveSettings();
}

void IMGUISystem::saveSettings() const
{
    if (!backendsReady)
        return;
    WriteTextAtomically(kSettingsFile, ImGui::SaveIniSettingsToMemory());
    ImGui::GetIO().WantSaveIniSettings = false;
}

void IMGUISystem::beginFrame()
{
    ImGuiIO& io = ImGui::GetIO();
    if (backendsReady)
    {
        ImGui_ImplOpenGL3_NewFrame();
        ImGui_ImplGlfw_NewFrame();
    }
    else
    {
        io.DeltaTime = kHeadlessFrameSeconds;
    }
    io.DeltaTime = std::max(io.DeltaTime, kMinFrameSeconds);
    ImGui::NewFrame();
}

void IMGUISystem::fitViewportToWindow() const
{
    if (!backendsReady)
        return;
    int width = 0;
    int height = 0;
    glfwGetFramebufferSize(window, &width, &height);
    glViewport(0, 0, width, height);
}

// Before the first update there is no finished frame to draw; the frame clock runs anyway.
void IMGUISystem::render()
{
    if (contextReady && backendsReady)
    {
        if (ImDrawData* drawData = ImGui::GetDrawData())
            ImGui_ImplOpenGL3_RenderDrawData(drawData);
    }
    const int64_t now = MonotonicNanos();
    frameTimeUs = static_cast<uint64_t>(now - lastRenderTime) / 1000;
    lastRenderTime = now;
}

void IMGUISystem::drawPerformanceOverlay()
{
    const ImGuiWindowFlags flags = ImGuiWindowFlags_NoDecoration | ImGuiWindowFlags_AlwaysAutoResize |
                                   ImGuiWindowFlags_NoSavedSettings | ImGuiWindowFlags_NoFocusOnAppearing |
                                   ImGuiWindowFlags_NoNav | ImGuiWindowFlags_NoMove;
    const ImGuiViewport* viewport = ImGui::GetMainViewport();
    const ImVec2 corner(viewport->WorkPos.x + 10.0f, viewport->WorkPos.y + 10.0f);
    ImGui::SetNextWindowPos(corner, ImGuiCond_Always, ImVec2(0.0f, 0.0f));
    ImGui::SetNextWindowBgAlpha(0.35f);
    if (ImGui::Begin(kOverlayTitle, &overlayShown, flags))
    {
        const float frameMs = static_cast<float>(frameTimeUs) / 1000.0f;
        fps = 1000.0f / frameMs;
        const float updateRate = ImGui::GetIO().Framerate;
        ImGui::Text("UPS : %5.1f -- %6.3f ms/frame", updateRate, 1000.0f / updateRate);
        ImGui::Separator();
        ImGui::Text("FPS : %5.1f -- %6.3f ms/frame", fps, frameMs);
    }
    ImGui::End();
}

void IMGUISystem::shutdown()
{
    if (contextReady)
    {
        Input()->setKeyboardCapture(nullptr);
        Input()->setMouseCapture(nullptr);
        saveSettings();
        if (backendsReady)
        {
            ImGui_ImplOpenGL3_Shutdown();
            ImGui_ImplGlfw_Shutdown();
        }
        ImGui::DestroyContext();
    }
    contextReady = false;
    backendsReady = false;
    window = nullptr;
    Log()->message(kLogName, "shutdown");
}
