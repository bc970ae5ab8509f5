// SoundManager: the sound editor windows. Presets and channel groups are browsed, added,
// tuned and deleted in place; "Save" writes them to the typed paths; the test windows play
// presets and steer each test sound live.

#include "audio/SoundManager.h"

#include "platform/AudioChannelGroup.h"

#include <imgui.h>

#include <cmath>
#include <stdexcept>

namespace
{
constexpr const char* kMainTitle = "Sound Manipulation";
constexpr const char* kPresetTitle = "Selected Preset Editor";
constexpr const char* kGroupTitle = "Selected Sound Group Editor";
constexpr const char* kInstancesTitle = "Active Sound Instances";
constexpr const char* kTestingTitle = "Sound Testing";
constexpr const char* kFloatFormat = "%.3f";
constexpr float kDragSpeed = 0.005f;
// Presets may be pushed far louder than a group or a live sound.
constexpr float kPresetVolumeMax = 100.0f;

// NaN never compares equal, so a NaN on either side counts as a change.
bool Differs(float a, float b)
{
    return !(a == b);
}

std::string SaveOutcome(const char* what, const char* path, bool saved)
{
    if (path[0] == '\0')
        return std::string(what) + ": no path typed, nothing written.";
    if (saved)
        return std::string(what) + " saved to " + path + ".";
    return std::string(what) + " NOT saved: " + path + " could not be written; the old file is kept.";
}

template <size_t N>
void ClearBuffer(std::array<char, N>& buffer)
{
    buffer.fill('\0');
}

// One loop count, -1 meaning endless: a looping box, the count and an endless box. The two
// last are greyed out while the sound does not loop.
void DrawLoopingControls(int32_t& loopCount)
{
    bool looping = loopCount == -1 || loopCount >= 1;
    ImGui::Checkbox("looping Toggle", &looping);
    if (!looping)
        loopCount = 0;
    else if (loopCount == 0)
        loopCount = 1;
    if (!looping)
        ImGui::BeginDisabled();
    int32_t count = loopCount;
    ImGui::InputInt("looping", &count, 1, 0);
    loopCount = count;
    bool endless = loopCount == -1;
    ImGui::Checkbox("Infinite Loop", &endless);
    if (endless)
        loopCount = -1;
    else if (loopCount == -1)
        loopCount = 1;
    if (!looping)
        ImGui::EndDisabled();
}

// The "Add ..." / "Add Now" / "Cancel" pattern shared by presets and groups. Returns the typed
// name when "Add Now" was pressed.
bool DrawAddControls(bool& adding, const char* addLabel, const char* nameLabel, std::string& addedName)
{
    SoundEditorState& state = SoundManager::editorState();
    if (!adding)
    {
        if (ImGui::Button(addLabel))
            adding = true;
        return false;
    }
    bool added = false;
    if (ImGui::Button("Add Now"))
    {
        adding = false;
        addedName = state.newNameBuffer.data();
        ClearBuffer(state.newNameBuffer);
        added = true;
    }
    ImGui::InputText(nameLabel, state.newNameBuffer.data(), state.newNameBuffer.size());
    if (ImGui::Button("Cancel"))
    {
        adding = false;
        ClearBuffer(state.newNameBuffer);
    }
    return added;
}

template <class Map>
void DrawSelectableNames(const Map& entries, std::string& selected)
{
    for (const auto& entry : entries)
        if (ImGui::Selectable(entry.first.c_str(), entry.first == selected))
            selected = entry.first;
}
}

SoundEditorState& SoundManager::editorState()
{
    static SoundEditorState state;
    return state;
}

void SoundManager::drawEditor()
{
    SoundEditorState& state = editorState();
    ImGui::Begin(kMainTitle);
    if (ImGui::Button("Save"))
    {
        const bool presetsSaved = savePresets(state.presetSavePath.data());
        const bool groupsSaved = saveGroups(state.groupSavePath.data());
        state.status = SaveOutcome("Presets", state.presetSavePath.data(), presetsSaved) + "\n" +
                       SaveOutcome("Groups", state.groupSavePath.data(), groupsSaved);
    }
    if (!state.status.empty())
        ImGui::TextUnformatted(state.status.c_str());
    ImGui::InputText("Preset Save File Path", state.presetSavePath.data(), state.presetSavePath.size());
    ImGui::InputText("Sound Gruop Save File Path", state.groupSavePath.data(), state.groupSavePath.size());
    ImGui::Checkbox("Sound Test Easy Access", &state.soundTestEasyAccess);

    state.presetsTreeOpen = ImGui::TreeNode("Presets");
    if (state.presetsTreeOpen)
    {
        DrawSelectableNames(presets, state.selectedPreset);
        std::string name;
        if (DrawAddControls(state.addingPreset, "Add Sound Preset", "Put Preset Name Here", name))
            addPreset(name, SoundPreset::kDefaultName, SoundPreset::kDefaultName, 1.0f, 1.0f);
        ImGui::TreePop();
    }
    state.groupsTreeOpen = ImGui::TreeNode("Sound Groups");
    if (state.groupsTreeOpen)
    {
        DrawSelectableNames(groups, state.selectedGroup);
        std::string name;
        if (DrawAddControls(state.addingGroup, "Add Sound Group", "Put Sound Group Name Here", name))
            getChannelGroup(name);
        ImGui::TreePop();
    }
    ImGui::End();

    // A selection whose preset or group has gone is dropped.
    if (!state.selectedPreset.empty() && state.presetsTreeOpen)
    {
        if (presets.count(state.selectedPreset))
            drawPresetEditor(state.selectedPreset);
        else
            state.selectedPreset.clear();
    }
    if (!state.selectedGroup.empty() && state.groupsTreeOpen)
    {
        const auto found = groups.find(state.selectedGroup);
        if (found != groups.end())
            drawGroupEditor(found->second, state.selectedGroup);
        else
            state.selectedGroup.clear();
    }
    if (state.soundTestEasyAccess)
        drawSoundTesting();
}

