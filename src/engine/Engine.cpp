#include "engine/Engine.h"

#include "engine/EngineStateManager.h"
#include "engine/IEngineSystem.h"
#include "engine/SystemTimings.h"
#include "engine/TimeHelpers.h"

#include <GL/glew.h>
#include <GLFW/glfw3.h>

#include <algorithm>
#include <chrono>
#include <iostream>

namespace
{
Engine* gCurrentEngine = nullptr;

int64_t SteadyNowNanos()
{
    return std::chrono::duration_cast<std::chrono::nanoseconds>(
               std::chrono::steady_clock::now().time_since_epoch())
        .count();
}

SystemTimings* Timings()
{
    return Engine::getSystem<SystemTimings>(SystemTimings::kRegistryName, SystemTimings::fallback());
}

EngineStateManager* StateManager()
{
    return Engine::getSystem<EngineStateManager>(EngineStateManager::kName,
                                                 EngineStateManagerNull::instance());
}

Engine* EngineOf(GLFWwindow* window)
{
    return static_cast<Engine*>(glfwGetWindowUserPointer(window));
}

// GLFW's own description of its last error: a failed start says why (no display, no GL 3.3).
std::string gLastGlfwError;

void RememberGlfwError(int, const char* description)
{
    gLastGlfwError = description ? description : "";
}

// The line the run is known by, then the reason when GLFW gave one.
void ReportStartFailure(const char* line)
{
    std::cerr << line << std::endl;
    if (!gLastGlfwError.empty())
        std::cerr << "Reason: " << gLastGlfwError << std::endl;
}

template <class Call>
int64_t TimeMicros(Call&& call)
{
    const int64_t start = SteadyNowNanos();
    call();
    return (SteadyNowNanos() - start) / 1000;
}
}

Engine::Engine(const std::string& title, int32_t width, int32_t height, int32_t fixedStepMicros)
    : width(width), height(height), windowedWidth(width), windowedHeight(height), title(title),
      stepper(fixedStepMicros)
{
}

// A destroyed engine must never stay reachable through the global pointer.
Engine::~Engine()
{
    if (gCurrentEngine == this)
        gCurrentEngine = nullptr;
}

Engine* Engine::current()
{
    return gCurrentEngine;
}

void Engine::makeCurrent()
{
    gCurrentEngine = this;
}

GLFWwindow* GetEngineWindow()
{
    Engine* engine = Engine::current();
    return engine ? engine->getWindow() : nullptr;
}

bool Engine::run()
{
    if (running)
        return true;
    const bool started = initialize();
    if (started)
        while (running)
            update();
    shutdown();
    return started;
}

// Start-up: window and GL context first, then the systems in their fixed order, then the
// borderless monitor-sized window.
bool Engine::initialize()
{
    running = true;
    makeCurrent();
    if (!openWindow())
    {
        running = false;
        return false;
    }
    registerEngineSystems();
    initializeSystems();
    setFullscreen(true);
    return true;
}

bool Engine::openWindow()
{
    gLastGlfwError.clear();
    glfwSetErrorCallback(&RememberGlfwError);
    if (!glfwInit())
    {
        ReportStartFailure("GLFW failed to initialize, shutting down.");
        return false;
    }
    glfwWindowHint(GLFW_CONTEXT_VERSION_MAJOR, 3);
    glfwWindowHint(GLFW_CONTEXT_VERSION_MINOR, 3);
    glfwWindowHint(GLFW_OPENGL_PROFILE, GLFW_OPENGL_CORE_PROFILE);
    glfwWindowHint(GLFW_OPENGL_FORWARD_COMPAT, GLFW_TRUE);
    glfwWindowHint(GLFW_AUTO_ICONIFY, GLFW_FALSE);
    glfwWindowHint(GLFW_FLOATING, GLFW_FALSE);
    window = glfwCreateWindow(width, height, title.c_str(), nullptr, nullptr);
    if (!window)
    {
        ReportStartFailure("Window creation failed, shutting down.");
        glfwTerminate();
        return false;
    }
    glfwMakeContextCurrent(window);
    glfwSwapInterval(0);
    glfwSetWindowUserPointer(window, this);
    glfwSetWindowSizeCallback(window, &Engine::onWindowSize);
    glfwSetWindowPosCallback(window, &Engine::onWindowPos);
    glfwSetDropCallback(window, &Engine::onFileDrop);
    glfwSetWindowFocusCallback(window, &Engine::onWindowFocus);
    glfwSetWindowIconifyCallback(window, &Engine::onWindowIconify);
    glewExperimental = GL_TRUE;
    if (glewInit() != GLEW_OK)
    {
        std::cerr << "GLEW failed to initialize, shutting down..." << std::endl;
        return false;
    }
    // GLEW can leave a harmless GL_INVALID_ENUM behind on core profiles; clear it so the
    // first real GL error check sees only its own.
    while (glGetError() != GL_NO_ERROR) {}
    return true;
}

void Engine::registerEngineSystems()
{
    if (systemRegistrar)
        systemRegistrar(*this);
}

