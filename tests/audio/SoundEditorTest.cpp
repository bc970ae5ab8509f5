#include "audio/SoundTestFixture.h"
#include "platform/AudioChannelGroup.h"
#include "tools/GuiTestSupport.h"

#include <filesystem>
#include <functional>
#include <utility>

#include <unistd.h>

namespace
{
constexpr const char* kMain = "Sound Manipulation";
constexpr const char* kPresetEditor = "Selected Preset Editor";
constexpr const char* kGroupEditor = "Selected Sound Group Editor";
constexpr const char* kInstances = "Active Sound Instances";
constexpr const char* kTesting = "Sound Testing";

// The path fields hold 128 characters, so saved files go to a short folder of their own.
std::string ShortFolder()
{
    const std::string folder = "/tmp/wendlebox-sound-editor-" + std::to_string(::getpid()) + "/";
    std::filesystem::remove_all(folder);
    std::filesystem::create_directories(folder);
    return folder;
}

// Side by side and large enough for every tree opened, so the pointer can reach every item.
void PlaceWindows()
{
    const struct
    {
        const char* name;
        ImVec2 position;
    } places[] = {{kMain, {0, 0}}, {kPresetEditor, {620, 0}}, {kGroupEditor, {620, 540}},
                  {kInstances, {1240, 0}}, {kTesting, {1240, 540}}};
    for (const auto& place : places)
    {
        ImGui::SetWindowPos(place.name, place.position);
        ImGui::SetWindowSize(place.name, ImVec2(600.0f, 520.0f));
    }
}

// The editor remembers its state for the whole run; every test starts from a fresh one.
class SoundEditorTest : public test::SoundTest
{
protected:
    void SetUp() override
    {
        SoundTest::SetUp();
        SoundManager::editorState() = SoundEditorState{};
        start();
        draw = [this] {
            PlaceWindows();
            sound.drawEditor();
        };
    }
    void TearDown() override
    {
        SoundManager::editorState() = SoundEditorState{};
        SoundTest::TearDown();
    }

    SoundEditorState& state() { return SoundManager::editorState(); }

    // The id of a widget under the tree node of test sound `index` (pushed by its place).
    static ImGuiID instanceItem(int index, const char* label)
    {
        ImGuiWindow* window = ImGui::FindWindowByName(kInstances);
        const ImGuiID slot = ImHashData(&index, sizeof index, window->ID);
        const ImGuiID node = ImHashStr("Beep", 0, slot);
        return label ? ImHashStr(label, 0, node) : node;
    }

    void openInstance(int index)
    {
        ImGui::FindWindowByName(kInstances)->StateStorage.SetInt(instanceItem(index, nullptr), 1);
    }

    // Presses on the item and moves the pointer dx pixels sideways before letting go.
    bool drag(const char* window, const char* label, float dx)
    {
        if (!gui.hover(window, {label}, draw))
            return false;
        ImGuiIO& io = ImGui::GetIO();
        io.MouseDown[0] = true;
        gui.frame(draw);
        io.MousePos.x += dx;
        gui.frame(draw);
        io.MouseDown[0] = false;
        gui.frame(draw);
        return true;
    }

    test::GuiContext gui;
    test::GuiContext::Draw draw;
};
}

TEST_F(SoundEditorTest, AddNowWithAnEmptyNameAddsADefaultPreset)
{
    gui.frame(draw);
    test::GuiContext::openTree(kMain, {"Presets"});
    ASSERT_TRUE(gui.click(kMain, {"Presets", "Add Sound Preset"}, draw));
    EXPECT_TRUE(state().addingPreset);
    ASSERT_TRUE(gui.click(kMain, {"Presets", "Add Now"}, draw));
    EXPECT_FALSE(state().addingPreset);
    ASSERT_EQ(sound.getPresets().count(""), 1u);
    const SoundPreset& added = sound.getPresets().at("");
    EXPECT_EQ(added.source, "Default");
    EXPECT_EQ(added.group, "Default");
    EXPECT_EQ(added.volume, 1.0f);
    EXPECT_EQ(added.pitch, 1.0f);
}

