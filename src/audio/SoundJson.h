#pragma once
// Reading and writing helpers shared by the sound files: keyed values with defaults (a value
// of the wrong type is logged with its file and key and replaced by the default), the loop
// count's file form.

#include <nlohmann/json.hpp>

#include <cstdint>
#include <string>

namespace SoundJson
{
float ReadNumber(const nlohmann::json& object, const char* key, float fallback,
                 const std::string& file);
int32_t ReadInteger(const nlohmann::json& object, const char* key, int32_t fallback,
                    const std::string& file);
bool ReadBool(const nlohmann::json& object, const char* key, bool fallback,
              const std::string& file);
std::string ReadString(const nlohmann::json& object, const char* key, const std::string& fallback,
                       const std::string& file);
// "Looping": 1 (or true) means endless, any other integer is the loop count itself.
int32_t ReadLoopCount(const nlohmann::json& object, const std::string& file);
int32_t LoopCountToFile(int32_t loopCount);
// Parses a whole required file; an unreadable file logs "File: [path] not found." and
// throws std::invalid_argument, malformed or too deeply nested JSON throws JsonFileError naming
// the file.
nlohmann::json ParseRequiredFile(const std::string& path);
}
