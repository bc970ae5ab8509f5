#pragma once
// The arithmetic of the fixed-step loop: frame time goes into an accumulator capped at two
// steps, each whole step is taken out of it, and the intervals between the last twenty steps
// (milliseconds of game clock) give the average that HasElapsed stretches timers by.

#include <array>
#include <cstdint>

class FixedStepper
{
public:
    static constexpr int kHistorySize = 20;

    explicit FixedStepper(int32_t fixedStepMicros);

    void addFrameTime(int64_t frameMicros);
    // Takes one step out of the accumulator when a whole one is there.
    bool takeStep();
    // Records the game-clock time of a step that was taken.
    void recordStep(int64_t nowMs);
    float getAverageStepInterval();

    int32_t getAccumulator() const { return accumulator; }
    int32_t getFixedStep() const { return fixedStep; }
    const std::array<uint64_t, kHistorySize>& getHistory() const { return history; }

private:
    int32_t fixedStep;
    int32_t accumulator = 0;
    int64_t lastStepTime = 0;
    bool historyChanged = false;
    float averageStepInterval = 0.0f;
    std::array<uint64_t, kHistorySize> history{};
};
