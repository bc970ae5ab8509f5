#pragma once
// The random numbers of one emitter burst. Every call takes exactly one output of the
// engine, so a burst replays exactly from its seed and its order of draws.

#include <cstdint>
#include <random>

class RandomGenerator
{
public:
    // Only the low 32 bits seed the engine: seeds equal there give the same sequence.
    explicit RandomGenerator(uint64_t seed);

    // Uniform between the smaller and the larger bound; the upper bound itself can, rarely,
    // come out.
    float range(float a, float b);
    // Whole numbers between the bounds, both included, each with (nearly) the same chance.
    int32_t rangeInt(int32_t a, int32_t b);

    uint64_t getSeed() const { return seed; }

private:
    float nextUnit();

    uint64_t seed;
    std::mt19937 engine;
};
