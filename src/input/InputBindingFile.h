#pragma once
// Reader of the binding file: named actions mapped to input codes by name, with the trigger
// type of each, plus the two gamepad dead zones.

#include "input/InputCode.h"
#include "input/InputCodeNames.h"

#include <string>
#include <vector>

struct InputBindingEntry
{
    std::string action;
    InputCode code = 0;
    TriggerType trigType = OnPress;
};

struct InputBindingFileData
{
    float axisThreshold = 0.3f;
    float triggerThreshold = 0.3f;
    std::vector<InputBindingEntry> entries;
};

class InputBindingFile
{
public:
    static constexpr const char* kDefaultPath = "assets/input.json";

    // Entries come in the order of the root's members (byte order of their names) or of a
    // root array's elements. A missing file throws std::invalid_argument naming it; text that
    // is not JSON, or a recognised key of the wrong kind, throws JsonFileError after a log
    // line naming the file and the key.
    static InputBindingFileData read(const std::string& path, const InputCodeNames& names);
};
