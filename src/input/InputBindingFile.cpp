#include "input/InputBindingFile.h"

#include "engine/FileHelpers.h"
#include "engine/JsonFileError.h"
#include "engine/JsonFileScope.h"
#include "engine/JsonNumber.h"
#include "engine/TraceLog.h"

#include <nlohmann/json.hpp>

namespace
{
using nlohmann::json;

bool ParseTrigType(const std::string& name, TriggerType& type)
{
    if (name == "OnPress")
        type = OnPress;
    else if (name == "OnRelease")
        type = OnRelease;
    else if (name == "OnHold")
        type = OnHold;
    else
        return false;
    return true;
}

// Anything that is not a complete binding with a known code and trigger type is skipped
// without a word: the file may carry notes and other members beside the bindings.
bool ReadEntry(const json& member, const InputCodeNames& names, InputBindingEntry& entry)
{
    if (!member.is_object() || !member.contains("Action") || !member.contains("Code") ||
        !member.contains("TrigType"))
        return false;
    // All three are read before any is looked up, so a value of the wrong type is reported
    // even when the entry would have been skipped for an unknown name.
    entry.action = member.at("Action").get<std::string>();
    const std::string code = member.at("Code").get<std::string>();
    const std::string trigType = member.at("TrigType").get<std::string>();
    return names.find(code, entry.code) && ParseTrigType(trigType, entry.trigType);
}

void ReadThreshold(const json& root, const char* key, float& threshold)
{
    threshold = ReadNumberOr(root, key, threshold);
}

// Bindings live in a top-level object; a file that is not one, or that binds nothing, leaves
// the game without controls, which must not pass unnoticed.
void ReportEmptyBindings(const json& root, const InputBindingFileData& data, const std::string& path)
{
    if (!root.is_object())
        Log()->error(JsonProblemText(path, "holds no object of input bindings at its top level."));
    if (data.entries.empty())
        Log()->error(JsonProblemText(path, "binds no action; the game has no controls."));
}

InputBindingFileData ReadData(const json& root, const InputCodeNames& names)
{
    InputBindingFileData data;
    if (root.is_object())
    {
        ReadThreshold(root, "JOYSTICK_AXIS_THRESHOLD", data.axisThreshold);
        ReadThreshold(root, "JOYSTICK_TRIGGER_THRESHOLD", data.triggerThreshold);
    }
    if (!root.is_object() && !root.is_array())
        return data;
    for (const json& member : root)
    {
        InputBindingEntry entry;
        if (ReadEntry(member, names, entry))
            data.entries.push_back(entry);
    }
    return data;
}
}

InputBindingFileData InputBindingFile::read(const std::string& path, const InputCodeNames& names)
{
    const std::string text = ReadRequiredFile(path);
    const JsonFileScope scope(path);
    try
    {
        const json root = ParseJsonFile(text, path);
        InputBindingFileData data = ReadData(root, names);
        ReportEmptyBindings(root, data, path);
        return data;
    }
    catch (const JsonFileError& problem)
    {
        Log()->error("Input bindings " + std::string(problem.what()));
        throw;
    }
    catch (const json::exception& problem)
    {
        Log()->error("Input bindings " + path + ": " + problem.what());
        throw;
    }
}
