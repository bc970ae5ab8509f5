#include "input/InputBindingFile.h"

#include "engine/FileHelpers.h"
#include "engine/JsonFileError.h"
#include "engine/JsonFileScope.h"
#include "engine/JsonNumber.h"
#include "engine/JsonValue.h"
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

constexpr const char* kBindingKeys[] = {"Action", "Code", "TrigType"};

// The binding keys an object lacks, as "\"Code\" and \"TrigType\"", or nothing.
std::string MissingKeys(const json& member)
{
    std::string missing;
    for (const char* key : kBindingKeys)
        if (!member.contains(key))
            missing += std::string(missing.empty() ? "" : " and ") + "\"" + key + "\"";
    return missing;
}

// Members that are not objects are skipped without a word: the file carries the two
// thresholds and may carry notes beside the bindings. Every object is a binding, so one that
// lacks a binding key is broken and is skipped with a line. A binding whose code or trigger
// type is not a known name is skipped without a word.
bool ReadEntry(const std::string& member, const json& value, const InputCodeNames& names, InputBindingEntry& entry)
{
    if (!value.is_object())
        return false;
    const std::string missing = MissingKeys(value);
    if (!missing.empty())
    {
        Log()->error(JsonProblemText(JsonFileScope::current(),
                                     "binding \"" + member + "\" has no " + missing + "; it is skipped."));
        return false;
    }
    // All three are read before any is looked up, so a value of the wrong kind is reported
    // even when the entry would have been skipped for an unknown name.
    entry.action = ReadString(value.at("Action"), "Action");
    const std::string code = ReadString(value.at("Code"), "Code");
    const std::string trigType = ReadString(value.at("TrigType"), "TrigType");
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
    for (const auto& member : root.items())
    {
        InputBindingEntry entry;
        if (ReadEntry(member.key(), member.value(), names, entry))
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
}
