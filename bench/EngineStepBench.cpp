// The per-frame cost of the fixed-step loop itself: accumulating frame time, taking steps,
// keeping the step history and averaging it, with nineteen systems that do nothing.

#include "engine/Engine.h"
#include "engine/FixedStepper.h"
#include "engine/IEngineSystem.h"

#include <benchmark/benchmark.h>

#include <memory>
#include <vector>

namespace
{
class IdleSystem : public IEngineSystem
{
public:
    void initialize() override {}
    void update() override {}
    void render() override {}
    void shutdown() override {}
};

void BM_StepperFrame(benchmark::State& state)
{
    FixedStepper stepper(10000);
    int64_t clockMs = 0;
    for (auto _ : state)
    {
        stepper.addFrameTime(16667);
        while (stepper.takeStep())
            stepper.recordStep(clockMs += 10);
        benchmark::DoNotOptimize(stepper.getAverageStepInterval());
    }
}
BENCHMARK(BM_StepperFrame);

void BM_EngineAdvanceNineteenSystems(benchmark::State& state)
{
    Engine engine("Bench", 800, 600, 10000);
    engine.makeCurrent();
    std::vector<std::unique_ptr<IdleSystem>> systems;
    for (int index = 0; index < 19; ++index)
    {
        systems.push_back(std::make_unique<IdleSystem>());
        systems.back()->setName("Idle" + std::to_string(index));
        engine.registerSystem(systems.back().get());
    }
    for (auto _ : state)
        engine.advance(10000);
}
BENCHMARK(BM_EngineAdvanceNineteenSystems);
}
