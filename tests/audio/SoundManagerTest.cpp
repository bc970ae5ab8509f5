#include "audio/SoundTestFixture.h"
#include "platform/AudioChannelGroup.h"

#include <filesystem>
#include <functional>
#include <stdexcept>

using test::SoundTest;

namespace
{
class SoundManagerTest : public SoundTest
{
protected:
    void SetUp() override
    {
        SoundTest::SetUp();
        start();
    }
};
}

TEST_F(SoundManagerTest, PlayPresetPlaysItsSourceOnItsGroupWithItsValues)
{
    SoundReceipt receipt = sound.playPreset("Beep");
    EXPECT_TRUE(receipt.isValid());
    EXPECT_EQ(receipt.getSourceName(), "Beep");
    EXPECT_EQ(receipt.getGroupName(), "Effects");
    EXPECT_FLOAT_EQ(receipt.getVolume(), 0.5f);
    EXPECT_FLOAT_EQ(receipt.getPitch(), 2.0f);
    EXPECT_FALSE(receipt.isStream());
    // Channel 0.5 times group 0.5.
    EXPECT_FLOAT_EQ(receipt.getChannel().getAudibility(), 0.25f);
    EXPECT_EQ(sound.getLiveInstances().size(), 1u);
    // 500 frames at pitch 2 last a quarter second.
    step(0.24);
    EXPECT_TRUE(receipt.isPlaying());
    step(0.02);
    EXPECT_FALSE(receipt.isPlaying());
}

// Each missing name is logged once, however often it is played.
TEST_F(SoundManagerTest, UnknownPresetAndUnknownSourceFallBackToDefault)
{
    test::ConsoleCapture console;
    SoundReceipt byPreset = sound.playPreset("NoSuchPreset");
    EXPECT_EQ(byPreset.getSourceName(), "Default");
    EXPECT_EQ(byPreset.getGroupName(), "Default");

    SoundReceipt bySource = sound.playPreset("Ghost");
    EXPECT_EQ(bySource.getSourceName(), "NoSuchSource");
    sound.playPreset("NoSuchPreset");
    sound.playPreset("Ghost");
    EXPECT_EQ(test::SplitLines(console.err()),
              (std::vector<std::string>{"ERROR! : Sound preset, NoSuchPreset, searched for but not found!",
                                        "ERROR! : Sound source, NoSuchSource, searched for but not found!"}));
    // The Default sound lasts one second.
    step(0.9);
    EXPECT_TRUE(bySource.isPlaying());
    step(0.2);
    EXPECT_FALSE(bySource.isPlaying());
}

TEST_F(SoundManagerTest, MissingDefaultPresetPlaysNothingForUnknownNames)
{
    sound.removePreset("Default");
    SoundReceipt unknown;
    EXPECT_NO_THROW(unknown = sound.playPreset("NoSuchPreset"));
    EXPECT_FALSE(unknown.isValid());
    EXPECT_TRUE(sound.playPreset("Beep").isValid());
}

// Each way of losing the fallback is reported once at start-up and then every play is silent.
TEST_F(SoundManagerTest, MissingDefaultSoundIsLoggedOnceAndPlaysNothing)
{
    const std::function<void(const std::string&)> loseDefault[] = {
        [](const std::string& folder) { std::filesystem::remove(folder + "soundSources/Default.wav"); },
        [](const std::string& folder) { std::filesystem::remove_all(folder + "soundSources"); },
        [](const std::string& folder) { test::WriteText(folder + "soundPresets.json", "{}"); },
    };
    for (const auto& lose : loseDefault)
    {
        sound.shutdown();
        // Presets outlive a shutdown; each case reads its presets file afresh.
        sound.getPresets().clear();
        std::filesystem::create_directories(folder + "soundSources");
        ASSERT_TRUE(test::WriteTone(folder + "soundSources/Default.wav", 1000));
        test::WriteText(folder + "soundPresets.json", test::kTestPresets);
        lose(folder);
        test::ConsoleCapture console;
        sound.initialize();
        for (const char* name : {"Beep", "Theme", "NoSuchPreset", "Default"})
            EXPECT_NO_THROW(sound.playPreset(name)) << name;
        const std::string err = console.err();
        EXPECT_NE(err.find("\"Default\" not found in [" + folder), std::string::npos) << err;
        EXPECT_EQ(err.find("not found in", err.find("not found in") + 1), std::string::npos) << err;
    }
}

