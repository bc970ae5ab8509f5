#pragma once
// What the sound editor windows remember from one GUI frame to the next, for the whole run:
// the typed save paths and new name, the open trees and the selection, and the sounds started
// from the test window. Both new-name fields edit the one name buffer.

#include "audio/SoundReceipt.h"

#include <array>
#include <string>
#include <vector>

struct SoundEditorState
{
    static constexpr size_t kPathSize = 128;
    static constexpr size_t kNameSize = 32;

    std::array<char, kPathSize> presetSavePath{};
    std::array<char, kPathSize> groupSavePath{};
    std::array<char, kNameSize> newNameBuffer{};
    bool soundTestEasyAccess = false;
    bool addingPreset = false;
    bool addingGroup = false;
    bool presetsTreeOpen = false;
    bool groupsTreeOpen = false;
    std::string selectedPreset;
    std::string selectedGroup;
    std::vector<SoundReceipt> testReceipts;
    // The outcome of the last save or test play, shown in the main window.
    std::string status;
};