TEST_F(SoundEditorTest, DeletingTheSelectionClosesItsEditor)
{
    const struct
    {
        const char* tree;
        const char* editor;
        const char* button;
        std::string SoundEditorState::*selection;
        std::function<size_t()> count;
    } cases[] = {
        {"Presets", kPresetEditor, "Delete Preset", &SoundEditorState::selectedPreset,
         [this] { return sound.getPresets().count("Beep"); }},
        {"Sound Groups", kGroupEditor, "Delete Sound Group", &SoundEditorState::selectedGroup,
         [this] { return sound.getChannelGroups().count("Effects"); }},
    };
    state().selectedPreset = "Beep";
    state().selectedGroup = "Effects";
    for (const auto& deletion : cases)
    {
        SCOPED_TRACE(deletion.button);
        gui.frame(draw);
        EXPECT_FALSE(test::GuiContext::shown(deletion.editor)) << "hidden while the tree is closed";
        test::GuiContext::openTree(kMain, {deletion.tree});
        gui.frame(draw);
        gui.frame(draw);
        ASSERT_TRUE(test::GuiContext::shown(deletion.editor));
        ASSERT_TRUE(gui.click(deletion.editor, {deletion.button}, draw));
        EXPECT_EQ(deletion.count(), 0u);
        gui.frame(draw);
        EXPECT_FALSE(test::GuiContext::shown(deletion.editor));
        EXPECT_TRUE((state().*deletion.selection).empty());
    }
}

TEST_F(SoundEditorTest, LoopingControlsFollowTheLoopCount)
{
    sound.getPresets().at("Beep").loopCount = 3;
    state().selectedPreset = "Beep";
    gui.frame(draw);
    test::GuiContext::openTree(kMain, {"Presets"});
    gui.frame(draw);
    const int32_t& loops = sound.getPresets().at("Beep").loopCount;
    struct Step
    {
        const char* click;
        int32_t loops;
    };
    const Step steps[] = {{"looping Toggle", 0}, {"looping Toggle", 1}, {"Infinite Loop", -1}, {"Infinite Loop", 1}};
    for (const Step& step : steps)
    {
        ASSERT_TRUE(gui.click(kPresetEditor, {step.click}, draw)) << step.click;
        EXPECT_EQ(loops, step.loops) << step.click;
    }
}

TEST_F(SoundEditorTest, StoppingTheSecondOfThreeTestSoundsMovesTheThirdUp)
{
    state().soundTestEasyAccess = true;
    gui.frame(draw);
    for (int i = 0; i < 3; ++i)
        ASSERT_TRUE(gui.click(kTesting, {"Play : Beep"}, draw));
    std::vector<SoundReceipt>& receipts = state().testReceipts;
    ASSERT_EQ(receipts.size(), 3u);
    const uint64_t third = receipts[2].getTag();
    openInstance(1);
    gui.frame(draw);
    bool stopped = false;
    ImGuiWindow* window = ImGui::FindWindowByName(kInstances);
    ImGuiIO& io = ImGui::GetIO();
    for (float y = 2.0f; y < window->Size.y && !stopped; y += 4.0f)
    {
        io.MousePos = ImVec2(window->Pos.x + 30.0f, window->Pos.y + y);
        gui.frame(draw);
        if (GImGui->HoveredId != instanceItem(1, "Stop"))
            continue;
        io.MouseDown[0] = true;
        gui.frame(draw);
        io.MouseDown[0] = false;
        gui.frame(draw);
        stopped = true;
    }
    ASSERT_TRUE(stopped);
    ASSERT_EQ(receipts.size(), 2u);
    EXPECT_EQ(receipts[1].getTag(), third);
    EXPECT_EQ(sound.getAudioSystem().getChannelsPlaying(), 2);

    ASSERT_TRUE(gui.click(kTesting, {"Stop All Sound Instances"}, draw));
    EXPECT_TRUE(receipts.empty());
    EXPECT_EQ(sound.getAudioSystem().getChannelsPlaying(), 0);
}

// Once a test sound has ended its channel reads 0 everywhere: its controls keep the values
// the receipt holds, revive nothing and leave alone the sound that now plays in its slot. A
// playing sound's controls bring its channel back to its receipt's values.
TEST_F(SoundEditorTest, ControlsOfAnEndedSoundKeepTheReceiptsValues)
{
    SoundReceipt ended = sound.playPreset("Beep");
    step(5.0);
    SoundReceipt playing = sound.playPreset("Default");
    ASSERT_EQ(playing.getChannel().getSlot(), ended.getChannel().getSlot());
    AudioChannel channel = playing.getChannel();
    channel.setVolume(0.1f);
    channel.setPitch(0.3f);
    channel.setLoopCount(4);
    // The ended sound's controls come last, so nothing they did to the slot is undone.
    const test::GuiContext::Draw controls = [&] {
        float x = 0.0f;
        for (auto [window, receipt] : {std::pair{"Playing", &playing}, std::pair{"Ended", &ended}})
        {
            ImGui::SetNextWindowPos(ImVec2(x += 500.0f, 0.0f));
            ImGui::Begin(window);
            EXPECT_FALSE(sound.drawInstanceControls(*receipt));
            ImGui::End();
        }
    };
    ASSERT_TRUE(gui.click("Ended", {"looping Toggle"}, controls));
    EXPECT_EQ(ended.getLoopCount(), 1);
    EXPECT_FLOAT_EQ(ended.getVolume(), 0.5f);
    EXPECT_FLOAT_EQ(ended.getPitch(), 2.0f);
    EXPECT_FALSE(ended.isPlaying());
    EXPECT_EQ(sound.getAudioSystem().getChannelsPlaying(), 1);
    EXPECT_FLOAT_EQ(channel.getVolume(), 1.0f);
    EXPECT_FLOAT_EQ(channel.getPitch(), 1.0f);
    EXPECT_EQ(channel.getLoopCount(), 0);
}

