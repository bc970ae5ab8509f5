#include "audio/SoundTestFixture.h"
#include "platform/AudioChannelGroup.h"

#include <filesystem>
#include <functional>
#include <stdexcept>

using test::SoundTest;

namespace
{
using SoundFilesTest = SoundTest;

std::string ExceptionText(const std::function<void()>& action)
{
    try
    {
        action();
    }
    catch (const std::exception& error)
    {
        return error.what();
    }
    return "";
}
}

TEST_F(SoundFilesTest, GroupsFileSetsVolumeAndPitchAndDefaultsToOne)
{
    test::WriteText(folder + "soundGroups.json",
                    R"([{"Name": "A", "Volume": 0.5}, {"Name": "B", "Pitch": 1.5},
                        {"Name": "A", "Volume": 0.25}, {"Volume": 0.1}, 3])");
    test::ConsoleCapture console;
    start();
    const std::string file = "ERROR! : File: [" + folder + "soundGroups.json] ";
    const std::string err = console.err();
    EXPECT_NE(err.find(file + R"(key "Name" is missing; a string was expected; entry 3 is skipped.)"),
              std::string::npos);
    EXPECT_NE(err.find(file + R"(entry 4 holds a number; an object with a "Name" was expected; it is skipped.)"),
              std::string::npos);
    const auto& groups = sound.getChannelGroups();
    ASSERT_EQ(groups.size(), 2u);
    EXPECT_FLOAT_EQ(groups.at("A")->getVolume(), 0.25f);
    EXPECT_FLOAT_EQ(groups.at("A")->getPitch(), 1.0f);
    EXPECT_FLOAT_EQ(groups.at("B")->getVolume(), 1.0f);
    EXPECT_FLOAT_EQ(groups.at("B")->getPitch(), 1.5f);
}

TEST_F(SoundFilesTest, MissingRequiredFilesStopStartUpNamingTheFile)
{
    std::filesystem::remove(folder + "soundGroups.json");
    const std::string groupsError = ExceptionText([&] { sound.loadGroups(); });
    EXPECT_EQ(groupsError, "File: [" + folder + "soundGroups.json] not found.");
    EXPECT_THROW(sound.loadGroups(), std::invalid_argument);

    std::filesystem::remove(folder + "soundPresets.json");
    EXPECT_THROW(sound.loadPresets(), std::invalid_argument);
}

TEST_F(SoundFilesTest, MalformedJsonStopsStartUpNamingTheFile)
{
    test::WriteText(folder + "soundPresets.json", "{ \"Default\": ");
    const std::string text = ExceptionText([&] { sound.loadPresets(); });
    EXPECT_NE(text.find(folder + "soundPresets.json"), std::string::npos);
}

// Numbers past double range and hostile nesting stop start-up with one line naming the file.
TEST_F(SoundFilesTest, OutOfRangeNumbersAndDeepNestingNameTheFile)
{
    const std::string deep = std::string(100000, '[') + std::string(100000, ']');
    for (const std::string& text : {std::string(R"({"Beep": {"Name": "Beep", "Volume": 1e400}})"), deep})
    {
        for (const char* file : {"soundPresets.json", "soundGroups.json"})
        {
            test::WriteText(folder + file, text);
            test::ConsoleCapture console;
            const std::string error = ExceptionText([&] {
                if (std::string(file) == "soundGroups.json")
                    sound.loadGroups();
                else
                    sound.loadPresets();
            });
            EXPECT_NE(error.find("File: [" + folder + file + "]"), std::string::npos) << error;
            EXPECT_NE(console.err().find(folder + file), std::string::npos);
        }
    }
}

TEST_F(SoundFilesTest, PresetMembersDefaultAndLoopingMapsToCounts)
{
    test::WriteText(folder + "soundPresets.json", R"({
        "a": {"Name": "Bare"},
        "b": {"Name": "Endless", "Looping": true},
        "c": {"Name": "EndlessOne", "Looping": 1},
        "d": {"Name": "Twice", "Looping": 2},
        "e": {"Name": "Once", "Looping": false},
        "f": {"Name": "Bare", "Volume": 0.1},
        "g": {"Name": "Tuned", "SoundSource": "Beep", "Group": "Effects", "Volume": 0.3, "Pitch": 1.5}
    })");
    start();
    const auto& presets = sound.getPresets();
    const SoundPreset& bare = presets.at("Bare");
    EXPECT_EQ(bare.source, "Default");
    EXPECT_EQ(bare.group, "Default");
    EXPECT_FLOAT_EQ(bare.volume, 1.0f);
    EXPECT_FLOAT_EQ(bare.pitch, 1.0f);
    EXPECT_EQ(bare.loopCount, 0);
    EXPECT_EQ(presets.at("Endless").loopCount, -1);
    EXPECT_EQ(presets.at("EndlessOne").loopCount, -1);
    EXPECT_EQ(presets.at("Twice").loopCount, 2);
    EXPECT_EQ(presets.at("Once").loopCount, 0);
    const SoundPreset& tuned = presets.at("Tuned");
    EXPECT_EQ(tuned.source, "Beep");
    EXPECT_EQ(tuned.group, "Effects");
    EXPECT_FLOAT_EQ(tuned.volume, 0.3f);
    EXPECT_FLOAT_EQ(tuned.pitch, 1.5f);

    SoundReceipt receipt = sound.playPreset("Bare");
    EXPECT_EQ(receipt.getGroupName(), "Default");
    EXPECT_EQ(receipt.getSourceName(), "Default");
}

