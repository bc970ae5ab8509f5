#include "audio/SoundJson.h"

#include "engine/FileHelpers.h"
#include "engine/JsonFileError.h"
#include "engine/JsonNumber.h"
#include "engine/JsonValue.h"
#include "engine/TraceLog.h"

#include <cstdint>
#include <cstdio>
#include <fstream>
#include <stdexcept>

namespace SoundJson
{
namespace
{
// The sound files go on past a value of the wrong kind, with the key's default.
void LogBadValue(const nlohmann::json& value, const std::string& file, const char* key, const char* expected)
{
    Log()->error(WrongKindText(value, key, expected, file, "the default stands"));
}
}

float ReadNumber(const nlohmann::json& object, const char* key, float fallback,
                 const std::string& file)
{
    auto it = object.find(key);
    if (it == object.end())
        return fallback;
    if (!it->is_number())
    {
        LogBadValue(*it, file, key, "a number");
        return fallback;
    }
    return ::ReadNumber(*it, key, fallback, file);
}

int32_t ReadInteger(const nlohmann::json& object, const char* key, int32_t fallback,
                    const std::string& file)
{
    auto it = object.find(key);
    if (it == object.end())
        return fallback;
    if (it->is_boolean())
        return it->get<bool>() ? 1 : 0;
    if (!it->is_number())
    {
        LogBadValue(*it, file, key, "an integer");
        return fallback;
    }
    // Hand-edited files may write 2.0 for 2; it is cut to a whole number.
    return ::ReadNumber(*it, key, fallback, file);
}

bool ReadBool(const nlohmann::json& object, const char* key, bool fallback,
              const std::string& file)
{
    auto it = object.find(key);
    if (it == object.end())
        return fallback;
    if (!it->is_boolean())
    {
        LogBadValue(*it, file, key, "true or false");
        return fallback;
    }
    return it->get<bool>();
}

std::string ReadString(const nlohmann::json& object, const char* key, const std::string& fallback,
                       const std::string& file)
{
    auto it = object.find(key);
    if (it == object.end())
        return fallback;
    if (!it->is_string())
    {
        LogBadValue(*it, file, key, "a string");
        return fallback;
    }
    return it->get<std::string>();
}

int32_t ReadLoopCount(const nlohmann::json& object, const std::string& file)
{
    const int32_t looping = ReadInteger(object, "Looping", 0, file);
    return looping == 1 ? -1 : looping;
}

int32_t LoopCountToFile(int32_t loopCount)
{
    return loopCount < 0 ? 1 : loopCount;
}

nlohmann::json ParseRequiredFile(const std::string& path)
{
    const std::string content = ReadRequiredFile(path);
    try
    {
        return ParseJsonFile(content, path);
    }
    catch (const JsonFileError& error)
    {
        Log()->error(error.what());
        throw;
    }
}
}
