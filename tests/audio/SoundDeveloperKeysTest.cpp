#include "audio/SoundTestFixture.h"
#include "input/InputSystem.h"

#include <set>

using test::SoundTest;

namespace
{
// A keyboard whose pressed keys the test sets.
class FakeKeyboard : public InputDevice
{
public:
    bool isKeyDown(int32_t key) const override { return down.count(key) != 0; }
    bool isMouseButtonDown(int32_t) const override { return false; }
    void getCursorPos(double& x, double& y) const override { x = y = 0.0; }
    bool isGamepad(int32_t) const override { return false; }
    bool readGamepad(int32_t, GamepadState&) const override { return false; }
    std::string getJoystickName(int32_t) const override { return ""; }
    void installJoystickCallback(JoystickEventCallback) override {}

    std::set<int32_t> down;
};

class SoundDeveloperKeysTest : public SoundTest
{
protected:
    void SetUp() override
    {
        SoundTest::SetUp();
        input.setName(InputSystem::kName);
        input.setDevice(&keyboard);
        engine.registerSystem(&input);
        start();
    }

    // Presses and releases one key over two input steps.
    void tap(char key)
    {
        keyboard.down = {key};
        input.update();
        keyboard.down.clear();
        input.update();
    }

    FakeKeyboard keyboard;
    InputSystem input;
};
}

TEST_F(SoundDeveloperKeysTest, FiveKeysAreBoundOnPress)
{
    for (const char* action : {"SoundTest", "SSSSS", "AAAA", "CCC", "StopAllSounds"})
        EXPECT_TRUE(input.hasAction(action)) << action;
}

TEST_F(SoundDeveloperKeysTest, TestSoundPlaysQuietlyAndStopsOnJ)
{
    tap('F');
    ASSERT_EQ(sound.getLiveInstances().size(), 1u);
    const SoundInstance& jump = sound.getLiveInstances().begin()->second;
    // The test data has no "Jump" preset, so "Default" plays.
    EXPECT_EQ(jump.name, "Default");
    EXPECT_FLOAT_EQ(jump.channel.getVolume(), 0.2f);
    tap('J');
    EXPECT_FALSE(jump.channel.isPlaying());
}

TEST_F(SoundDeveloperKeysTest, MusicKeysStartStopAndStopAll)
{
    sound.shutdown();
    test::WriteTone(folder + "music/Music.wav", 2000);
    sound.initialize();
    sound.addPreset("Music", "Music", "Music", 1.0f, 1.0f);
    tap('O');
    EXPECT_EQ(sound.getStreams().count("Music"), 1u);
    tap('P');
    EXPECT_TRUE(sound.getStreams().empty());
    tap('O');
    sound.playPreset("Theme");
    EXPECT_EQ(sound.getStreams().size(), 2u);
    tap('K');
    EXPECT_TRUE(sound.getStreams().empty());
}
