// The blended pass keeps its records in a heap so that queuing a frame's translucent draws
// stays logarithmic, and culling runs on the CPU before any uniform is set. These measure
// both without a GL context.

#include "graphics/BlendedDraw.h"
#include "graphics/BlendedQueue.h"
#include "graphics/GraphicsSystem.h"
#include "graphics/Mesh.h"

#include <benchmark/benchmark.h>

namespace
{
std::vector<BlendedDraw> MakeDraws(int count)
{
    std::vector<BlendedDraw> draws;
    draws.reserve(static_cast<size_t>(count));
    DrawData record = GraphicsSystemNull::instance()->getDrawData();
    for (int i = 0; i < count; ++i)
    {
        record.transform.setPosition(static_cast<float>((i * 7919) % 1000), 0.0f, static_cast<float>(i % 13));
        draws.emplace_back(MeshNull::instance(), record);
    }
    return draws;
}

void QueueAndDrain(benchmark::State& state)
{
    const std::vector<BlendedDraw> draws = MakeDraws(static_cast<int>(state.range(0)));
    // One queue for the whole run, as the graphics system keeps one: its storage is reused.
    BlendedQueue queue;
    for (auto _ : state)
    {
        for (const BlendedDraw& draw : draws)
            queue.push(draw);
        float last = 0.0f;
        queue.drain([&last](BlendedDraw& record) { last = record.getDepth(); });
        benchmark::DoNotOptimize(last);
    }
    state.SetItemsProcessed(state.iterations() * state.range(0));
}
BENCHMARK(QueueAndDrain)->Arg(100)->Arg(1000)->Arg(10000);

// As the blended pass drains: each record's context name is compared with the current one
// and the fields a draw uploads are read, so the records' memory is touched in depth order.
void QueueAndDrainReadingRecords(benchmark::State& state)
{
    std::vector<BlendedDraw> draws = MakeDraws(static_cast<int>(state.range(0)));
    for (BlendedDraw& draw : draws)
        draw.contextName = GraphicsSystem::kWorldContext;
    const std::string current = GraphicsSystem::kWorldContext;
    BlendedQueue queue;
    for (auto _ : state)
    {
        for (const BlendedDraw& draw : draws)
            queue.push(draw);
        glm::vec4 sum(0.0f);
        int switches = 0;
        queue.drain([&](BlendedDraw& record) {
            switches += record.contextName != current ? 1 : 0;
            sum += glm::vec4(record.transform.getPosition(), 0.0f) + record.blendColor + record.drawColor +
                   glm::vec4(record.textureUVOffset, record.textureUVDimension) +
                   static_cast<float>(record.sliceType + record.texture.id);
        });
        benchmark::DoNotOptimize(sum);
        benchmark::DoNotOptimize(switches);
    }
    state.SetItemsProcessed(state.iterations() * state.range(0));
}
BENCHMARK(QueueAndDrainReadingRecords)->Arg(1000)->Arg(20000);

void CullingTest(benchmark::State& state)
{
    DrawData record;
    record.frustumCulling = 1;
    record.viewTopLeft = {-20.0f, 12.0f, 0.0f};
    record.viewBottomRight = {20.0f, -12.0f, 0.0f};
    int visible = 0;
    float x = -100.0f;
    for (auto _ : state)
    {
        x = x > 100.0f ? -100.0f : x + 0.37f;
        visible += record.isOutsideView({x, 0.0f, 0.5f}, {1.0f, 1.0f, 1.0f}) ? 0 : 1;
    }
    benchmark::DoNotOptimize(visible);
}
BENCHMARK(CullingTest);
}
