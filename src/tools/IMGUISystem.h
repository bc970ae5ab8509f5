#pragma once
// Owns the developer GUI (Dear ImGui with its GLFW and OpenGL 3 back ends). Every engine
// update builds one GUI frame, in which the current game state draws its developer windows
// (while the state tools are shown) and the frame-rate overlay is drawn (while the overlay
// is shown); every render draws the last finished frame over the scene. The overlay flag is
// also the switch of the whole developer view: debug drawing and the menu bars follow it.
// F3 ("ToggleDebug") flips both flags.
//
// Without a window (tests, tools) the GUI runs headless: same frames, no back ends, no
// settings file, a fixed display size.

#include "engine/IEngineSystem.h"
#include "engine/Observer.h"

#include <cstdint>

struct GLFWwindow;

class IMGUISystem : public IEngineSystem, public Observer
{
public:
    static constexpr const char* kName = "IMGUISystem";
    // The trace lines name the GUI this way.
    static constexpr const char* kLogName = "IMGUIManager";
    static constexpr const char* kOverlayTitle = "Example: Simple overlay";
    static constexpr const char* kGlslVersion = "#version 330";
    // Where the developer windows' places and sizes are kept between runs.
    static constexpr const char* kSettingsFile = "imgui.ini";
    static IMGUISystem* getInstance();

    void initialize() override;
    void update() override;
    void render() override;
    void shutdown() override;

    virtual void setStateToolsShown(bool shown) { stateToolsShown = shown; }
    virtual bool isStateToolsShown() const { return stateToolsShown; }
    virtual void setOverlayShown(bool shown) { overlayShown = shown; }
    virtual bool isOverlayShown() const { return overlayShown; }
    // Draws into the current GUI frame: only between its start and its end.
    virtual void drawPerformanceOverlay();
    virtual float getFps() const { return fps; }

    // The window the back ends attach to; the engine's window unless set.
    void setWindow(GLFWwindow* target) { chosenWindow = target; }
    bool hasBackends() const { return backendsReady; }
    uint64_t getFrameTimeUs() const { return frameTimeUs; }
    int64_t getLastRenderTime() const { return lastRenderTime; }

    // Whether a developer text field holds the keyboard, or a developer window the mouse; the
    // input system asks these.
    static bool WantsTextInput();
    static bool WantsMouse();

private:
    void startBackends(GLFWwindow* target);
    void startHeadless();
    void beginFrame();
    void fitViewportToWindow() const;
    void saveSettings() const;

    // Hidden until F3; initialize hides them again.
    bool stateToolsShown = false;
    bool overlayShown = false;
    uint64_t frameTimeUs = 0;
    float fps = 0.0f;
    int64_t lastRenderTime = 0;
    GLFWwindow* chosenWindow = nullptr;
    // Forgotten at shutdown: the next start may belong to another engine, whose window
    // replaces this one, and the back ends must never chain to a destroyed window.
    GLFWwindow* window = nullptr;
    bool backendsReady = false;
    bool contextReady = false;
};

class IMGUISystemNull : public IMGUISystem
{
public:
    static IMGUISystemNull* instance();
    void initialize() override {}
    void update() override {}
    void render() override {}
    void shutdown() override {}
    bool isNull() const override { return true; }
    void setStateToolsShown(bool) override {}
    bool isStateToolsShown() const override { return false; }
    void setOverlayShown(bool) override {}
    bool isOverlayShown() const override { return false; }
    void drawPerformanceOverlay() override {}
    float getFps() const override { return 0.0f; }
};