TEST_F(SoundEditorTest, SaveWritesFilesThatLoadBackEqual)
{
    gui.frame(draw);
    test::GuiContext::openTree(kMain, {"Presets"});
    ASSERT_TRUE(gui.click(kMain, {"Presets", "Add Sound Preset"}, draw));
    ASSERT_TRUE(gui.click(kMain, {"Presets", "Put Preset Name Here"}, draw));
    gui.type("Boom", draw);
    ASSERT_TRUE(gui.click(kMain, {"Presets", "Add Now"}, draw));
    ASSERT_EQ(sound.getPresets().count("Boom"), 1u);
    sound.getPresets().at("Boom").loopCount = -1;
    // Group values change at once, for the sounds already playing on the group too.
    const SoundReceipt beep = sound.playPreset("Beep");
    state().selectedGroup = "Effects";
    test::GuiContext::openTree(kMain, {"Sound Groups"});
    ASSERT_TRUE(drag(kGroupEditor, "Volume", -50.0f));
    ASSERT_TRUE(drag(kGroupEditor, "Pitch", -50.0f));
    EXPECT_FLOAT_EQ(beep.getChannel().getAudibility(), 0.5f * 0.25f);

    const std::string saved = ShortFolder();
    ASSERT_TRUE(gui.click(kMain, {"Preset Save File Path"}, draw));
    gui.type((saved + "soundPresets.json").c_str(), draw);
    ASSERT_TRUE(gui.click(kMain, {"Sound Gruop Save File Path"}, draw));
    gui.type((saved + "soundGroups.json").c_str(), draw);
    gui.clickNowhere(draw);
    ASSERT_TRUE(gui.click(kMain, {"Save"}, draw));
    EXPECT_NE(state().status.find("Presets saved to"), std::string::npos) << state().status;

    SoundManager reloaded;
    reloaded.setSoundFolder(saved);
    reloaded.loadGroups();
    reloaded.loadPresets();
    ASSERT_EQ(reloaded.getPresets().size(), sound.getPresets().size());
    for (const auto& [name, preset] : sound.getPresets())
    {
        const SoundPreset& back = reloaded.getPresets().at(name);
        EXPECT_EQ(back.source, preset.source) << name;
        EXPECT_EQ(back.group, preset.group) << name;
        EXPECT_FLOAT_EQ(back.volume, preset.volume) << name;
        EXPECT_FLOAT_EQ(back.pitch, preset.pitch) << name;
        EXPECT_EQ(back.loopCount, preset.loopCount) << name;
    }
    ASSERT_EQ(reloaded.getChannelGroups().size(), sound.getChannelGroups().size());
    EXPECT_FLOAT_EQ(reloaded.getChannelGroups().at("Effects")->getPitch(), 0.75f);
    EXPECT_FLOAT_EQ(reloaded.getChannelGroups().at("Effects")->getVolume(), 0.25f);
    reloaded.shutdown();
    std::filesystem::remove_all(saved);
}

// Root writes anywhere, so the failure is forced by a folder where the temporary file goes.
TEST_F(SoundEditorTest, AFailedSaveKeepsTheOldFileAndSaysSo)
{
    const std::string shortFolder = ShortFolder();
    const std::string path = shortFolder + "presets.json";
    const std::string before = "old presets";
    test::WriteText(path, before);
    std::filesystem::create_directories(path + ".tmp");
    std::snprintf(state().presetSavePath.data(), state().presetSavePath.size(), "%s", path.c_str());
    sound.getPresets().at("Beep").volume = 0.9f;
    std::string errors;
    {
        test::ConsoleCapture console;
        const bool clicked = gui.click(kMain, {"Save"}, draw);
        errors = console.err();
        ASSERT_TRUE(clicked);
    }
    EXPECT_EQ(test::ReadText(path), before);
    EXPECT_NE(state().status.find("Presets NOT saved"), std::string::npos) << state().status;
    EXPECT_NE(state().status.find("Groups: no path typed"), std::string::npos) << state().status;
    EXPECT_NE(errors.find("could not be written; the old file is kept"), std::string::npos) << errors;
    std::filesystem::remove_all(shortFolder);
}

TEST(SoundEditorNull, TheNullManagerDrawsNothing)
{
    test::GuiContext gui;
    gui.frame([] { SoundManagerNull::instance()->drawEditor(); });
    EXPECT_FALSE(test::GuiContext::shown(kMain));
}
