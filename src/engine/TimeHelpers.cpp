#include "engine/TimeHelpers.h"

#include "engine/Engine.h"
#include "engine/GameClock.h"

int64_t GetTimeMs()
{
    return static_cast<int64_t>(GameClock::seconds() * 1000.0);
}

bool HasElapsed(int64_t startMs, int32_t durationMs)
{
    // Unsigned on purpose: a start later than now reads as a huge elapsed time.
    const float elapsed = static_cast<float>(static_cast<uint64_t>(GetTimeMs() - startMs));
    Engine* engine = Engine::current();
    const float averageStep = engine ? engine->getAverageStepInterval()
                                     : static_cast<float>(Engine::kNominalStepMs);
    const float threshold =
        averageStep / static_cast<float>(Engine::kNominalStepMs) * static_cast<float>(durationMs);
    return elapsed > threshold;
}
