#include "graphics/GraphicsSystem.h"

#include "engine/Engine.h"
#include "engine/SystemSingleton.h"
#include "engine/TraceLog.h"
#include "graphics/Picking.h"
#include "graphics/RenderContext.h"
#include "graphics/ShaderManager.h"
#include "graphics/UniformNames.h"
#include "tools/DebugSystem.h"

#include <GL/glew.h>

#include <chrono>

namespace
{
GraphicsSystem* gGraphicsSystem = nullptr;

// Sizes a camera to the window; without an engine there is no window to size it to.
void SizeToWindow(Camera& camera)
{
    const glm::vec2 window = CurrentWindowSize();
    if (Engine::current())
        camera.setSize(window.x, window.y);
}
}

GraphicsSystem* GraphicsSystem::getInstance()
{
    return GetSystemSingleton(gGraphicsSystem, kName);
}

GraphicsSystemNull* GraphicsSystemNull::instance()
{
    static GraphicsSystemNull null;
    return &null;
}

DrawData GraphicsSystemNull::getDrawData()
{
    DrawData record;
    record.graphics = this;
    return record;
}

GraphicsSystem::GraphicsSystem() : current(RenderContextNull::instance()) {}

GraphicsSystem::~GraphicsSystem() = default;

void GraphicsSystem::initialize()
{
    if (initialized)
        return;
    ShaderManager* shaders = Engine::getSystem<ShaderManager>(ShaderManager::kName, ShaderManagerNull::instance());
    if (shaders->isNull())
    {
        Log()->error("Error: ShaderManager must be initialized before GraphicsSystem.");
        return;
    }
    for (const std::string& programName : shaders->getProgramNames())
    {
        auto context = std::make_unique<RenderContext>(shaders->getProgram(programName));
        context->setName(programName);
        contexts[programName] = std::move(context);
    }
    blendedPassNext = false;
    initialized = true;
    Log()->message(kName, "initialize");
}

void GraphicsSystem::update() {}

void GraphicsSystem::render()
{
    if (blendedPassNext)
        drawBlendedPass();
    else
        prepareOpaquePass();
}

void GraphicsSystem::prepareOpaquePass()
{
    glClearColor(0.0f, 0.0f, 0.0f, 1.0f);
    glEnable(GL_DEPTH_TEST);
    glDisable(GL_BLEND);
    blendedPassNext = true;
}

void GraphicsSystem::drawBlendedPass()
{
    const auto start = std::chrono::steady_clock::now();
    glEnable(GL_BLEND);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
    // The names are compared in place: copying both for every record showed up in profiles.
    blendedQueue.drain([this](BlendedDraw& next) {
        if (next.contextName != current->getName())
            setContext(next.contextName);
        next.draw();
    });
    blendedPassNext = false;
    const auto elapsed = std::chrono::steady_clock::now() - start;
    const int64_t micros = std::chrono::duration_cast<std::chrono::nanoseconds>(elapsed).count() / 1000;
    Engine::getSystem<DebugSystem>(DebugSystem::kName, DebugSystemNull::instance())
        ->recordRenderTime(kBlendedTimingName, micros);
}

// The programs belong to the ShaderManager, so freeing a context touches no GL object.
void GraphicsSystem::shutdown()
{
    current = RenderContextNull::instance();
    contexts.clear();
    initialized = false;
    Log()->message(kName, "shutdown");
}

RenderContext* GraphicsSystem::getContext(const std::string& name) const
{
    const auto found = contexts.find(name);
    return found == contexts.end() ? RenderContextNull::instance() : found->second.get();
}

void GraphicsSystem::setContext(const std::string& name, const Camera& camera)
{
    setContext(name);
    setCamera(camera);
}

void GraphicsSystem::setContext(const std::string& name)
{
    const auto found = contexts.find(name);
    if (found == contexts.end())
    {
        current = RenderContextNull::instance();
        Log()->error("ERR: setContext(), " + name + " not found.");
        return;
    }
    current = found->second.get();
    glUseProgram(current->getProgram());
    current->getDrawData();

    Camera camera = current->getCamera();
    SizeToWindow(camera);
    const glm::mat4 projection = camera.getProjection();
    const glm::mat4 view = camera.getView();
    setUniform(UniformNames::kProjection, 1, &projection[0][0]);
    setUniform(UniformNames::kView, 1, &view[0][0]);
}

std::string GraphicsSystem::getContextName()
{
    return current->getName();
}

void GraphicsSystem::setCamera(const Camera& camera)
{
    Camera sized = camera;
    SizeToWindow(sized);
    current->setCamera(sized);
}

Camera GraphicsSystem::getCamera()
{
    return current->getCamera();
}

Camera GraphicsSystem::getCamera(const std::string& contextName)
{
    const auto found = contexts.find(contextName);
    if (found == contexts.end())
    {
        Log()->error("ERR: getCamera() in context \"" + contextName + "\" not found.");
        return Camera();
    }
    return found->second->getCamera();
}

glm::vec3 GraphicsSystem::getCameraPosition()
{
    return current->getCameraPosition();
}

DrawData GraphicsSystem::getDrawData()
{
    return current->getDrawData();
}

void GraphicsSystem::setUniform(const std::string& name, int32_t count, const void* data)
{
    current->setUniform(name, count, data);
}

void GraphicsSystem::addBlendedDraw(BlendedDraw draw)
{
    blendedQueue.push(std::move(draw));
}

void GraphicsSystem::setFrustumCulling(const std::string& contextName, bool on)
{
    const auto found = contexts.find(contextName);
    if (found == contexts.end())
    {
        Log()->error("ERR: setFrustumCulling() in context \"" + contextName + "\" not found.");
        return;
    }
    found->second->setFrustumCulling(on ? 1 : 0);
}

void GraphicsSystem::setFrustumCulling(bool on)
{
    current->setFrustumCulling(on ? 1 : 0);
}
