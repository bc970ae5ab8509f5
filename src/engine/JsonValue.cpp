#include "engine/JsonValue.h"

#include "engine/JsonFileError.h"
#include "engine/JsonFileScope.h"

using nlohmann::json;

namespace
{
// Long enough to recognise the value, short enough to keep the line on one screen.
constexpr size_t kExcerptLength = 40;

bool IsUtf8Continuation(char c)
{
    return (static_cast<unsigned char>(c) & 0xC0) == 0x80;
}

std::string Ending(const std::string& outcome)
{
    return outcome.empty() ? "." : "; " + outcome + ".";
}

// Null is named once: "key "K" is null", not "key "K": null is null".
std::string WrongKindProblem(const json& value, const std::string& key, const std::string& expected,
                             const std::string& outcome)
{
    const std::string holds = value.is_null() ? "\" is null" : "\": " + JsonExcerpt(value) + " is " + JsonKindText(value);
    return "key \"" + key + holds + "; " + expected + " was expected" + Ending(outcome);
}

std::string MissingKeyProblem(const std::string& key, const std::string& expected, const std::string& outcome)
{
    return "key \"" + key + "\" is missing; " + expected + " was expected" + Ending(outcome);
}

std::string ShapeProblem(const std::string& subject, const json& value, const std::string& expected,
                         const std::string& outcome)
{
    const std::string holder = subject.empty() ? "" : subject + " ";
    return holder + "holds " + JsonKindText(value) + "; " + expected + " was expected" + Ending(outcome);
}
}

std::string JsonKindText(const json& value)
{
    switch (value.type())
    {
    case json::value_t::string: return "a string";
    case json::value_t::boolean: return "a boolean";
    case json::value_t::array: return "an array";
    case json::value_t::object: return "an object";
    case json::value_t::null: return "null";
    default: return "a number";
    }
}

std::string JsonExcerpt(const json& value)
{
    std::string text = value.dump(-1, ' ', false, json::error_handler_t::replace);
    if (text.size() <= kExcerptLength)
        return text;
    size_t length = kExcerptLength;
    // Never cut a character in half: the line is UTF-8 like the file.
    while (length > 0 && IsUtf8Continuation(text[length]))
        --length;
    return text.substr(0, length) + "...";
}

std::string WrongKindText(const json& value, const std::string& key, const std::string& expected,
                          const std::string& file, const std::string& outcome)
{
    return JsonProblemText(file, WrongKindProblem(value, key, expected, outcome));
}

void ThrowWrongKind(const json& value, const std::string& key, const std::string& expected, const std::string& file)
{
    throw JsonFileError(file, WrongKindProblem(value, key, expected, ""));
}

std::string MissingKeyText(const std::string& key, const std::string& expected, const std::string& file,
                           const std::string& outcome)
{
    return JsonProblemText(file, MissingKeyProblem(key, expected, outcome));
}

void ThrowMissingKey(const std::string& key, const std::string& expected, const std::string& file)
{
    throw JsonFileError(file, MissingKeyProblem(key, expected, ""));
}

const json& RequiredKey(const json& object, const std::string& key, const std::string& expected)
{
    const auto found = object.find(key);
    if (found == object.end())
        ThrowMissingKey(key, expected, JsonFileScope::current());
    return *found;
}

std::string JsonShapeText(const std::string& file, const std::string& subject, const json& value,
                          const std::string& expected, const std::string& outcome)
{
    return JsonProblemText(file, ShapeProblem(subject, value, expected, outcome));
}

std::string JsonEntrySubject(const json& document, const std::string& key)
{
    return document.is_array() ? "entry " + key : "entry \"" + key + "\"";
}

void ThrowWrongShape(const json& value, const std::string& subject, const std::string& expected,
                     const std::string& file)
{
    throw JsonFileError(file, ShapeProblem(subject, value, expected, ""));
}

std::string ReadString(const json& value, const std::string& key)
{
    if (!value.is_string())
        ThrowWrongKind(value, key, "a string", JsonFileScope::current());
    return value.get<std::string>();
}

bool ReadBool(const json& value, const std::string& key)
{
    if (!value.is_boolean())
        ThrowWrongKind(value, key, "true or false", JsonFileScope::current());
    return value.get<bool>();
}
