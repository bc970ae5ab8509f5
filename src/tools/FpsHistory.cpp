#include "tools/FpsHistory.h"

#include <algorithm>
#include <cmath>

void FpsHistory::resetScale()
{
    maxSampled = kInitialMax;
    ceiling = kInitialCeiling;
}

// After a long gap (the window closed while GUI time ran on) the loop catches up at once
// with copies of the current rate.
void FpsHistory::catchUp(double now, float fps)
{
    if (nextSampleTime == 0.0)
        nextSampleTime = now;
    while (now > nextSampleTime)
    {
        addSample(fps);
        nextSampleTime += static_cast<double>(kSampleInterval);
    }
}

void FpsHistory::addSample(float fps)
{
    if (filled < kSampleCount)
    {
        samples[filled++] = fps;
    }
    else
    {
        std::copy(samples.begin() + 1, samples.end(), samples.begin());
        samples.back() = fps;
    }
    // Capped so that the ceiling, 1.2 times the maximum, still fits an int.
    if (std::isfinite(fps))
        maxSampled = std::max(maxSampled, static_cast<int32_t>(std::min(fps, kMaxTrackedFps)));
    ceiling = static_cast<int32_t>(static_cast<float>(maxSampled) * 1.2f);
}

float FpsHistory::average() const
{
    float sum = 0.0f;
    for (float sample : samples)
        sum += sample;
    return sum / static_cast<float>(kSampleCount);
}