TEST_F(SoundManagerTest, RemovedGroupLeavesItsSoundsPlaying)
{
    SoundReceipt receipt = sound.playPreset("Beep");
    sound.removeChannelGroup("Effects");
    EXPECT_EQ(sound.getChannelGroups().count("Effects"), 0u);
    EXPECT_TRUE(receipt.isPlaying());
    EXPECT_FLOAT_EQ(receipt.getChannel().getAudibility(), 0.5f);
}

TEST_F(SoundManagerTest, PresetLoopCountReachesTheChannel)
{
    SoundReceipt receipt = sound.playPreset("BeepLoop");
    EXPECT_EQ(receipt.getLoopCount(), -1);
    EXPECT_EQ(receipt.getChannel().getLoopCount(), -1);
    step(60.0);
    EXPECT_TRUE(receipt.isPlaying());
}

TEST_F(SoundManagerTest, MutedPlaysNothingAndMutesGroupsAtTheNextUpdate)
{
    SoundReceipt playing = sound.playPreset("Beep");
    sound.muted = true;
    SoundReceipt none = sound.playPreset("Beep");
    EXPECT_FALSE(none.isValid());
    EXPECT_EQ(none.getTag(), 0u);
    EXPECT_FALSE(sound.play(SoundPreset()).isValid());
    EXPECT_FALSE(sound.playSource("Beep", "Effects", 1.0f, 1.0f).isValid());
    EXPECT_EQ(sound.getLiveInstances().size(), 1u);

    EXPECT_FLOAT_EQ(playing.getChannel().getAudibility(), 0.25f);
    step(0.01);
    EXPECT_FLOAT_EQ(playing.getChannel().getAudibility(), 0.0f);
    EXPECT_TRUE(playing.isPlaying());
    sound.muted = false;
    step(0.01);
    EXPECT_FLOAT_EQ(playing.getChannel().getAudibility(), 0.25f);
}

TEST_F(SoundManagerTest, FinishedInstancesAreRemoved)
{
    sound.playPreset("Beep");
    sound.playPreset("BeepLoop");
    step(0.5);
    step(0.01);
    ASSERT_EQ(sound.getLiveInstances().size(), 1u);
    EXPECT_EQ(sound.getLiveInstances().begin()->second.name, "Beep");
}

TEST_F(SoundManagerTest, StopByNameStopsEveryInstanceOfThatSourceOnly)
{
    SoundReceipt a = sound.playPreset("Beep");
    SoundReceipt b = sound.playPreset("BeepLoop");
    SoundReceipt other = sound.playPreset("Default");
    sound.stopByName("Beep");
    EXPECT_FALSE(a.isPlaying());
    EXPECT_FALSE(b.isPlaying());
    EXPECT_TRUE(other.isPlaying());
    sound.stopByName("Nothing");
    EXPECT_TRUE(other.isPlaying());
}

TEST_F(SoundManagerTest, InstanceKeysNeverCollideAfter256Plays)
{
    SoundReceipt first = sound.playPreset("BeepLoop");
    for (int i = 0; i < 255; ++i)
        sound.playPreset("Default").stop();
    step(0.01);
    SoundReceipt second = sound.playPreset("BeepLoop");
    EXPECT_EQ(sound.getLiveInstances().size(), 2u);
    sound.stopAll();
    EXPECT_FALSE(first.isPlaying());
    EXPECT_FALSE(second.isPlaying());
}

TEST_F(SoundManagerTest, MusicStreamsOncePerTrack)
{
    SoundReceipt music = sound.playPreset("Theme");
    EXPECT_TRUE(music.isStream());
    EXPECT_EQ(music.getSourceName(), "Theme");
    EXPECT_EQ(sound.getStreams().size(), 1u);
    EXPECT_TRUE(sound.getLiveInstances().empty());

    SoundReceipt again = sound.playPreset("ThemeOnce");
    EXPECT_FALSE(again.isValid());
    EXPECT_TRUE(music.isPlaying());
}

TEST_F(SoundManagerTest, EndedTrackStaysStreamingUntilStopped)
{
    SoundReceipt once = sound.playPreset("ThemeOnce");
    step(2.5);
    EXPECT_FALSE(once.isPlaying());
    EXPECT_FALSE(sound.playPreset("Theme").isValid());
    sound.stopStream("Theme");
    EXPECT_TRUE(sound.getStreams().empty());
    EXPECT_TRUE(sound.playPreset("Theme").isPlaying());
    sound.stopStream("NotStreaming");
    EXPECT_EQ(sound.getStreams().size(), 1u);
}

