#include "engine/Subject.h"

#include "engine/Engine.h"
#include "engine/JsonFileError.h"
#include "engine/JsonValue.h"
#include "engine/SystemSingleton.h"
#include "engine/TraceLog.h"

#include <nlohmann/json.hpp>

#include <fstream>
#include <iostream>
#include <optional>
#include <sstream>
#include <utility>

namespace
{
Subject* gSubject = nullptr;

struct EventSwitchFile
{
    std::vector<std::string> active;
    std::vector<std::string> notActive;
};

// The switches are set from the whole file or not at all.
constexpr const char* kNothingSwitched = "no event is switched";

// The names of one list (none when it is absent), or nothing when the list or a name in it is
// of the wrong kind, which is then reported.
std::optional<std::vector<std::string>> ReadNameList(const nlohmann::json& file, const char* listName,
                                                     const std::string& path)
{
    const auto list = file.find(listName);
    if (list == file.end())
        return std::vector<std::string>();
    if (!list->is_array())
    {
        Log()->error(WrongKindText(*list, listName, "a list of event names", path, kNothingSwitched));
        return std::nullopt;
    }
    std::vector<std::string> names;
    for (const nlohmann::json& name : *list)
    {
        if (!name.is_string())
        {
            Log()->error(WrongKindText(name, listName, "an event name", path, kNothingSwitched));
            return std::nullopt;
        }
        names.push_back(name.get<std::string>());
    }
    return names;
}

// The two lists, or nothing when the file is of the wrong shape, which is then reported in one
// line. Malformed JSON throws.
std::optional<EventSwitchFile> ParseEventSwitchFile(const std::string& text, const std::string& path)
{
    const nlohmann::json file = ParseJsonFile(text, path);
    if (!file.is_object())
    {
        Log()->error(JsonShapeText(path, "", file, "an object of event lists", kNothingSwitched));
        return std::nullopt;
    }
    std::optional<std::vector<std::string>> active = ReadNameList(file, "Active", path);
    std::optional<std::vector<std::string>> notActive;
    if (active)
        notActive = ReadNameList(file, "NotActive", path);
    if (!notActive)
        return std::nullopt;
    return EventSwitchFile{std::move(*active), std::move(*notActive)};
}
}

void RegisterObserver(const std::string& observerName, Observer* observer)
{
    Engine::getSystem<Subject>(Subject::kName, SubjectNull::instance())->addObserver(observerName, observer);
}

Subject* Subject::getInstance()
{
    return GetSystemSingleton(gSubject, kName);
}

SubjectNull* SubjectNull::instance()
{
    static SubjectNull null;
    return &null;
}

void Subject::initialize()
{
    Log()->message(kName, "initialize");
    loadEventFile("default");
}

void Subject::update()
{
    RunTimedCallbacks(updateCallbacks);
}

void Subject::render()
{
    RunTimedCallbacks(renderCallbacks);
}

void Subject::shutdown()
{
    observers.clear();
    resetEvents();
    Log()->message(kName, "shutdown");
}

void Subject::addObserver(const std::string& name, Observer* observer)
{
    observers.emplace(name, observer);
    std::cout << name << " added to observer list" << std::endl;
}

void Subject::removeObserver(const std::string& name)
{
    observers.erase(name);
}

// Delivers over a snapshot, so an observer that registers or removes observers while it is
// being notified cannot invalidate the walk.
void Subject::notify(int32_t eventId, void* payload)
{
    auto found = eventSwitches.emplace(eventId, false).first;
    if (!found->second)
        return;
    const std::map<std::string, Observer*> snapshot = observers;
    for (const auto& [name, observer] : snapshot)
        observer->onNotify(payload, eventId);
}

void Subject::setEventActive(int32_t eventId, bool enabled)
{
    eventSwitches[eventId] = enabled;
}

bool Subject::isEventActive(int32_t eventId)
{
    auto found = eventSwitches.find(eventId);
    if (found == eventSwitches.end())
    {
        Log()->error("Event not found");
        return false;
    }
    return found->second;
}

void Subject::resetEvents()
{
    for (auto& entry : eventSwitches)
        entry.second = true;
    updateCallbacks.clear();
    renderCallbacks.clear();
}

void Subject::addTimedCallback(std::function<void()> callback, const std::string& phase,
                               uint32_t count, const std::string& unit)
{
    if (!callback)
    {
        Log()->error("Timed callback without a function refused");
        return;
    }
    const int32_t calls = static_cast<int32_t>(unit == "seconds" ? count * 60 : count);
    if (phase == "update")
        updateCallbacks.push_back({calls, std::move(callback)});
    else if (phase == "render")
        renderCallbacks.push_back({calls, std::move(callback)});
}

size_t Subject::getTimedCallbackCount(const std::string& phase) const
{
    return phase == "update" ? updateCallbacks.size() : renderCallbacks.size();
}

void Subject::RunTimedCallbacks(std::list<TimedCallback>& callbacks)
{
    for (auto entry = callbacks.begin(); entry != callbacks.end();)
    {
        entry->callback();
        if (--entry->remaining < 1)
            entry = callbacks.erase(entry);
        else
            ++entry;
    }
}

// A file that cannot be parsed, or is of the wrong shape, is reported and leaves every switch
// unset, so start-up goes on as if the file were absent.
void Subject::loadEventFile(const std::string& name)
{
    const std::string path = "assets/" + name + ".json";
    std::ifstream in(path);
    if (!in)
    {
        Log()->error("EVENT FILE NOT OPENED");
        Log()->error(JsonProblemText(path, "could not be opened; no event is switched."));
        return;
    }
    std::stringstream text;
    text << in.rdbuf();
    std::optional<EventSwitchFile> file;
    try
    {
        file = ParseEventSwitchFile(text.str(), path);
    }
    catch (const std::exception& problem)
    {
        Log()->error("Event file " + path + " is corrupted: " + problem.what());
        return;
    }
    if (!file)
        return;
    applySwitchList(file->active, "Active", true);
    applySwitchList(file->notActive, "NotActive", false);
}

void Subject::applySwitchList(const std::vector<std::string>& names, const char* listName, bool enabled)
{
    std::cout << listName << std::endl;
    for (const std::string& eventName : names)
    {
        std::cout << eventName << std::endl;
        setEventActive(getEventId(eventName), enabled);
    }
    std::cout << "After " << listName << std::endl;
}

int32_t Subject::getEventId(const std::string& name) const
{
    static const std::map<std::string, int32_t> kEvents = {
        {"CREATE", EVENT_CREATE},
        {"WIN", EVENT_WIN},
        {"WINFIRSTOCCURRANCE", EVENT_WINFIRSTOCCURRANCE},
        {"RESETWIN", EVENT_RESETWIN},
        {"ENABLEPACKAGE", EVENT_ENABLEPACKAGE},
        {"DISABLEPACKAGE", EVENT_DISABLEPACKAGE},
    };
    auto found = kEvents.find(name);
    return found == kEvents.end() ? EVENT_UNKNOWN : found->second;
}
