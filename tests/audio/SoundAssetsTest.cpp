#include "audio/AudioTestFiles.h"
#include "audio/SoundManager.h"
#include "engine/Engine.h"
#include "engine/FileHelpers.h"
#include "platform/AudioSound.h"

#include <cmath>
#include <gtest/gtest.h>
#include <set>
#include <sndfile.h>
#include <vector>

namespace
{
// Every preset the game plays by name.
const std::vector<std::string> kGamePresets = {
    "Default", "Music", "Music2", "Music3", "Checkpoint", "BreakingPlatformSound", "Jump", "Dash",
    "Land", "Throw", "Teleport", "Ridicule", "PackageImpact", "PackageRecollect", "PlayerDeath",
    "PlayerRespawn", "WinFanfare", "UiHover", "UiHit", "UiHitOff"};

struct SoundLevels
{
    double seconds = 0.0;
    double peak = 0.0;
    double mean = 0.0;
    double first = 0.0;
    double last = 0.0;
};

// Levels of the first channel, as the game hears the file.
SoundLevels MeasureLevels(const std::string& path)
{
    SoundLevels levels;
    SF_INFO info{};
    SNDFILE* file = sf_open(path.c_str(), SFM_READ, &info);
    if (!file)
        return levels;
    std::vector<float> samples(static_cast<size_t>(info.frames * info.channels));
    const sf_count_t frames = sf_readf_float(file, samples.data(), info.frames);
    sf_close(file);
    if (frames <= 0)
        return levels;
    double sum = 0.0;
    for (sf_count_t i = 0; i < frames; ++i)
    {
        const double value = samples[static_cast<size_t>(i * info.channels)];
        sum += value;
        levels.peak = std::max(levels.peak, std::fabs(value));
    }
    levels.seconds = static_cast<double>(frames) / info.samplerate;
    levels.mean = sum / static_cast<double>(frames);
    levels.first = samples.front();
    levels.last = samples[static_cast<size_t>((frames - 1) * info.channels)];
    return levels;
}

class SoundAssetsTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        engine.makeCurrent();
        sound.setName(SoundManager::kName);
        engine.registerSystem(&sound);
        sound.initialize();
    }
    void TearDown() override { sound.shutdown(); }

    test::SilentAudioClock clock;
    Engine engine{"T", 800, 600, 10000};
    SoundManager sound;
};
}

TEST_F(SoundAssetsTest, EveryGamePresetResolvesToARealSound)
{
    for (const std::string& name : kGamePresets)
    {
        SCOPED_TRACE(name);
        ASSERT_EQ(sound.getPresets().count(name), 1u);
        const SoundPreset& preset = sound.getPresets().at(name);
        EXPECT_EQ(sound.getChannelGroups().count(preset.group), 1u);
        const auto track = sound.getMusicList().find(preset.source);
        if (track != sound.getMusicList().end())
        {
            EXPECT_NE(AudioSound::load(track->second, true), nullptr);
            continue;
        }
        const auto source = sound.getSources().find(preset.source);
        ASSERT_NE(source, sound.getSources().end());
        ASSERT_NE(source->second, nullptr);
        EXPECT_GT(source->second->getLengthMs(), 20u);
        EXPECT_TRUE(sound.playPreset(name).isPlaying());
    }
}

TEST_F(SoundAssetsTest, ThreeDistinctEndlessMusicTracks)
{
    std::set<uint32_t> lengths;
    for (const char* name : {"Music", "Music2", "Music3"})
    {
        SCOPED_TRACE(name);
        const SoundPreset& preset = sound.getPresets().at(name);
        EXPECT_EQ(preset.loopCount, -1);
        ASSERT_EQ(sound.getMusicList().count(preset.source), 1u);
        auto stream = AudioSound::load(sound.getMusicList().at(preset.source), true);
        ASSERT_NE(stream, nullptr);
        EXPECT_GT(stream->getLengthMs(), 8000u);
        lengths.insert(stream->getLengthMs());
        SoundReceipt receipt = sound.playPreset(name);
        EXPECT_TRUE(receipt.isStream());
        clock.advance(60.0);
        sound.update();
        EXPECT_TRUE(receipt.isPlaying());
    }
    EXPECT_EQ(lengths.size(), 3u);
}

TEST_F(SoundAssetsTest, SoundFoldersHoldNoDotFiles)
{
    for (const char* folder : {"assets/sound", "assets/sound/soundSources", "assets/sound/music"})
    {
        for (const std::string& path : ListFolder(folder, true, true))
            EXPECT_NE(GetFileName(path).front(), '.') << path;
    }
}

TEST(SoundAssetFilesTest, EffectsAreCentredUnclippedAndAudible)
{
    for (const std::string& path : ListFolder("assets/sound/soundSources", false, true))
    {
        SCOPED_TRACE(path);
        const SoundLevels levels = MeasureLevels(path);
        EXPECT_GT(levels.seconds, 0.03);
        EXPECT_LT(levels.seconds, 3.0);
        EXPECT_GT(levels.peak, 0.2);
        EXPECT_LT(levels.peak, 0.95);
        // An off-centre wave thumps when the sound starts and stops.
        EXPECT_LT(std::fabs(levels.mean), 0.01);
        EXPECT_LT(std::fabs(levels.first), 0.01);
    }
}

TEST(SoundAssetFilesTest, MusicLoopsWithoutAClickAtTheSeam)
{
    for (const char* track : {"Music", "Music2", "Music3"})
    {
        SCOPED_TRACE(track);
        const SoundLevels levels =
            MeasureLevels(std::string("assets/sound/music/") + track + ".ogg");
        EXPECT_GT(levels.seconds, 8.0);
        EXPECT_GT(levels.peak, 0.3);
        EXPECT_LT(levels.peak, 0.95);
        EXPECT_LT(std::fabs(levels.mean), 0.01);
        // The loop goes from the last sample straight back to the first, moving no more than
        // one ordinary sample step.
        EXPECT_LT(std::fabs(levels.first - levels.last), 0.02);
    }
}
