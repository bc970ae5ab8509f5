#include "engine/FixedStepper.h"

#include <algorithm>

FixedStepper::FixedStepper(int32_t fixedStepMicros) : fixedStep(fixedStepMicros) {}

void FixedStepper::addFrameTime(int64_t frameMicros)
{
    const int64_t cap = 2 * static_cast<int64_t>(fixedStep);
    accumulator = static_cast<int32_t>(std::min<int64_t>(accumulator + frameMicros, cap));
}

bool FixedStepper::takeStep()
{
    if (accumulator < fixedStep)
        return false;
    accumulator -= fixedStep;
    return true;
}

void FixedStepper::recordStep(int64_t nowMs)
{
    std::copy_backward(history.begin(), history.end() - 1, history.end());
    history[0] = static_cast<uint64_t>(nowMs - lastStepTime);
    lastStepTime = nowMs;
    historyChanged = true;
}

float FixedStepper::getAverageStepInterval()
{
    if (!historyChanged)
        return averageStepInterval;
    float sum = 0.0f;
    for (uint64_t sample : history)
        sum += static_cast<float>(sample);
    averageStepInterval = sum / static_cast<float>(kHistorySize);
    historyChanged = false;
    return averageStepInterval;
}
