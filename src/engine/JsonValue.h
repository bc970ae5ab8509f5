#pragma once
// What every loader says of a value or a document of the wrong kind, and the checked reads of
// a string and a boolean that go with the number reader (JsonNumber.h). A value of the wrong
// kind throws JsonFileError, whose one line names the file, the key, what the value holds and
// what was expected: "File: [f] key "Jumping Force": "high" is a string; a number was
// expected." Each loader keeps its own rule for what follows (skip the entry, or stop the load).

#include <nlohmann/json.hpp>

#include <string>

// "a string", "a number", "a boolean", "an array", "an object" or "null".
std::string JsonKindText(const nlohmann::json& value);

// The value as written, cut short when long, so that one line can quote it.
std::string JsonExcerpt(const nlohmann::json& value);

// "File: [f] key "K": <value> is <kind>; <expected> was expected", then "; <outcome>." or,
// without an outcome, ".". Expected reads like "a number", the outcome like "the default stands".
std::string WrongKindText(const nlohmann::json& value, const std::string& key, const std::string& expected,
                          const std::string& file, const std::string& outcome = "");

// Throws JsonFileError carrying the wrong-kind line without an outcome.
[[noreturn]] void ThrowWrongKind(const nlohmann::json& value, const std::string& key, const std::string& expected,
                                 const std::string& file);

// "File: [f] key "K" is missing; <expected> was expected", ended as WrongKindText ends.
std::string MissingKeyText(const std::string& key, const std::string& expected, const std::string& file,
                           const std::string& outcome = "");
[[noreturn]] void ThrowMissingKey(const std::string& key, const std::string& expected, const std::string& file);
// object[key], or the missing-key error naming the innermost JsonFileScope's file.
const nlohmann::json& RequiredKey(const nlohmann::json& object, const std::string& key, const std::string& expected);

// The line for a document or an entry of the wrong shape, for example
// "File: [f] holds an array; an object of package settings was expected; the defaults stand."
// Subject is empty for the whole document, or names the entry ("entry \"Jump\"").
std::string JsonShapeText(const std::string& file, const std::string& subject, const nlohmann::json& value,
                          const std::string& expected, const std::string& outcome);
// How a line names one entry of a document: "entry 3" in a list, "entry "Jump"" in an object.
std::string JsonEntrySubject(const nlohmann::json& document, const std::string& key);
// Throws JsonFileError carrying the wrong-shape line without an outcome.
[[noreturn]] void ThrowWrongShape(const nlohmann::json& value, const std::string& subject, const std::string& expected,
                                  const std::string& file);

// The value as a string or a boolean, or the wrong-kind error naming the innermost
// JsonFileScope's file.
std::string ReadString(const nlohmann::json& value, const std::string& key);
bool ReadBool(const nlohmann::json& value, const std::string& key);