// Changes reach later plays only; sounds already playing keep their settings.
void SoundManager::drawPresetEditor(std::string name)
{
    const auto found = presets.find(name);
    if (found == presets.end())
        return;
    SoundPreset& preset = found->second;
    ImGui::Begin(kPresetTitle);
    ImGui::TextUnformatted(("Sound Preset : " + name).c_str());
    ImGui::DragFloat("Volume", &preset.volume, kDragSpeed, 0.0f, kPresetVolumeMax, kFloatFormat);
    ImGui::DragFloat("Pitch", &preset.pitch, kDragSpeed, 0.0f, 1.0f, kFloatFormat);
    DrawLoopingControls(preset.loopCount);
    ImGui::Text("Sound Group : %s", preset.group.c_str());
    if (ImGui::TreeNode("Select Group"))
    {
        DrawSelectableNames(groups, preset.group);
        ImGui::TreePop();
    }
    ImGui::Text("Sound Source : %s", preset.source.c_str());
    if (ImGui::TreeNode("Select Sound Source"))
    {
        DrawSelectableNames(sources, preset.source);
        ImGui::TreePop();
    }
    if (ImGui::Button("Delete Preset"))
        removePreset(name);
    ImGui::End();
}

void SoundManager::drawGroupEditor(AudioChannelGroup* group, std::string name)
{
    ImGui::Begin(kGroupTitle);
    ImGui::TextUnformatted(("Sound Group : " + name).c_str());
    const float oldVolume = group->getVolume();
    const float oldPitch = group->getPitch();
    float volume = oldVolume;
    float pitch = oldPitch;
    ImGui::DragFloat("Volume", &volume, kDragSpeed, 0.0f, 1.0f, kFloatFormat);
    ImGui::DragFloat("Pitch", &pitch, kDragSpeed, 0.0f, 1.0f, kFloatFormat);
    if (Differs(volume, oldVolume))
        group->setVolume(volume);
    if (Differs(pitch, oldPitch))
        group->setPitch(pitch);
    if (ImGui::Button("Delete Sound Group"))
        removeChannelGroup(name);
    ImGui::End();
}

// A play that cannot find the "Default" source fails with the map lookup error; from the
// editor that is a message, not the end of the game.
void SoundManager::drawSoundTesting()
{
    drawActiveInstances();
    SoundEditorState& state = editorState();
    ImGui::Begin(kTestingTitle);
    if (ImGui::Button("Stop All Sound Instances"))
    {
        while (!state.testReceipts.empty())
        {
            state.testReceipts.back().stop();
            state.testReceipts.pop_back();
        }
    }
    for (const auto& entry : presets)
    {
        if (!ImGui::Button(("Play : " + entry.first).c_str()))
            continue;
        try
        {
            state.testReceipts.push_back(playPreset(entry.first));
        }
        catch (const std::out_of_range&)
        {
            state.status = "Could not play " + entry.first + ": no \"Default\" source is loaded.";
        }
    }
    ImGui::End();
}

// Each test sound gets its own widget identity by its place in the list, so sounds of the
// same source stay apart; the label shows the source name.
void SoundManager::drawActiveInstances()
{
    std::vector<SoundReceipt>& receipts = editorState().testReceipts;
    ImGui::Begin(kInstancesTitle);
    for (size_t i = 0; i < receipts.size(); ++i)
    {
        ImGui::PushID(static_cast<int>(i));
        if (ImGui::TreeNode(receipts[i].getSourceName().c_str()))
        {
            if (drawInstanceControls(receipts[i]))
                receipts.erase(receipts.begin() + static_cast<std::ptrdiff_t>(i));
            ImGui::TreePop();
        }
        ImGui::PopID();
    }
    ImGui::End();
}

// A channel whose sound has ended reads 0 for every value, never what it held before.
bool SoundManager::drawInstanceControls(SoundReceipt& receipt)
{
    if (ImGui::Button("Play"))
        receipt.resume();
    if (ImGui::Button("Pause"))
        receipt.pause();
    if (ImGui::Button("Stop"))
    {
        receipt.stop();
        return true;
    }
    float volume = receipt.getVolume();
    float pitch = receipt.getPitch();
    if (ImGui::DragFloat("Volume", &volume, kDragSpeed, 0.0f, 1.0f, kFloatFormat))
        receipt.setVolume(volume);
    if (ImGui::DragFloat("Pitch", &pitch, kDragSpeed, 0.0f, 1.0f, kFloatFormat))
        receipt.setPitch(pitch);
    int32_t loopCount = receipt.getLoopCount();
    DrawLoopingControls(loopCount);
    receipt.setLoopCount(loopCount);

    AudioChannel channel = receipt.getChannel();
    const float channelVolume = channel.isLive() ? channel.getVolume() : 0.0f;
    const int32_t channelLoops = channel.isLive() ? channel.getLoopCount() : 0;
    const float channelPitch = channel.isLive() ? channel.getPitch() : 0.0f;
    if (channelLoops != receipt.getLoopCount())
        channel.setLoopCount(receipt.getLoopCount());
    if (Differs(channelPitch, receipt.getPitch()))
        channel.setPitch(receipt.getPitch());
    if (Differs(channelVolume, receipt.getVolume()))
        channel.setVolume(receipt.getVolume());
    return false;
}
