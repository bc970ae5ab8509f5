// Renders presets through OpenAL Soft's wave-file output, the one real device every machine
// has, to show that sound really reaches the output and that muting really silences it.

#include "audio/SoundManager.h"
#include "engine/Engine.h"
#include "engine/GameClock.h"
#include "platform/AudioSystem.h"
#include "support/TestSupport.h"

#include <chrono>
#include <cmath>
#include <cstdlib>
#include <gtest/gtest.h>
#include <sndfile.h>
#include <thread>
#include <unistd.h>
#include <vector>

namespace
{
// OpenAL Soft reads its configuration once per process, so every test of one process
// shares one wave file.
const std::string& WaveFilePath()
{
    static const std::string path = [] {
        const std::string stem = test::OutputFolder() + "/wave-render-" + std::to_string(getpid());
        test::WriteText(stem + ".conf", "[general]\ndrivers=wave\n[wave]\nfile=" + stem + ".wav\n");
        setenv("ALSOFT_CONF", (stem + ".conf").c_str(), 1);
        setenv("ALSOFT_DRIVERS", "wave", 1);
        return stem + ".wav";
    }();
    return path;
}

struct WaveSummary
{
    int64_t frames = 0;
    float peak = 0.0f;
    int32_t rate = 0;
    // First and last frame louder than a whisper.
    int64_t firstLoud = -1;
    int64_t lastLoud = -1;
    double loudSeconds() const { return static_cast<double>(lastLoud - firstLoud) / rate; }
};

WaveSummary Summarise(const std::string& path)
{
    WaveSummary summary;
    SF_INFO info{};
    SNDFILE* file = sf_open(path.c_str(), SFM_READ, &info);
    if (!file)
        return summary;
    summary.rate = info.samplerate;
    std::vector<float> block(static_cast<size_t>(4096 * info.channels));
    sf_count_t count = 0;
    while ((count = sf_readf_float(file, block.data(), 4096)) > 0)
    {
        for (sf_count_t i = 0; i < count * info.channels; ++i)
        {
            const float level = std::fabs(block[static_cast<size_t>(i)]);
            summary.peak = std::max(summary.peak, level);
            if (level < 1e-3f)
                continue;
            const int64_t frame = summary.frames + i / info.channels;
            if (summary.firstLoud < 0)
                summary.firstLoud = frame;
            summary.lastLoud = frame;
        }
        summary.frames += count;
    }
    sf_close(file);
    return summary;
}

class SoundWaveOutputTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        path = WaveFilePath();
        GameClock::setManualSeconds(0.0);
        AudioSystem::setDeviceAllowed(true);
        engine.makeCurrent();
        sound.setName(SoundManager::kName);
        engine.registerSystem(&sound);
        sound.initialize();
        ASSERT_FALSE(sound.getAudioSystem().isSilent()) << "the wave output did not open";
    }

    void TearDown() override
    {
        sound.shutdown();
        AudioSystem::setDeviceAllowed(true);
        GameClock::useRealClock();
    }

    // The wave output mixes in real time; step the manager as the game loop would.
    void render(double seconds)
    {
        const auto end = std::chrono::steady_clock::now() + std::chrono::duration<double>(seconds);
        while (std::chrono::steady_clock::now() < end)
        {
            GameClock::advanceManualSeconds(0.01);
            sound.update();
            std::this_thread::sleep_for(std::chrono::milliseconds(10));
        }
        sound.shutdown();
    }

    std::string path;
    Engine engine{"T", 800, 600, 10000};
    SoundManager sound;
};
}

TEST_F(SoundWaveOutputTest, PresetAndMusicReachTheOutput)
{
    sound.playPreset("Music");
    sound.playPreset("Checkpoint");
    render(0.8);
    const WaveSummary wave = Summarise(path);
    EXPECT_GT(wave.frames, 10000);
    EXPECT_GT(wave.peak, 0.05f);
}

TEST_F(SoundWaveOutputTest, MutedSoundRendersSilence)
{
    sound.playPreset("Music");
    sound.playPreset("Checkpoint");
    sound.muted = true;
    render(0.8);
    const WaveSummary wave = Summarise(path);
    EXPECT_GT(wave.frames, 10000);
    EXPECT_LT(wave.peak, 1e-4f);
}

TEST_F(SoundWaveOutputTest, LoopCountRepeatsTheSoundInTheOutput)
{
    // "Default" lasts 0.14 s; three further passes make 0.56 s of sound.
    SoundPreset preset;
    preset.loopCount = 3;
    sound.play(preset);
    render(1.0);
    const WaveSummary wave = Summarise(path);
    EXPECT_NEAR(wave.loudSeconds(), 0.56, 0.04);
}

TEST_F(SoundWaveOutputTest, LoopingSwitchedOnWhilePlayingKeepsTheSoundGoing)
{
    SoundReceipt receipt = sound.playPreset("Default");
    GameClock::advanceManualSeconds(0.01);
    sound.update();
    std::this_thread::sleep_for(std::chrono::milliseconds(50));
    receipt.setLooping(true);
    render(0.8);
    const WaveSummary wave = Summarise(path);
    EXPECT_GT(wave.loudSeconds(), 0.6);
}
