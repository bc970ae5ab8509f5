#include "particles/RandomGenerator.h"

#include <algorithm>
#include <cmath>

namespace
{
// 2^-32 as a float: turns one 32-bit engine output into [0, 1].
constexpr float kUnitScale = 2.3283064e-10f;
// Widen the integer range by almost one on each side so both end values get a full share.
constexpr float kIntSpan = 0.99998f;
constexpr float kIntShift = 0.49999f;
}

RandomGenerator::RandomGenerator(uint64_t seedValue)
    : seed(seedValue), engine(static_cast<uint32_t>(seedValue))
{
}

float RandomGenerator::nextUnit()
{
    return static_cast<float>(engine()) * kUnitScale;
}

float RandomGenerator::range(float a, float b)
{
    const float hi = std::max(a, b);
    const float lo = std::min(a, b);
    return nextUnit() * (hi - lo) + lo;
}

int32_t RandomGenerator::rangeInt(int32_t a, int32_t b)
{
    const int32_t loInt = std::min(a, b);
    const int32_t hiInt = std::max(a, b);
    const float lo = static_cast<float>(loInt);
    const float hi = static_cast<float>(hiInt);
    const float r = nextUnit() * (hi - lo + kIntSpan) + lo - kIntShift;
    // Floats cannot hold every bound near 2^31 exactly; clamping keeps the result inside
    // the asked range and the conversion defined.
    const double rounded = std::roundf(r);
    return static_cast<int32_t>(std::clamp(rounded, static_cast<double>(loInt), static_cast<double>(hiInt)));
}
