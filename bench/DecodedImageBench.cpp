// Launch waits on the largest texture, the 2048 by 2048 opening comic: its PNG data is counted
// against its bound, then inflated by stb to be decoded. These measure the check alone and the
// whole decode, so the check's share of the wait can be read off.

#include "graphics/DecodedImage.h"
#include "graphics/PngImageData.h"

#include <benchmark/benchmark.h>

#include <fstream>
#include <iterator>

namespace
{
// Run from the repository root, as the game is.
constexpr const char* kComic = "assets/textures/blended/OpeningComic.png";

void CheckPixelData(benchmark::State& state)
{
    std::ifstream file(kComic, std::ios::binary);
    const std::string bytes{std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
    for (auto _ : state)
        benchmark::DoNotOptimize(PngImageDataRefusal(bytes));
}
BENCHMARK(CheckPixelData)->Unit(benchmark::kMillisecond);

void DecodeFile(benchmark::State& state)
{
    for (auto _ : state)
        benchmark::DoNotOptimize(DecodedImage::FromFile(kComic).ok());
}
BENCHMARK(DecodeFile)->Unit(benchmark::kMillisecond);
}
