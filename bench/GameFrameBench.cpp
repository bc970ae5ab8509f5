// The whole game on Level1: one fixed step of every system, one rendered frame at the
// window's size while the opening comic shows and one after it is gone, and an empty frame
// (clear and swap only) measured in the same run as the yardstick for the rendered ones. Needs an X display: run under xvfb-run with a 1920x1080
// screen, from the repository root.

#include "engine/Engine.h"
#include "engine/EngineStateManager.h"
#include "engine/GameClock.h"
#include "game/GameComposition.h"
#include "gameplay/EngineStateKestrin.h"
#include "gameplay/PlayStateRecord.h"

#include <GL/glew.h>
#include <GLFW/glfw3.h>
#include <benchmark/benchmark.h>

#include <cstdlib>
#include <iostream>
#include <memory>

namespace
{
// One engine for every benchmark in the run, in the play state with Level1 loaded.
Engine* Game()
{
    static std::unique_ptr<Engine> engine;
    if (engine)
        return engine.get();
    engine = std::make_unique<Engine>("Wendlebox", 800, 600, 10000);
    engine->setSystemRegistrar(RegisterGameSystems);
    if (!engine->initialize())
    {
        std::cerr << "GameFrameBench: no window (run under xvfb-run)" << std::endl;
        std::exit(1);
    }
    glfwPollEvents();
    EngineStateManager::getInstance()->setNextState(EngineStateKestrin::instance());
    GameClock::setManualSeconds(100.0);
    for (int i = 0; i < 10; ++i)
        engine->advance(10000);
    return engine.get();
}

void BM_GameStep(benchmark::State& state)
{
    Engine* engine = Game();
    for (auto _ : state)
    {
        GameClock::advanceManualSeconds(0.01);
        engine->step();
    }
}
BENCHMARK(BM_GameStep)->Unit(benchmark::kMicrosecond);

// glFinish makes the GPU work part of the measured time.
void DrawFrames(benchmark::State& state, bool comicShowing)
{
    Engine* engine = Game();
    PlayState().comicShowing = comicShowing;
    for (auto _ : state)
    {
        glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
        engine->renderSystems();
        glfwSwapBuffers(engine->getWindow());
        glFinish();
    }
    state.counters["width"] = engine->getWidth();
    state.counters["height"] = engine->getHeight();
}

void BM_GameFrameWithComic(benchmark::State& state)
{
    DrawFrames(state, true);
}
BENCHMARK(BM_GameFrameWithComic)->Unit(benchmark::kMillisecond);

void BM_GameFrame(benchmark::State& state)
{
    DrawFrames(state, false);
}
BENCHMARK(BM_GameFrame)->Unit(benchmark::kMillisecond);

void BM_EmptyFrame(benchmark::State& state)
{
    Engine* engine = Game();
    for (auto _ : state)
    {
        glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
        glfwSwapBuffers(engine->getWindow());
        glFinish();
    }
}
BENCHMARK(BM_EmptyFrame)->Unit(benchmark::kMillisecond);
}
