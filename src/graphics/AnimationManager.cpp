#include "graphics/AnimationManager.h"

#include "engine/JsonFileError.h"
#include "engine/JsonFileScope.h"
#include "engine/JsonNumber.h"
#include "engine/JsonValue.h"
#include "engine/SystemSingleton.h"
#include "engine/TraceLog.h"
#include "graphics/DecodedImage.h"

#include <nlohmann/json.hpp>

#include <fstream>
#include <optional>
#include <sstream>
#include <stdexcept>
#include <type_traits>

namespace
{
AnimationManager* gAnimationManager = nullptr;

using nlohmann::json;

// The keys of the sheet file, spelled once for every reader.
namespace Key
{
constexpr const char* kName = "Name";
constexpr const char* kRows = "Rows";
constexpr const char* kColumns = "Columns";
constexpr const char* kAnimations = "Animations";
constexpr const char* kAnimationSheets = "AnimationSheets";
constexpr const char* kFrameCount = "FrameCount";
constexpr const char* kStartRow = "Start Row";
constexpr const char* kFrameSpeed = "Frame Speed";
constexpr const char* kLooping = "Looping";
}

struct AnimationData
{
    std::string name;
    int32_t frameCount = 1;
    int32_t startRow = 1;
    float frameSpeed = 1.0f;
    bool looping = false;
};

struct SheetData
{
    std::string name;
    std::optional<float> columns;
    std::optional<float> rows;
    std::vector<AnimationData> animations;
};

template <class T>
T ReadOr(const json& object, const char* key, T fallback)
{
    if (!object.contains(key))
        return fallback;
    if constexpr (std::is_same_v<T, bool>)
        return ReadBool(object.at(key), key);
    else
        return ReadNumber(object.at(key), key, fallback);
}

// A grid size out of range reads as 0, which the grid check refuses with the sheet's name.
template <class T>
std::optional<T> ReadOptional(const json& object, const char* key)
{
    return object.contains(key) ? std::optional<T>(ReadNumber(object.at(key), key, T(0))) : std::nullopt;
}

// Sheets and animations are objects with a "Name"; any other entry is skipped with a line
// naming its place in the file.
bool IsNamedObject(const json& element, const std::string& subject)
{
    if (element.is_object() && element.contains(Key::kName))
        return true;
    const std::string& path = JsonFileScope::current();
    Log()->error(element.is_object()
                     ? JsonProblemText(path, subject + " has no \"" + Key::kName + "\"; it is skipped.")
                     : JsonShapeText(path, subject, element, "an object with a \"Name\"", "it is skipped"));
    return false;
}

// The entries of a list. A list of another kind stops the load as it always did, except an
// empty one (null or {}), which holds no entry and goes on with a line.
const json& EntriesOf(const json& list, const char* key, const char* expected)
{
    static const json kNone = json::array();
    if (list.is_array())
        return list;
    if (!list.empty())
        ThrowWrongKind(list, key, expected, JsonFileScope::current());
    Log()->error(WrongKindText(list, key, expected, JsonFileScope::current(), "it holds no entry"));
    return kNone;
}

AnimationData ReadAnimation(const json& object)
{
    AnimationData data;
    data.name = ReadString(object.at(Key::kName), Key::kName);
    data.frameCount = ReadOr<int32_t>(object, Key::kFrameCount, data.frameCount);
    // An animation may repeat its sheet's grid; it must be numeric but the sheet's grid applies.
    ReadOr<float>(object, Key::kRows, 0.0f);
    ReadOr<float>(object, Key::kColumns, 0.0f);
    data.startRow = ReadOr<int32_t>(object, Key::kStartRow, data.startRow);
    data.frameSpeed = ReadOr<float>(object, Key::kFrameSpeed, data.frameSpeed);
    data.looping = ReadOr<bool>(object, Key::kLooping, data.looping);
    return data;
}

SheetData ReadSheet(const json& object)
{
    SheetData data;
    data.name = ReadString(object.at(Key::kName), Key::kName);
    data.columns = ReadOptional<float>(object, Key::kColumns);
    data.rows = ReadOptional<float>(object, Key::kRows);
    if (!object.contains(Key::kAnimations))
        return data;
    const json& animations = EntriesOf(object.at(Key::kAnimations), Key::kAnimations, "a list of animations");
    for (size_t i = 0; i < animations.size(); ++i)
        if (IsNamedObject(animations[i], "sheet \"" + data.name + "\" animation " + std::to_string(i)))
            data.animations.push_back(ReadAnimation(animations[i]));
    return data;
}

// Without its list of sheets the file cannot be used, and the game cannot start.
void RequireSheetList(const json& root)
{
    const std::string key = Key::kAnimationSheets;
    if (!root.is_object())
        ThrowWrongShape(root, "", "an object with \"" + key + "\"", JsonFileScope::current());
    if (!root.contains(key))
        ThrowMissingKey(key, "a list of sheets", JsonFileScope::current());
}

std::vector<SheetData> ReadSheetFile(const json& root)
{
    RequireSheetList(root);
    std::vector<SheetData> result;
    const json& sheets = EntriesOf(root.at(Key::kAnimationSheets), Key::kAnimationSheets, "a list of sheets");
    for (size_t i = 0; i < sheets.size(); ++i)
        if (IsNamedObject(sheets[i], "sheet " + std::to_string(i)))
            result.push_back(ReadSheet(sheets[i]));
    return result;
}

// A grid below one cell would divide by zero in the frame arithmetic, and one wider than the
// largest image has pixels would overflow its whole-cell counts.
bool HasUsableGrid(const SheetData& data, const std::string& path)
{
    constexpr float kMostCells = static_cast<float>(DecodedImage::kMaxSide);
    for (const auto& [key, value] : {std::pair{Key::kColumns, data.columns}, std::pair{Key::kRows, data.rows}})
    {
        if (!value || !(*value >= 1.0f) || *value > kMostCells)
        {
            Log()->error(path + ": sheet \"" + data.name + "\" key \"" + key + "\" is missing or below 1, or above " +
                         std::to_string(DecodedImage::kMaxSide) + "; sheet skipped.");
            return false;
        }
    }
    return true;
}

AnimationSheet* BuildSheet(const SheetData& data, const std::string& path)
{
    auto* sheet = new AnimationSheet(*data.columns, *data.rows);
    for (const AnimationData& animation : data.animations)
    {
        if (animation.frameCount <= 0)
        {
            Log()->error(path + ": sheet \"" + data.name + "\" animation \"" + animation.name +
                         "\" key \"" + Key::kFrameCount + "\" is " + std::to_string(animation.frameCount) +
                         ", must be at least 1; animation skipped.");
            continue;
        }
        sheet->addAnimation(animation.name,
                            {animation.frameCount, animation.startRow, animation.frameSpeed, animation.looping});
    }
    return sheet;
}
}

