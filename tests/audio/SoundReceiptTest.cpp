#include "audio/SoundTestFixture.h"

using test::SoundTest;

namespace
{
class SoundReceiptTest : public SoundTest
{
protected:
    void SetUp() override
    {
        SoundTest::SetUp();
        start();
    }
};
}

TEST(SoundReceiptEmptyTest, EmptyReceiptIsInertAndQuiet)
{
    SoundReceipt empty;
    EXPECT_FALSE(empty.isValid());
    EXPECT_EQ(empty.getTag(), 0u);
    EXPECT_FALSE(empty.isPlaying());
    EXPECT_FLOAT_EQ(empty.getVolume(), 0.0f);
    EXPECT_TRUE(empty.getSourceName().empty());
    empty.pause();
    empty.stop();
    empty.restart();
    EXPECT_FALSE(empty.isValid());
}

TEST_F(SoundReceiptTest, EveryPlayStampsItsTagOnTheChannel)
{
    for (const char* preset : {"Beep", "Theme"})
    {
        SoundReceipt receipt = sound.playPreset(preset);
        EXPECT_NE(receipt.getTag(), 0u) << preset;
        EXPECT_EQ(receipt.getChannel().getUserData(), receipt.getTag()) << preset;
    }
}

TEST_F(SoundReceiptTest, ReceiptTurnsInvalidOnceItsSoundHasEnded)
{
    SoundReceipt receipt = sound.playPreset("Beep");
    EXPECT_TRUE(receipt.isPlaying());
    step(0.3);
    EXPECT_FALSE(receipt.isPlaying());
    EXPECT_FALSE(receipt.isValid());
}

TEST_F(SoundReceiptTest, StaleReceiptNeverTouchesTheSoundNowInItsSlot)
{
    SoundReceipt old = sound.playPreset("Beep");
    old.stop();
    SoundReceipt current = sound.playPreset("BeepLoop");
    ASSERT_EQ(current.getChannel().getSlot(), old.getChannel().getSlot());
    step(0.2);
    old.pause();
    old.setVolume(0.05f);
    old.setPitch(3.0f);
    old.restart();
    old.restartPaused();
    EXPECT_TRUE(current.isPlaying());
    EXPECT_FALSE(current.getChannel().getPaused());
    EXPECT_FLOAT_EQ(current.getChannel().getVolume(), 1.0f);
    EXPECT_FLOAT_EQ(current.getChannel().getPitch(), 1.0f);
    EXPECT_GT(current.getChannel().getPosition(), 150u);
    EXPECT_FLOAT_EQ(old.getVolume(), 0.05f);
}

TEST_F(SoundReceiptTest, PauseHoldsTheSoundAndResumeCarriesOn)
{
    SoundReceipt receipt = sound.playPreset("Default");
    step(0.5);
    receipt.pause();
    EXPECT_TRUE(receipt.getChannel().getPaused());
    step(10.0);
    EXPECT_TRUE(receipt.isPlaying());
    const uint64_t tag = receipt.getTag();
    receipt.resume();
    EXPECT_EQ(receipt.getTag(), tag);
    EXPECT_FALSE(receipt.getChannel().getPaused());
    step(0.6);
    EXPECT_FALSE(receipt.isPlaying());
}

TEST_F(SoundReceiptTest, StopThenResumeReplaysFromTheStart)
{
    SoundReceipt receipt = sound.playPreset("Default");
    step(0.5);
    receipt.stop();
    EXPECT_FALSE(receipt.isValid());
    EXPECT_FALSE(receipt.isPlaying());
    receipt.resume();
    EXPECT_TRUE(receipt.isPlaying());
    EXPECT_EQ(receipt.getChannel().getPosition(), 0u);
    EXPECT_EQ(receipt.getSourceName(), "Default");
}

TEST_F(SoundReceiptTest, VolumeSetWhileInvalidIsUsedByTheReplay)
{
    SoundReceipt receipt = sound.playPreset("Beep");
    step(0.3);
    receipt.setVolume(0.2f);
    EXPECT_FALSE(receipt.isValid());
    EXPECT_FLOAT_EQ(receipt.getVolume(), 0.2f);
    receipt.resume();
    EXPECT_TRUE(receipt.isPlaying());
    EXPECT_FLOAT_EQ(receipt.getChannel().getVolume(), 0.2f);
    EXPECT_FLOAT_EQ(receipt.getChannel().getPitch(), 2.0f);
}

TEST_F(SoundReceiptTest, SetPitchAndLoopingReachALiveChannel)
{
    SoundReceipt receipt = sound.playPreset("Beep");
    receipt.setPitch(0.5f);
    receipt.setLooping(true);
    EXPECT_FLOAT_EQ(receipt.getChannel().getPitch(), 0.5f);
    EXPECT_EQ(receipt.getChannel().getLoopCount(), -1);
    step(30.0);
    EXPECT_TRUE(receipt.isPlaying());
    receipt.setLooping(false);
    EXPECT_EQ(receipt.getLoopCount(), 0);
    step(1.1);
    EXPECT_FALSE(receipt.isPlaying());
}

TEST_F(SoundReceiptTest, RestartRewindsAndRestartPausedHolds)
{
    SoundReceipt receipt = sound.playPreset("Default");
    step(0.8);
    receipt.restart();
    step(0.5);
    EXPECT_TRUE(receipt.isPlaying());
    receipt.restartPaused();
    EXPECT_EQ(receipt.getChannel().getPosition(), 0u);
    EXPECT_TRUE(receipt.getChannel().getPaused());
}

TEST_F(SoundReceiptTest, StoppingMusicReleasesItsStreamOnce)
{
    SoundReceipt music = sound.playPreset("Theme");
    music.stop();
    EXPECT_TRUE(sound.getStreams().empty());
    SoundReceipt again = sound.playPreset("Theme");
    EXPECT_TRUE(again.isPlaying());
    music.stop();
    EXPECT_EQ(sound.getStreams().size(), 1u);
    EXPECT_TRUE(again.isPlaying());
}

TEST_F(SoundReceiptTest, ResumingEndedMusicStillStreamingTakesTheEmptyReceipt)
{
    SoundReceipt once = sound.playPreset("ThemeOnce");
    step(2.5);
    once.resume();
    EXPECT_FALSE(once.isValid());
    EXPECT_TRUE(once.getSourceName().empty());
    EXPECT_TRUE(once.getGroupName().empty());
}

TEST_F(SoundReceiptTest, AssigningCopiesWithoutEmptyingTheSource)
{
    SoundReceipt original = sound.playPreset("Beep");
    SoundReceipt copy;
    copy = original;
    EXPECT_EQ(original.getSourceName(), "Beep");
    EXPECT_EQ(original.getGroupName(), "Effects");
    EXPECT_EQ(copy.getSourceName(), "Beep");
    EXPECT_EQ(copy.getTag(), original.getTag());
    copy.stop();
    EXPECT_FALSE(original.isPlaying());
}

TEST_F(SoundReceiptTest, UnreadableSourceGivesAnInvalidReceipt)
{
    sound.shutdown();
    test::WriteText(folder + "soundSources/Broken.wav", "not a sound");
    sound.initialize();
    SoundReceipt broken = sound.playSource("Broken", "Effects", 1.0f, 1.0f);
    EXPECT_FALSE(broken.isValid());
    broken.resume();
    EXPECT_FALSE(broken.isPlaying());
    EXPECT_EQ(broken.getSourceName(), "Broken");
}
