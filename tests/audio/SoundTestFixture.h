#pragma once
// A SoundManager registered with a windowless engine, reading a sound folder that each test
// builds in its own scratch folder. Runs silent on the settable clock.

#include "audio/AudioTestFiles.h"
#include "audio/SoundManager.h"
#include "engine/Engine.h"
#include "support/TestSupport.h"

#include <filesystem>
#include <gtest/gtest.h>
#include <string>

namespace test
{
inline const char* kTestGroups = R"({
    "Effects": {"Name": "Effects", "Volume": 0.5},
    "Music": {"Name": "Music"}
})";

inline const char* kTestPresets = R"({
    "Default": {"Name": "Default"},
    "Beep": {"Name": "Beep", "SoundSource": "Beep", "Group": "Effects", "Volume": 0.5, "Pitch": 2.0},
    "BeepLoop": {"Name": "BeepLoop", "SoundSource": "Beep", "Looping": true},
    "Theme": {"Name": "Theme", "SoundSource": "Theme", "Group": "Music", "Looping": 1},
    "ThemeOnce": {"Name": "ThemeOnce", "SoundSource": "Theme", "Group": "Music"},
    "Ghost": {"Name": "Ghost", "SoundSource": "NoSuchSource"}
})";

class SoundTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        folder = ScratchFolder(::testing::UnitTest::GetInstance()->current_test_info()->name()) +
                 "/";
        std::filesystem::create_directories(folder + "soundSources");
        std::filesystem::create_directories(folder + "music");
        ASSERT_TRUE(WriteTone(folder + "soundSources/Default.wav", 1000));
        ASSERT_TRUE(WriteTone(folder + "soundSources/Beep.wav", 500));
        ASSERT_TRUE(WriteTone(folder + "music/Theme.wav", 2000, 2));
        WriteText(folder + "soundGroups.json", kTestGroups);
        WriteText(folder + "soundPresets.json", kTestPresets);
        engine.makeCurrent();
        sound.setName(SoundManager::kName);
        engine.registerSystem(&sound);
        sound.setSoundFolder(folder);
    }

    void TearDown() override { sound.shutdown(); }

    void start() { sound.initialize(); }

    // One engine step after `seconds` of game time.
    void step(double seconds)
    {
        clock.advance(seconds);
        sound.update();
    }

    SilentAudioClock clock;
    Engine engine{"T", 800, 600, 10000};
    SoundManager sound;
    std::string folder;
};
}
