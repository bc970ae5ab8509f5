#include "engine/JsonFileError.h"

namespace
{
using nlohmann::json;

bool OpensContainer(json::parse_event_t event)
{
    return event == json::parse_event_t::object_start || event == json::parse_event_t::array_start;
}

// Thrown from inside the parser's callback and turned into a JsonFileError by the caller.
struct TooDeep
{
};
}

JsonFileError::JsonFileError(const std::string& path, const std::string& problem)
    : std::runtime_error(JsonProblemText(path, problem))
{
}

std::string JsonProblemText(const std::string& path, const std::string& problem)
{
    return "File: [" + path + "] " + problem;
}

std::string JsonFailureText(const std::string& path, const std::exception& error)
{
    if (dynamic_cast<const JsonFileError*>(&error))
        return error.what();
    return JsonProblemText(path, error.what());
}

json ParseJsonFile(const std::string& text, const std::string& path)
{
    // The depth handed to the callback counts the containers already open around the event.
    const json::parser_callback_t refuseDeep = [](int depth, json::parse_event_t event, json&) {
        if (OpensContainer(event) && depth >= kMaxJsonDepth)
            throw TooDeep{};
        return true;
    };
    try
    {
        return json::parse(text, refuseDeep);
    }
    catch (const TooDeep&)
    {
        throw JsonFileError(path, "nests deeper than " + std::to_string(kMaxJsonDepth) + " levels.");
    }
    catch (const json::exception& error)
    {
        throw JsonFileError(path, error.what());
    }
}
