#pragma once
// The frame-rate history behind the diagnostics plot: 90 samples taken 25 times per second
// of GUI time. The buffer fills from slot 0; once all 90 slots hold samples it scrolls, the
// newest sample in the last slot and the oldest in slot 0. The plot's ceiling follows 1.2
// times the highest rate ever sampled and only grows until resetScale.

#include <array>
#include <cstdint>

class FpsHistory
{
public:
    static constexpr int32_t kSampleCount = 90;
    static constexpr float kSampleInterval = 0.04f;
    static constexpr int32_t kInitialMax = 100;
    static constexpr int32_t kInitialCeiling = 120;
    static constexpr float kMaxTrackedFps = 1.0e9f;

    void resetScale();
    // Takes every sample due by `now` (seconds of GUI time), each of value `fps`. The first
    // call only starts the sampling clock.
    void catchUp(double now, float fps);
    void addSample(float fps);
    // Over all 90 slots in index order; unfilled slots count as 0.
    float average() const;

    const std::array<float, kSampleCount>& getSamples() const { return samples; }
    int32_t getFilled() const { return filled; }
    int32_t getMaxSampled() const { return maxSampled; }
    int32_t getCeiling() const { return ceiling; }
    double getNextSampleTime() const { return nextSampleTime; }

private:
    std::array<float, kSampleCount> samples{};
    int32_t filled = 0;
    // 0 means that sampling has not started.
    double nextSampleTime = 0.0;
    int32_t maxSampled = kInitialMax;
    int32_t ceiling = kInitialCeiling;
};