TEST_F(SoundManagerTest, StopAllStopsEverythingAndReleasesStreams)
{
    SoundReceipt music = sound.playPreset("Theme");
    SoundReceipt beep = sound.playPreset("BeepLoop");
    step(1.0);
    sound.stopAll();
    EXPECT_FALSE(music.isPlaying());
    EXPECT_FALSE(beep.isPlaying());
    EXPECT_TRUE(sound.getStreams().empty());
    EXPECT_TRUE(sound.getLiveInstances().empty());
    EXPECT_EQ(sound.getAudioSystem().getChannelsPlaying(), 0);

    SoundReceipt fresh = sound.playPreset("Theme");
    EXPECT_TRUE(fresh.isPlaying());
    EXPECT_EQ(fresh.getChannel().getPosition(), 0u);
}

TEST_F(SoundManagerTest, GroupSettersTouchOnlyExistingGroups)
{
    sound.setGroupVolume("Effects", 0.25f);
    sound.setGroupPitch("Effects", 1.5f);
    EXPECT_FLOAT_EQ(sound.getChannelGroups().at("Effects")->getVolume(), 0.25f);
    EXPECT_FLOAT_EQ(sound.getChannelGroups().at("Effects")->getPitch(), 1.5f);
    sound.setGroupVolume("Unused", 0.25f);
    EXPECT_EQ(sound.getChannelGroups().count("Unused"), 0u);
    sound.playSource("Beep", "Unused", 1.0f, 1.0f);
    EXPECT_EQ(sound.getChannelGroups().count("Unused"), 1u);
}

TEST_F(SoundManagerTest, AddPresetKeepsAnExistingName)
{
    sound.addPreset("Beep", "Default", "Default", 0.1f, 0.1f);
    sound.addPreset("New", "Beep", "Effects", 0.3f, 1.2f);
    EXPECT_EQ(sound.getPresets().at("Beep").source, "Beep");
    const SoundPreset& added = sound.getPresets().at("New");
    EXPECT_EQ(added.source, "Beep");
    EXPECT_FLOAT_EQ(added.volume, 0.3f);
    EXPECT_EQ(added.loopCount, 0);
}

// A second initialize must not reach the sounds, streams and groups the shutdown released.
TEST_F(SoundManagerTest, ShutdownForgetsWhatItReleasedSoRestartStartsClean)
{
    SoundReceipt old = sound.playPreset("BeepLoop");
    sound.playPreset("Theme");
    sound.addPreset("Extra", "Beep", "Effects", 1.0f, 1.0f);
    sound.shutdown();
    EXPECT_TRUE(sound.getChannelGroups().empty());
    EXPECT_TRUE(sound.getSources().empty());
    EXPECT_TRUE(sound.getSourceNames().empty());
    EXPECT_TRUE(sound.getStreams().empty());
    EXPECT_TRUE(sound.getLiveInstances().empty());
    EXPECT_EQ(sound.getPresets().count("Extra"), 1u);
    EXPECT_EQ(sound.getMusicList().size(), 1u);

    sound.initialize();
    EXPECT_FALSE(old.isPlaying());
    EXPECT_TRUE(sound.playPreset("Theme").isPlaying());
    EXPECT_TRUE(sound.playPreset("Extra").isPlaying());
    EXPECT_EQ(sound.getSourceNames().size(), 2u);
    // The receipt count starts again at initialize: this is the second receipt since.
    ASSERT_EQ(sound.getLiveInstances().size(), 1u);
    EXPECT_EQ(sound.getLiveInstances().begin()->first, "Beep#2");
}

TEST_F(SoundManagerTest, InitializeAndShutdownWriteTheirTraceLines)
{
    std::vector<std::string> lines;
    {
        test::ConsoleCapture console;
        sound.shutdown();
        sound.initialize();
        lines = test::SplitLines(console.out());
    }
    ASSERT_GE(lines.size(), 2u);
    EXPECT_EQ(lines.front(), "SoundSystem : shutdown");
    EXPECT_EQ(lines.back(), "SoundSystem : initialize");
}

TEST_F(SoundManagerTest, NullManagerPlaysNothing)
{
    SoundManagerNull* null = SoundManagerNull::instance();
    EXPECT_TRUE(null->isNull());
    EXPECT_FALSE(null->playPreset("Beep").isValid());
    EXPECT_FALSE(null->playSource("Beep", "Effects", 1.0f, 1.0f).isValid());
    null->stopAll();
    null->stopByName("Beep");
    EXPECT_TRUE(null->getLiveInstances().empty());
}
