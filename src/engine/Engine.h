#pragma once
// The application object. Engine::run opens the window and GL context, registers the engine
// systems in their fixed order, runs the fixed-step loop until the window closes or quit() is
// called, then shuts the systems down in reverse order. One global pointer reaches the running
// instance: every lookup of a system by name and every window callback goes through it.

#include "engine/FixedStepper.h"

#include <cstdint>
#include <functional>
#include <map>
#include <string>
#include <utility>
#include <vector>

class IEngineSystem;
struct GLFWwindow;

class Engine
{
public:
    static constexpr int32_t kNominalStepMs = 10;
    // A timed update or render longer than this is handed to the debug system.
    static constexpr int64_t kTimingThresholdMicros = 20;

    Engine(const std::string& title, int32_t width, int32_t height, int32_t fixedStepMicros);
    ~Engine();
    Engine(const Engine&) = delete;
    Engine& operator=(const Engine&) = delete;

    // Returns false when the window or GL could not be set up.
    bool run();
    bool initialize();
    void update();
    void shutdown();

    void registerSystem(IEngineSystem* system);
    void registerSystemAs(const std::string& key, IEngineSystem* system);
    // The game's composition root hands in the systems to register, in their order; the
    // engine itself knows none of them.
    void setSystemRegistrar(std::function<void(Engine&)> registrar) { systemRegistrar = std::move(registrar); }
    void registerEngineSystems();
    void initializeSystems();
    // The loop body without the window: add a frame's time, take the whole steps it holds
    // (updating every unpaused system), then render every system.
    void advance(int64_t frameMicros);
    // One fixed step of every unpaused system, without rendering.
    void step();
    void renderSystems();

    void quit() { running = false; }
    void setFullscreen(bool on);
    bool isFullscreen() const { return fullscreen; }
    bool isFocused() const { return focused; }
    bool isRunning() const { return running; }
    bool isMinimized() const { return minimised; }
    GLFWwindow* getWindow() const { return window; }
    int32_t getWidth() const { return width; }
    int32_t getHeight() const { return height; }
    int32_t getWindowedWidth() const { return windowedWidth; }
    int32_t getWindowedHeight() const { return windowedHeight; }
    float getAverageStepInterval() { return stepper.getAverageStepInterval(); }
    const FixedStepper& getStepper() const { return stepper; }
    const std::vector<IEngineSystem*>& getSystemList() const { return systemList; }

    // The running engine, or null before start-up, after shutdown and in tests that never
    // made one current.
    static Engine* current();
    void makeCurrent();

    template <class T>
    static T* getSystem(const std::string& name, T* fallback);

    // Window events. The size callback and the iconify callback share the minimised flag so
    // that a minimise reported both ways calls onMinimize/onRestore once each.
    void handleWindowSize(int32_t w, int32_t h);
    void handleIconify(bool iconified);
    void handleFocus(bool hasFocus) { focused = hasFocus; }
    void notifyMinimize();
    void notifyRestore();

    static void onWindowSize(GLFWwindow* window, int w, int h);
    static void onWindowPos(GLFWwindow* window, int x, int y);
    static void onFileDrop(GLFWwindow* window, int count, const char** paths);
    static void onWindowFocus(GLFWwindow* window, int focused);
    static void onWindowIconify(GLFWwindow* window, int iconified);

private:
    bool openWindow();
    void takeSteps(int64_t frameMicros);
    void takeFixedStep();
    void redrawOutsideLoop();
    IEngineSystem* findSystem(const std::string& name) const;

    int32_t width;
    int32_t height;
    int32_t windowedWidth;
    int32_t windowedHeight;
    std::string title;
    bool running = false;
    bool minimised = false;
    bool fullscreen = false;
    bool focused = true;
    int64_t lastFrameClock = 0;
    FixedStepper stepper;
    GLFWwindow* window = nullptr;
    std::map<std::string, IEngineSystem*> systemsByName;
    std::vector<IEngineSystem*> systemList;
    std::function<void(Engine&)> systemRegistrar;
};

GLFWwindow* GetEngineWindow();

template <class T>
T* Engine::getSystem(const std::string& name, T* fallback)
{
    Engine* engine = current();
    if (!engine)
        return fallback;
    T* found = dynamic_cast<T*>(engine->findSystem(name));
    return found ? found : fallback;
}
