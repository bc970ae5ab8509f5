#include "audio/AudioTestFiles.h"
#include "platform/AudioChannelGroup.h"
#include "platform/AudioSound.h"
#include "platform/AudioSystem.h"
#include "support/TestSupport.h"

#include <cstdlib>
#include <gtest/gtest.h>

namespace
{
class AudioLayerTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        folder = test::ScratchFolder("audio-layer");
        ASSERT_TRUE(test::WriteTone(folder + "/one.wav", 1000));
        ASSERT_TRUE(test::WriteTone(folder + "/half.wav", 500, 2));
        audio.init(101);
        sound = audio.createSound(folder + "/one.wav");
        ASSERT_NE(sound, nullptr);
        group = audio.createChannelGroup("Effects");
    }

    // Advances the game clock and lets the layer see the new time.
    void play(double seconds)
    {
        clock.advance(seconds);
        audio.update();
    }

    test::SilentAudioClock clock;
    AudioSystem audio;
    std::string folder;
    AudioSound* sound = nullptr;
    AudioChannelGroup* group = nullptr;
};
}

TEST_F(AudioLayerTest, RunsSilentWithoutDeviceAndSaysSoOnce)
{
    AudioSystem other;
    test::ConsoleCapture console;
    other.init(4);
    const std::string out = console.out();
    EXPECT_TRUE(other.isSilent());
    EXPECT_EQ(test::SplitLines(out).size(), 1u);
    EXPECT_NE(out.find("no audio output device"), std::string::npos);
}

TEST_F(AudioLayerTest, DecodesLengthAndFormat)
{
    EXPECT_EQ(sound->getFrameCount(), 1000);
    EXPECT_EQ(sound->getSampleRate(), 1000);
    EXPECT_EQ(sound->getLengthMs(), 1000u);
    AudioSound* stereo = audio.createStream(folder + "/half.wav");
    ASSERT_NE(stereo, nullptr);
    EXPECT_TRUE(stereo->isStream());
    EXPECT_EQ(stereo->getChannels(), 2);
    EXPECT_EQ(audio.createSound(folder + "/missing.wav"), nullptr);
}

TEST_F(AudioLayerTest, SoundEndsWhenItsLengthHasPlayed)
{
    AudioChannel channel = audio.playSound(sound, group, false);
    play(0.99);
    EXPECT_TRUE(channel.isPlaying());
    EXPECT_NEAR(channel.getPosition(), 990u, 2u);
    play(0.02);
    EXPECT_FALSE(channel.isLive());
    EXPECT_FALSE(channel.isPlaying());
    EXPECT_EQ(audio.getChannelsPlaying(), 0);
}

TEST_F(AudioLayerTest, StaleHandleNeverTouchesTheNextSoundInItsSlot)
{
    AudioChannel first = audio.playSound(sound, group, false);
    first.setUserData(7);
    first.stop();
    AudioChannel second = audio.playSound(sound, group, false);
    ASSERT_EQ(second.getSlot(), first.getSlot());
    EXPECT_NE(second.getGeneration(), first.getGeneration());
    second.setVolume(0.5f);
    second.setUserData(9);

    first.setVolume(0.1f);
    first.setPaused(true);
    first.stop();

    EXPECT_TRUE(second.isPlaying());
    EXPECT_FALSE(second.getPaused());
    EXPECT_FLOAT_EQ(second.getVolume(), 0.5f);
    EXPECT_EQ(first.getUserData(), 0u);
    EXPECT_EQ(second.getUserData(), 9u);
}

TEST_F(AudioLayerTest, UserDataRoundTripsOnlyOnALiveChannel)
{
    AudioChannel channel = audio.playSound(sound, group, false);
    channel.setUserData(0x1234567890ull);
    EXPECT_EQ(channel.getUserData(), 0x1234567890ull);
    play(1.5);
    EXPECT_EQ(channel.getUserData(), 0u);
    channel.setUserData(5);
    EXPECT_EQ(channel.getUserData(), 0u);
    EXPECT_EQ(AudioChannel().getUserData(), 0u);
}