TEST_F(SoundFilesTest, LoopingWrittenAsADecimalCountsAsItsWholeNumber)
{
    test::WriteText(folder + "soundPresets.json", R"({
        "a": {"Name": "EndlessDecimal", "Looping": 1.0},
        "b": {"Name": "TwiceDecimal", "Looping": 2.0},
        "FootStepVariationVolume": 10.0
    })");
    start();
    EXPECT_EQ(sound.getPresets().at("EndlessDecimal").loopCount, -1);
    EXPECT_EQ(sound.getPresets().at("TwiceDecimal").loopCount, 2);
    EXPECT_EQ(sound.getFootStepSettings().variationVolume, 10);
}

TEST_F(SoundFilesTest, WrongTypesAreLoggedAndDefaulted)
{
    test::WriteText(folder + "soundPresets.json", R"([
        {"Name": "Odd", "Volume": "loud", "Looping": "yes", "Group": 4},
        {"Name": 12, "Volume": 0.5}
    ])");
    test::ConsoleCapture console;
    start();
    const std::string err = console.err();
    ASSERT_EQ(sound.getPresets().size(), 1u);
    const SoundPreset& odd = sound.getPresets().at("Odd");
    EXPECT_FLOAT_EQ(odd.volume, 1.0f);
    EXPECT_EQ(odd.loopCount, 0);
    EXPECT_EQ(odd.group, "Default");
    const std::string file = "ERROR! : File: [" + folder + "soundPresets.json] ";
    EXPECT_NE(err.find(file + R"(key "Volume": "loud" is a string; a number was expected; the default stands.)"),
              std::string::npos) << err;
    EXPECT_NE(err.find(file + R"(key "Name": 12 is a number; a string was expected; entry 1 is skipped.)"),
              std::string::npos);

    test::WriteText(folder + "soundPresets.json", "7");
    test::ConsoleCapture shape;
    sound.loadPresets();
    EXPECT_EQ(shape.err(),
              file + "holds a number; an object or a list of sound presets was expected; none is loaded.\n");
}

TEST_F(SoundFilesTest, FootStepSettingsAreReadWhenPresent)
{
    test::WriteText(folder + "soundPresets.json", R"({
        "Default": {"Name": "Default"},
        "FootStepBaseVolume": 0.5, "FootStepBasePitch": 1.25,
        "FootStepVariationVolume": 10, "FootStepVariationPitch": 4, "VarationOn/Off": true
    })");
    test::ConsoleCapture console;
    start();
    EXPECT_EQ(console.err(), "") << "the settings are no presets of the wrong shape";
    const FootStepSettings& steps = sound.getFootStepSettings();
    EXPECT_FLOAT_EQ(steps.baseVolume, 0.5f);
    EXPECT_FLOAT_EQ(steps.basePitch, 1.25f);
    EXPECT_EQ(steps.variationVolume, 10);
    EXPECT_EQ(steps.variationPitch, 4);
    EXPECT_TRUE(steps.variationOn);
    EXPECT_EQ(sound.getPresets().size(), 1u);
}

TEST_F(SoundFilesTest, SourcesAreNamedByFileStemFirstFileWins)
{
    std::filesystem::copy_file(folder + "soundSources/Default.wav", folder + "soundSources/Beep.xyz");
    start();
    EXPECT_EQ(sound.getSources().size(), 2u);
    EXPECT_EQ(sound.getSourceNames(), (std::vector<std::string>{"Beep", "Beep", "Default"}));
    // Beep.xyz sorts after Beep.wav, so the half-second sound keeps the name.
    SoundReceipt beep = sound.playSource("Beep", "Effects", 1.0f, 1.0f);
    step(0.55);
    EXPECT_FALSE(beep.isPlaying());
}