void Engine::registerSystem(IEngineSystem* system)
{
    registerSystemAs(system->getName(), system);
}

void Engine::registerSystemAs(const std::string& key, IEngineSystem* system)
{
    systemsByName.emplace(key, system);
    systemList.push_back(system);
}

void Engine::initializeSystems()
{
    for (IEngineSystem* system : systemList)
        system->initialize();
}

IEngineSystem* Engine::findSystem(const std::string& name) const
{
    auto found = systemsByName.find(name);
    return found == systemsByName.end() ? nullptr : found->second;
}

void Engine::update()
{
    makeCurrent();
    const int64_t now = SteadyNowNanos();
    const int64_t frameMicros = (now - lastFrameClock) / 1000;
    lastFrameClock = now;
    takeSteps(frameMicros);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    renderSystems();
    glfwSwapBuffers(window);
    glfwPollEvents();
    if (glfwWindowShouldClose(window))
        running = false;
}

void Engine::advance(int64_t frameMicros)
{
    makeCurrent();
    takeSteps(frameMicros);
    renderSystems();
}

void Engine::step()
{
    makeCurrent();
    takeFixedStep();
}

void Engine::takeSteps(int64_t frameMicros)
{
    stepper.addFrameTime(frameMicros);
    while (stepper.takeStep())
        takeFixedStep();
}

void Engine::takeFixedStep()
{
    stepper.recordStep(GetTimeMs());
    for (IEngineSystem* system : systemList)
    {
        const int64_t micros = TimeMicros([system] {
            if (!system->isPaused())
                system->update();
        });
        if (micros > kTimingThresholdMicros)
            Timings()->recordUpdateTime(system->getName(), micros);
    }
}

void Engine::renderSystems()
{
    for (IEngineSystem* system : systemList)
    {
        const int64_t micros = TimeMicros([system] { system->render(); });
        if (micros > kTimingThresholdMicros)
            Timings()->recordRenderTime(system->getName(), micros);
    }
}

// Shuts systems down in reverse registration order; null objects are skipped and nothing is
// deleted, since systems are process-wide singletons.
void Engine::shutdown()
{
    std::reverse(systemList.begin(), systemList.end());
    for (IEngineSystem* system : systemList)
        if (!system->isNull())
            system->shutdown();
    if (window)
        glfwTerminate();
    window = nullptr;
    running = false;
    if (gCurrentEngine == this)
        gCurrentEngine = nullptr;
}

void Engine::setFullscreen(bool on)
{
    fullscreen = on;
    if (!window)
        return;
    const GLFWvidmode* mode = glfwGetVideoMode(glfwGetPrimaryMonitor());
    if (!mode)
        return;
    if (on)
    {
        glfwSetWindowAttrib(window, GLFW_DECORATED, GLFW_FALSE);
        glfwSetWindowSize(window, mode->width, mode->height + 1);
        glfwSetWindowPos(window, 0, 0);
        return;
    }
    glfwSetWindowAttrib(window, GLFW_DECORATED, GLFW_TRUE);
    glfwSetWindowSize(window, windowedWidth, windowedHeight);
    glfwSetWindowPos(window, mode->width / 2 - windowedWidth / 2, mode->height / 2 - windowedHeight / 2);
}

void Engine::handleWindowSize(int32_t w, int32_t h)
{
    width = w;
    height = h;
    if (!fullscreen)
    {
        windowedWidth = w;
        windowedHeight = h;
    }
    if (w == 0 && h == 0)
        handleIconify(true);
    else if (w != 0 && h != 0)
        handleIconify(false);
}

void Engine::handleIconify(bool iconified)
{
    if (iconified && !minimised)
    {
        minimised = true;
        notifyMinimize();
    }
    else if (!iconified && minimised)
    {
        minimised = false;
        notifyRestore();
    }
}

void Engine::notifyMinimize()
{
    StateManager()->onMinimize();
}

void Engine::notifyRestore()
{
    StateManager()->onRestore();
}

// Resizes and moves block the loop on some platforms; redrawing here keeps the picture live.
void Engine::redrawOutsideLoop()
{
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    StateManager()->render();
    glfwSwapBuffers(window);
}

void Engine::onWindowSize(GLFWwindow* window, int w, int h)
{
    Engine* engine = EngineOf(window);
    engine->handleWindowSize(w, h);
    glViewport(0, 0, w, h);
    engine->redrawOutsideLoop();
}

void Engine::onWindowPos(GLFWwindow* window, int, int)
{
    EngineOf(window)->redrawOutsideLoop();
}

void Engine::onFileDrop(GLFWwindow*, int count, const char** paths)
{
    if (count > 0 && paths[0])
        StateManager()->onFileDrop(paths[0]);
}

void Engine::onWindowFocus(GLFWwindow* window, int hasFocus)
{
    EngineOf(window)->handleFocus(hasFocus != 0);
}

void Engine::onWindowIconify(GLFWwindow* window, int iconified)
{
    EngineOf(window)->handleIconify(iconified != 0);
}