TEST_F(AudioLayerTest, PausedChannelStaysAliveAndResumesWhereItStopped)
{
    AudioChannel channel = audio.playSound(sound, group, false);
    play(0.4);
    channel.setPaused(true);
    play(30.0);
    EXPECT_TRUE(channel.isLive());
    EXPECT_TRUE(channel.isPlaying());
    EXPECT_TRUE(channel.getPaused());
    EXPECT_NEAR(channel.getPosition(), 400u, 2u);
    channel.setPaused(false);
    play(0.55);
    EXPECT_TRUE(channel.isLive());
    play(0.1);
    EXPECT_FALSE(channel.isLive());
}

TEST_F(AudioLayerTest, StartingPausedHoldsTheSound)
{
    AudioChannel channel = audio.playSound(sound, group, true);
    play(5.0);
    EXPECT_TRUE(channel.getPaused());
    EXPECT_EQ(channel.getPosition(), 0u);
}

TEST_F(AudioLayerTest, ChannelAndGroupVolumeMultiply)
{
    AudioChannel channel = audio.playSound(sound, group, false);
    channel.setVolume(0.5f);
    group->setVolume(0.4f);
    EXPECT_FLOAT_EQ(channel.getVolume(), 0.5f);
    EXPECT_FLOAT_EQ(channel.getAudibility(), 0.2f);
    AudioChannel ungrouped = audio.playSound(sound, nullptr, false);
    ungrouped.setVolume(0.3f);
    EXPECT_FLOAT_EQ(ungrouped.getAudibility(), 0.3f);
}

TEST_F(AudioLayerTest, ChannelAndGroupPitchMultiplyPlaySpeed)
{
    AudioChannel channel = audio.playSound(sound, group, false);
    channel.setPitch(2.0f);
    group->setPitch(2.0f);
    play(0.24);
    EXPECT_TRUE(channel.isLive());
    EXPECT_NEAR(channel.getPosition(), 960u, 2u);
    play(0.02);
    EXPECT_FALSE(channel.isLive());
}

// Settings may change between two layer updates; the time played before the change must
// still count at the old settings.
TEST_F(AudioLayerTest, GroupPitchChangeKeepsTheTimeAlreadyPlayed)
{
    AudioChannel channel = audio.playSound(sound, group, false);
    clock.advance(0.5);
    group->setPitch(2.0f);
    play(0.2);
    EXPECT_TRUE(channel.isLive());
    EXPECT_NEAR(channel.getPosition(), 900u, 2u);
    play(0.06);
    EXPECT_FALSE(channel.isLive());
}

TEST_F(AudioLayerTest, ReleasingAGroupKeepsTheTimePlayedAtItsPitch)
{
    group->setPitch(2.0f);
    AudioChannel channel = audio.playSound(sound, group, false);
    clock.advance(0.25);
    audio.releaseChannelGroup(group);
    play(0.45);
    EXPECT_TRUE(channel.isLive());
    EXPECT_NEAR(channel.getPosition(), 950u, 2u);
    play(0.1);
    EXPECT_FALSE(channel.isLive());
}

TEST_F(AudioLayerTest, LoopCountChangeKeepsThePassesAlreadyPlayed)
{
    AudioChannel channel = audio.playSound(sound, group, false);
    channel.setLoopCount(-1);
    clock.advance(1.5);
    channel.setLoopCount(0);
    play(0.45);
    EXPECT_TRUE(channel.isLive());
    EXPECT_NEAR(channel.getPosition(), 950u, 2u);
    play(0.1);
    EXPECT_FALSE(channel.isLive());
}

TEST_F(AudioLayerTest, MutedGroupSilencesItsChannelsUntilUnmuted)
{
    AudioChannel channel = audio.playSound(sound, group, false);
    channel.setVolume(0.8f);
    group->setMute(true);
    EXPECT_FLOAT_EQ(channel.getAudibility(), 0.0f);
    EXPECT_TRUE(channel.isPlaying());
    group->setMute(false);
    EXPECT_FLOAT_EQ(channel.getAudibility(), 0.8f);
}

TEST_F(AudioLayerTest, LoopCountsEndlessOnceAndRepeated)
{
    AudioChannel endless = audio.playSound(sound, group, false);
    endless.setLoopCount(-1);
    AudioChannel once = audio.playSound(sound, group, false);
    once.setLoopCount(0);
    AudioChannel thrice = audio.playSound(sound, group, false);
    thrice.setLoopCount(2);

    play(1.5);
    EXPECT_FALSE(once.isLive());
    EXPECT_TRUE(thrice.isLive());
    EXPECT_EQ(thrice.getLoopCount(), 1);
    play(1.45);
    EXPECT_TRUE(thrice.isLive());
    play(0.1);
    EXPECT_FALSE(thrice.isLive());
    play(100.0);
    EXPECT_TRUE(endless.isLive());
    EXPECT_EQ(endless.getLoopCount(), -1);
}