TEST_F(SoundFilesTest, MusicTrackWinsOverASourceOfTheSameName)
{
    test::WriteTone(folder + "soundSources/Theme.wav", 100);
    start();
    EXPECT_EQ(sound.getMusicList().at("Theme"), folder + "music/Theme.wav");
    SoundReceipt receipt = sound.playSource("Theme", "Music", 1.0f, 1.0f);
    EXPECT_TRUE(receipt.isStream());
}

TEST_F(SoundFilesTest, SavePresetsWritesThisExactText)
{
    test::WriteText(folder + "soundPresets.json", R"({
        "Default": {"Name": "Default"},
        "Tune": {"Name": "Tune", "SoundSource": "Theme", "Group": "Music", "Volume": 0.1, "Looping": 1}
    })");
    start();
    const std::string path = folder + "saved.json";
    sound.savePresets(path);
    const std::string expected = R"({
    "Default": {
        "Group": "Default",
        "Looping": 0,
        "Name": "Default",
        "Pitch": 1.0,
        "SoundSource": "Default",
        "Volume": 1.0
    },
    "Tune": {
        "Group": "Music",
        "Looping": 1,
        "Name": "Tune",
        "Pitch": 1.0,
        "SoundSource": "Theme",
        "Volume": 0.10000000149011612
    }
})";
    EXPECT_EQ(test::ReadText(path), expected);
}

TEST_F(SoundFilesTest, SaveGroupsWritesThisExactText)
{
    start();
    sound.setGroupPitch("Music", 0.9f);
    const std::string path = folder + "savedGroups.json";
    sound.saveGroups(path);
    const std::string expected = R"({
    "Effects": {
        "Name": "Effects",
        "Pitch": 1.0,
        "Volume": 0.5
    },
    "Music": {
        "Name": "Music",
        "Pitch": 0.8999999761581421,
        "Volume": 1.0
    }
})";
    EXPECT_EQ(test::ReadText(path), expected);
}

TEST_F(SoundFilesTest, SavedPresetsReloadTheSameKeepingEndlessMusicEndless)
{
    start();
    sound.getPresets().at("Beep").loopCount = 3;
    sound.savePresets(folder + "soundPresets.json");
    const auto before = sound.getPresets();
    sound.shutdown();
    sound.initialize();
    const auto& after = sound.getPresets();
    ASSERT_EQ(after.size(), before.size());
    for (const auto& [name, preset] : before)
    {
        const SoundPreset& reloaded = after.at(name);
        EXPECT_EQ(reloaded.source, preset.source) << name;
        EXPECT_EQ(reloaded.group, preset.group) << name;
        EXPECT_FLOAT_EQ(reloaded.volume, preset.volume) << name;
        EXPECT_FLOAT_EQ(reloaded.pitch, preset.pitch) << name;
        EXPECT_EQ(reloaded.loopCount, preset.loopCount) << name;
    }
    EXPECT_EQ(after.at("Theme").loopCount, -1);
}

TEST_F(SoundFilesTest, SavedGroupsReloadTheirVolumeAndPitch)
{
    start();
    sound.setGroupVolume("Music", 0.3f);
    sound.setGroupPitch("Effects", 1.25f);
    sound.saveGroups(folder + "soundGroups.json");
    EXPECT_EQ(test::ReadText(folder + "soundGroups.json").substr(0, 36),
              "{\n    \"Effects\": {\n        \"Name\": \"");
    sound.shutdown();
    sound.initialize();
    const auto& groups = sound.getChannelGroups();
    EXPECT_FLOAT_EQ(groups.at("Music")->getVolume(), 0.3f);
    EXPECT_FLOAT_EQ(groups.at("Effects")->getVolume(), 0.5f);
    EXPECT_FLOAT_EQ(groups.at("Effects")->getPitch(), 1.25f);
}

TEST_F(SoundFilesTest, SavingNothingWritesNull)
{
    sound.savePresets(folder + "presets.json");
    sound.saveGroups(folder + "groups.json");
    EXPECT_EQ(test::ReadText(folder + "presets.json"), "null");
    EXPECT_EQ(test::ReadText(folder + "groups.json"), "null");
}

// An empty path is "nothing typed yet" and stays quiet; a path that cannot be written fails
// and says so.
TEST_F(SoundFilesTest, UnwritablePathWritesNothingAndSaysSo)
{
    start();
    test::ConsoleCapture console;
    EXPECT_FALSE(sound.savePresets(""));
    EXPECT_FALSE(sound.saveGroups(folder + "no/such/folder/groups.json"));
    const std::string err = console.err();
    EXPECT_NE(err.find("no/such/folder/groups.json] could not be written"), std::string::npos) << err;
    EXPECT_EQ(test::SplitLines(err).size(), 1u) << err;
    EXPECT_FALSE(std::filesystem::exists(".tmp"));
    EXPECT_FALSE(std::filesystem::exists(folder + "no"));
}