AnimationManager* AnimationManager::getInstance()
{
    return GetSystemSingleton(gAnimationManager, kName);
}

AnimationManagerNull* AnimationManagerNull::instance()
{
    static AnimationManagerNull null;
    return &null;
}

// Before the real manager has loaded its "Default" sheet, a one-cell sheet without animations
// stands in, so that a missing manager never throws at its callers.
AnimationSheet* AnimationManagerNull::getAnimationSheet(const std::string&)
{
    static AnimationSheet emptySheet(1.0f, 1.0f);
    AnimationManager* real = AnimationManager::getInstance();
    return real->hasAnimationSheet(kDefaultSheet) ? real->getAnimationSheet(kDefaultSheet) : &emptySheet;
}

AnimationManager::~AnimationManager()
{
    clearSheets();
}

void AnimationManager::initialize()
{
    loadAnimationSheets(kSheetFile);
}

void AnimationManager::update() {}

void AnimationManager::render() {}

void AnimationManager::shutdown()
{
    clearSheets();
}

void AnimationManager::clearSheets()
{
    for (auto& [name, sheet] : sheets)
        delete sheet;
    sheets.clear();
}

AnimationSheet* AnimationManager::getAnimationSheet(const std::string& name)
{
    auto found = sheets.find(name);
    if (found == sheets.end())
        found = sheets.find(kDefaultSheet);
    if (found == sheets.end())
        throw std::out_of_range("invalid map<K, T> key");
    return found->second;
}

std::vector<std::string> AnimationManager::getSheetNames() const
{
    std::vector<std::string> names;
    for (const auto& [name, sheet] : sheets)
        names.push_back(name);
    return names;
}

void AnimationManager::loadAnimationSheets(const std::string& path)
{
    const JsonFileScope scope(path);
    std::ifstream file(path);
    if (!file)
    {
        const std::string text = "File: [" + path + "] not found.";
        Log()->error(text);
        throw std::invalid_argument(text);
    }

    std::stringstream text;
    text << file.rdbuf();
    std::vector<SheetData> parsed;
    try
    {
        parsed = ReadSheetFile(ParseJsonFile(text.str(), path));
    }
    catch (const JsonFileError& error)
    {
        Log()->error(error.what());
        throw;
    }

    for (const SheetData& data : parsed)
    {
        if (sheets.count(data.name) || !HasUsableGrid(data, path))
            continue;
        sheets[data.name] = BuildSheet(data, path);
    }
}
