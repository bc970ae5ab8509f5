#include "audio/AudioTestFiles.h"
#include "audio/SoundManager.h"
#include "engine/Engine.h"
#include "engine/FileHelpers.h"
#include "platform/AudioSound.h"

#include <gtest/gtest.h>
#include <set>

namespace
{
// Every preset the game plays by name.
const std::vector<std::string> kGamePresets = {
    "Default", "Music", "Music2", "Music3", "Checkpoint", "BreakingPlatformSound", "Jump", "Dash",
    "Land", "Throw", "Teleport", "Ridicule", "PackageImpact", "PackageRecollect", "PlayerDeath",
    "PlayerRespawn", "WinFanfare", "UiHover", "UiHit", "UiHitOff"};

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
