#pragma once
// The one checked read of a number from a data file, used by every loader. A number is
// checked against the field it fills before it is converted: one outside the field's range
// (1e308 into a whole number, or into a float) has no value there at all, so it is refused
// with one line naming the file and the key, and the field keeps its default. A missing key
// keeps the default silently. A value that is not a number throws JsonFileError naming the
// file, the key, what it holds and that a number was expected (JsonValue.h), so each loader
// keeps its own rule for values of the wrong kind; a boolean reads as 0 or 1, and a fraction is
// cut toward zero for a whole-number field.
//
// Instantiated for int32_t, uint32_t, int64_t, uint64_t, float and double.

#include "engine/JsonFileScope.h"

#include <nlohmann/json.hpp>

#include <optional>
#include <string>

// The value as a T, or nothing when it lies outside T's range.
template <class T>
std::optional<T> FitNumber(const nlohmann::json& value);

// The value as a T; of the wrong kind: the wrong-kind error; out of range: the line "File: [file] key "key": <value> is out of range;
// the default stands." on the trace log's error output, and the fallback.
template <class T>
T ReadNumber(const nlohmann::json& value, const std::string& key, T fallback, const std::string& file);

template <class T>
T ReadNumberOr(const nlohmann::json& object, const std::string& key, T fallback, const std::string& file)
{
    const auto found = object.find(key);
    return found == object.end() ? fallback : ReadNumber<T>(*found, key, fallback, file);
}

// The same, naming the file of the innermost JsonFileScope.
template <class T>
T ReadNumber(const nlohmann::json& value, const std::string& key, T fallback)
{
    return ReadNumber<T>(value, key, fallback, JsonFileScope::current());
}

template <class T>
T ReadNumberOr(const nlohmann::json& object, const std::string& key, T fallback)
{
    return ReadNumberOr<T>(object, key, fallback, JsonFileScope::current());
}
