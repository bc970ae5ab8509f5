// The particle system at its limits: both lists full (10,000 plain and 10,000 complex
// particles), stepped once per fixed step and drawn once per frame. The step must stay
// within 1 ms; the frame is measured under a real GL context (run it under xvfb-run) and
// skipped when none can be made.
//
//   xvfb-run -a -s "-screen 0 1920x1080x24" build/bench/ParticleBench --benchmark_repetitions=10

#include "engine/Engine.h"
#include "engine/GameClock.h"
#include "graphics/Camera.h"
#include "graphics/GraphicsSystem.h"
#include "graphics/MeshManager.h"
#include "graphics/ShaderManager.h"
#include "graphics/TextureManager.h"
#include "particles/ParticleBody.h"
#include "particles/ParticleEmitter.h"
#include "particles/ParticleManager.h"

#include <GL/glew.h>
#include <GLFW/glfw3.h>
#include <benchmark/benchmark.h>

#include <iostream>
#include <sstream>

namespace
{
// Keeps the systems' log lines out of the benchmark table.
struct QuietConsole
{
    QuietConsole() : saved(std::cout.rdbuf(sink.rdbuf())) {}
    ~QuietConsole() { std::cout.rdbuf(saved); }
    std::ostringstream sink;
    std::streambuf* saved;
};

// Bursts of the shapes the game uses until both lists hold their limit: circles and boxes,
// a fifth of the bursts converging on a point too far away to reach during the run.
void FillToTheLimits(ParticleManager& manager)
{
    ParticleEmitter emitter;
    emitter.setNumParticles(500);
    emitter.setNumComplexParticles(500);
    emitter.setParticleLifespan(1000000000000);
    emitter.setVelocity({0.0f, 0.004f, 0.0f});
    emitter.setVelocityDeviationX(0.01f);
    emitter.setVelocityDeviationY(0.01f);
    emitter.setAcceleration({0.0f, -0.00001f, 0.0f});
    emitter.setColor({1.0f, 0.9f, 0.7f, 1.0f});
    emitter.setBaseParticleScale({0.2f, 0.2f, 1.0f});
    emitter.setParticleScaleDeviation({0.05f, 0.05f, 0.0f});
    emitter.setSpawnRangeX(-6.0f, 6.0f);
    emitter.setSpawnRangeY(-3.0f, 3.0f);
    emitter.setPositionOffset({0.0f, 0.0f, 0.1f});
    emitter.setTexture(Engine::getSystem<TextureManager>(TextureManager::kName, TextureManagerNull::instance())
                           ->getTexture("ParticleGlow"));
    for (int burst = 0; manager.getParticleCount() < ParticleManager::kParticleLimit ||
                        manager.getComplexParticleCount() < ParticleManager::kParticleLimit;
         ++burst)
    {
        emitter.setSpawnType(burst % 2);
        emitter.setRadius(4.0f);
        emitter.setFlag(ParticleBody::kConvergeFlag, burst % 5 == 0);
        emitter.setConvergePoint({20000.0f, 20000.0f, 0.0f});
        emitter.setLastBurstTime(0);
        emitter.update();
    }
}

struct ParticleScene
{
    ParticleScene()
    {
        GameClock::setManualSeconds(10.0);
        engine.makeCurrent();
        manager.setName(ParticleManager::kName);
        engine.registerSystem(&manager);
        manager.setArchetypePath("bench-has-no-archetype-file.json");
    }
    ~ParticleScene()
    {
        manager.shutdown();
        GameClock::useRealClock();
    }

    QuietConsole quiet;
    Engine engine{"ParticleBench", 1280, 720, 10000};
    ParticleManager manager;
};

void ParticleManagerUpdate(benchmark::State& state)
{
    ParticleScene scene;
    scene.manager.initialize();
    FillToTheLimits(scene.manager);
    for (auto _ : state)
    {
        scene.manager.update();
        GameClock::advanceManualSeconds(0.01);
    }
    state.counters["particles"] =
        static_cast<double>(scene.manager.getParticleCount() + scene.manager.getComplexParticleCount());
}
BENCHMARK(ParticleManagerUpdate)->Unit(benchmark::kMicrosecond);

GLFWwindow* OpenHiddenWindow()
{
    if (!glfwInit())
        return nullptr;
    glfwWindowHint(GLFW_CONTEXT_VERSION_MAJOR, 3);
    glfwWindowHint(GLFW_CONTEXT_VERSION_MINOR, 3);
    glfwWindowHint(GLFW_OPENGL_PROFILE, GLFW_OPENGL_CORE_PROFILE);
    glfwWindowHint(GLFW_OPENGL_FORWARD_COMPAT, GLFW_TRUE);
    glfwWindowHint(GLFW_VISIBLE, GLFW_FALSE);
    GLFWwindow* window = glfwCreateWindow(1280, 720, "ParticleBench", nullptr, nullptr);
    if (!window)
        return nullptr;
    glfwMakeContextCurrent(window);
    glewExperimental = GL_TRUE;
    if (glewInit() != GLEW_OK)
        return nullptr;
    glGetError();
    return window;
}

// One frame as the engine draws it: the opaque set-up, the particle draws (the translucent
// ones queued), then the sorted blended pass; glFinish so the GPU's share is counted too.
void ParticleManagerRenderFrame(benchmark::State& state)
{
    GLFWwindow* window = OpenHiddenWindow();
    if (!window)
    {
        state.SkipWithError("no OpenGL context (run under xvfb-run)");
        return;
    }
    {
        ParticleScene scene;
        for (IEngineSystem* system : std::initializer_list<IEngineSystem*>{
                 ShaderManager::getInstance(), MeshManager::getInstance(), TextureManager::getInstance(),
                 GraphicsSystem::getInstance()})
        {
            scene.engine.registerSystem(system);
            system->initialize();
        }
        GraphicsSystem* graphics = GraphicsSystem::getInstance();
        Camera camera;
        camera.setProjectionMode(ProjectionMode::Orthographic);
        camera.setPosition({0.0f, 0.0f, 5.0f});
        graphics->setContext(GraphicsSystem::kWorldContext, camera);
        scene.manager.initialize();
        FillToTheLimits(scene.manager);
        const auto drawFrame = [&]() {
            glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
            graphics->render();
            scene.manager.render();
            graphics->render();
            glFinish();
        };
        // The driver builds its shader variants during the first frame (up to half a
        // second with a software rasteriser); that would otherwise land in the first
        // repetition and can even fix the iteration count of every repetition at one.
        drawFrame();
        for (auto _ : state)
            drawFrame();
    }
    glfwDestroyWindow(window);
    glfwTerminate();
}
BENCHMARK(ParticleManagerRenderFrame)->Unit(benchmark::kMillisecond);
}
