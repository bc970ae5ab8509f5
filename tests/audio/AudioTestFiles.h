#pragma once
// Sound files for the audio tests. A rate of 1000 frames per second makes lengths easy to
// reason about: a file of 1000 frames plays for exactly one second of game time.

#include "engine/GameClock.h"
#include "platform/AudioSystem.h"

#include <cmath>
#include <sndfile.h>
#include <string>
#include <vector>

namespace test
{
constexpr int kToneRate = 1000;

inline bool WriteTone(const std::string& path, int frames, int channels = 1,
                      int rate = kToneRate, int format = SF_FORMAT_WAV | SF_FORMAT_PCM_16)
{
    SF_INFO info{};
    info.samplerate = rate;
    info.channels = channels;
    info.format = format;
    SNDFILE* file = sf_open(path.c_str(), SFM_WRITE, &info);
    if (!file)
        return false;
    std::vector<short> samples(static_cast<size_t>(frames * channels));
    for (size_t i = 0; i < samples.size(); ++i)
        samples[i] = static_cast<short>(8000.0 * std::sin(static_cast<double>(i) * 0.3));
    sf_writef_short(file, samples.data(), frames);
    sf_close(file);
    return true;
}

// Silent output on the settable clock, started at 0; restores the real clock on exit.
class SilentAudioClock
{
public:
    SilentAudioClock()
    {
        AudioSystem::setDeviceAllowed(false);
        GameClock::setManualSeconds(0.0);
    }
    ~SilentAudioClock()
    {
        GameClock::useRealClock();
        AudioSystem::setDeviceAllowed(true);
    }
    void advance(double seconds) { GameClock::advanceManualSeconds(seconds); }
};
}