TEST_F(AudioLayerTest, HundredAndOneChannelsThenTheQuietestIsStolen)
{
    std::vector<AudioChannel> channels;
    for (int i = 0; i < 101; ++i)
    {
        channels.push_back(audio.playSound(sound, group, false));
        channels.back().setVolume(0.5f);
    }
    channels[40].setVolume(0.1f);
    EXPECT_EQ(audio.getChannelsPlaying(), 101);

    AudioChannel extra = audio.playSound(sound, group, false);
    EXPECT_TRUE(extra.isLive());
    EXPECT_EQ(extra.getSlot(), channels[40].getSlot());
    EXPECT_FALSE(channels[40].isLive());
    EXPECT_EQ(audio.getChannelsPlaying(), 101);
    for (int i = 0; i < 101; ++i)
    {
        if (i != 40)
        {
            EXPECT_TRUE(channels[static_cast<size_t>(i)].isLive()) << i;
        }
    }
}

TEST_F(AudioLayerTest, RewindWorksOnSoundsAndStreams)
{
    AudioSound* stream = audio.createStream(folder + "/one.wav");
    ASSERT_NE(stream, nullptr);
    for (AudioSound* played : {sound, stream})
    {
        AudioChannel channel = audio.playSound(played, group, false);
        play(0.8);
        channel.setPosition(0);
        EXPECT_EQ(channel.getPosition(), 0u);
        play(0.8);
        EXPECT_TRUE(channel.isLive());
        play(0.3);
        EXPECT_FALSE(channel.isLive());
    }
}

TEST_F(AudioLayerTest, StreamPlaysOnOneChannelAtATime)
{
    AudioSound* stream = audio.createStream(folder + "/one.wav");
    AudioChannel first = audio.playSound(stream, group, false);
    AudioChannel second = audio.playSound(stream, group, false);
    EXPECT_FALSE(first.isLive());
    EXPECT_TRUE(second.isLive());
}

TEST_F(AudioLayerTest, ReleasingASoundStopsItsChannels)
{
    AudioChannel channel = audio.playSound(sound, group, false);
    audio.releaseSound(sound);
    EXPECT_FALSE(channel.isLive());
}

TEST_F(AudioLayerTest, ReleasingAGroupLeavesItsChannelsPlayingUngrouped)
{
    AudioChannel channel = audio.playSound(sound, group, false);
    channel.setVolume(0.5f);
    group->setVolume(0.1f);
    audio.releaseChannelGroup(group);
    EXPECT_TRUE(channel.isLive());
    EXPECT_EQ(channel.getGroup(), nullptr);
    EXPECT_FLOAT_EQ(channel.getAudibility(), 0.5f);
}

TEST_F(AudioLayerTest, NothingPlaysWithoutASoundOrAfterRelease)
{
    EXPECT_FALSE(audio.playSound(nullptr, group, false).isLive());
    AudioChannel channel = audio.playSound(sound, group, false);
    audio.release();
    EXPECT_FALSE(channel.isLive());
    EXPECT_FALSE(audio.isInitialized());
    audio.init(8);
    EXPECT_FALSE(channel.isLive());
}

// Without a sound card the sound libraries' own complaints stay off the terminal, and the
// log level lent to OpenAL Soft while the device opens is not left behind.
TEST(AudioLayer, OpeningTheDeviceLeavesTheLibrariesQuiet)
{
    const bool logLevelSet = std::getenv("ALSOFT_LOGLEVEL") != nullptr;
    AudioSystem audio;
    test::ConsoleCapture console;
    audio.init(4);
    const std::string err = console.err();
    EXPECT_EQ(err.find("ALSA lib"), std::string::npos) << err;
    EXPECT_EQ(err.find("AL lib"), std::string::npos) << err;
    EXPECT_EQ(std::getenv("ALSOFT_LOGLEVEL") != nullptr, logLevelSet);
}
