#pragma once
// The event hub. Systems with an Observer base register here by name when their singleton is
// created; an event reaches every observer, in name order, while its switch is on. The start-up
// switches come from the event switch file "assets/<name>.json" ("Active" / "NotActive").
// The hub also runs callbacks on each update or render for a number of calls.

#include "engine/EventId.h"
#include "engine/IEngineSystem.h"
#include "engine/Observer.h"

#include <cstdint>
#include <functional>
#include <list>
#include <map>
#include <string>
#include <vector>

struct TimedCallback
{
    int32_t remaining = 0;
    std::function<void()> callback;
};

class Subject : public IEngineSystem
{
public:
    static constexpr const char* kName = "Subject";
    static Subject* getInstance();

    void initialize() override;
    void update() override;
    void render() override;
    void shutdown() override;

    virtual void addObserver(const std::string& name, Observer* observer);
    virtual void removeObserver(const std::string& name);
    virtual void notify(int32_t eventId, void* payload);
    virtual void setEventActive(int32_t eventId, bool enabled);
    virtual bool isEventActive(int32_t eventId);
    virtual void resetEvents();
    virtual void addTimedCallback(std::function<void()> callback, const std::string& phase,
                                  uint32_t count, const std::string& unit);
    virtual void loadEventFile(const std::string& name);
    virtual int32_t getEventId(const std::string& name) const;

    const std::map<std::string, Observer*>& getObservers() const { return observers; }
    size_t getTimedCallbackCount(const std::string& phase) const;

protected:
    static void RunTimedCallbacks(std::list<TimedCallback>& callbacks);
    void applySwitchList(const std::vector<std::string>& names, const char* listName, bool enabled);

private:
    std::map<std::string, Observer*> observers;
    std::map<int32_t, bool> eventSwitches;
    std::list<TimedCallback> updateCallbacks;
    std::list<TimedCallback> renderCallbacks;
};

// Keeps Subject's switch and timed-callback bookkeeping on its own fields; sends nothing.
class SubjectNull : public Subject
{
public:
    static SubjectNull* instance();
    void initialize() override {}
    void update() override {}
    void render() override {}
    void shutdown() override {}
    bool isNull() const override { return true; }
    void addObserver(const std::string&, Observer*) override {}
    void removeObserver(const std::string&) override {}
    void notify(int32_t, void*) override {}
    void loadEventFile(const std::string&) override {}
    int32_t getEventId(const std::string&) const override { return EVENT_UNKNOWN; }
};
