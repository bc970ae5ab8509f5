#pragma once
// The game clock in milliseconds and the timer test that stretches durations by the measured
// step interval, so timers stay in step with a simulation that runs late.

#include <cstdint>

int64_t GetTimeMs();
bool HasElapsed(int64_t startMs, int32_t durationMs);
