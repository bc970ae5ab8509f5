#include "engine/Subject.h"

#include "support/TestSupport.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <utility>
#include <vector>

namespace
{
struct RecordingObserver : Observer
{
    RecordingObserver(std::string name, std::vector<std::string>& journal) : name(std::move(name)), journal(journal) {}
    void onNotify(void* payload, int32_t eventId) override
    {
        journal.push_back(name + ":" + std::to_string(eventId));
        lastPayload = payload;
        if (duringNotify)
            duringNotify();
    }
    std::string name;
    std::vector<std::string>& journal;
    void* lastPayload = nullptr;
    std::function<void()> duringNotify;
};

const std::string kData = "../tests/data/engine/";
}

class SubjectTest : public testing::Test
{
protected:
    Subject subject;
    std::vector<std::string> journal;
    RecordingObserver zeta{"zeta", journal};
    RecordingObserver alpha{"alpha", journal};
};

TEST_F(SubjectTest, EventTableKeepsTheFileSpelling)
{
    EXPECT_EQ(subject.getEventId("CREATE"), 0);
    EXPECT_EQ(subject.getEventId("WINFIRSTOCCURRANCE"), 2);
    EXPECT_EQ(subject.getEventId("WINFIRSTOCCURRENCE"), -1);
    EXPECT_EQ(subject.getEventId("DISABLEPACKAGE"), 5);
    EXPECT_EQ(SubjectNull::instance()->getEventId("CREATE"), -1);
}

TEST_F(SubjectTest, DeliversInNameOrderOnlyWhileSwitchedOn)
{
    test::ConsoleCapture console;
    subject.addObserver("zeta", &zeta);
    subject.addObserver("alpha", &alpha);
    subject.addObserver("alpha", &zeta);
    EXPECT_EQ(console.out(), "zeta added to observer list\nalpha added to observer list\nalpha added to observer list\n");

    int payload = 7;
    subject.setEventActive(EVENT_CREATE, true);
    subject.notify(EVENT_CREATE, &payload);
    EXPECT_EQ(journal, (std::vector<std::string>{"alpha:0", "zeta:0"}));
    EXPECT_EQ(alpha.lastPayload, &payload);

    journal.clear();
    subject.setEventActive(EVENT_CREATE, false);
    subject.notify(EVENT_CREATE, nullptr);
    EXPECT_TRUE(journal.empty());

    // An event without a switch is entered as disabled, without the "not found" error.
    test::ConsoleCapture second;
    subject.notify(EVENT_RESETWIN, nullptr);
    EXPECT_FALSE(subject.isEventActive(EVENT_RESETWIN));
    EXPECT_TRUE(journal.empty());
    EXPECT_EQ(second.err(), "");

    test::ConsoleCapture third;
    EXPECT_FALSE(subject.isEventActive(EVENT_WIN));
    EXPECT_NE(third.err().find("ERROR! : Event not found"), std::string::npos);
}

TEST_F(SubjectTest, ObserversThatChangeTheListDuringDeliveryAreSafe)
{
    test::ConsoleCapture console;
    subject.addObserver("alpha", &alpha);
    subject.addObserver("zeta", &zeta);
    alpha.duringNotify = [this] {
        subject.removeObserver("zeta");
        subject.removeObserver("alpha");
        subject.addObserver("beta", &alpha);
    };
    subject.setEventActive(EVENT_WIN, true);
    subject.notify(EVENT_WIN, nullptr);
    EXPECT_EQ(journal, (std::vector<std::string>{"alpha:1", "zeta:1"}));
    EXPECT_EQ(subject.getObservers().size(), 1u);
}

TEST_F(SubjectTest, TimedCallbacksRunTheirCountAndSecondsCountSixtyEach)
{
    int updates = 0;
    int renders = 0;
    int once = 0;
    subject.addTimedCallback([&] { ++updates; }, "update", 2, "seconds");
    subject.addTimedCallback([&] { ++renders; }, "render", 3, "frames");
    subject.addTimedCallback([&] { ++once; }, "update", 0, "frames");
    subject.addTimedCallback([&] { ++once; }, "elsewhere", 5, "frames");
    for (int call = 0; call < 200; ++call)
    {
        subject.update();
        subject.render();
    }
    EXPECT_EQ(updates, 120);
    EXPECT_EQ(renders, 3);
    EXPECT_EQ(once, 1);
    EXPECT_EQ(subject.getTimedCallbackCount("update"), 0u);
}

TEST_F(SubjectTest, AnEmptyTimedCallbackIsRefused)
{
    test::ConsoleCapture console;
    subject.addTimedCallback(nullptr, "update", 3, "frames");
    EXPECT_EQ(subject.getTimedCallbackCount("update"), 0u);
    EXPECT_NO_THROW(subject.update());
    EXPECT_NE(console.err().find("ERROR! :"), std::string::npos);
}

TEST_F(SubjectTest, ResetEventsEnablesEverySwitchAndDropsCallbacks)
{
    subject.setEventActive(EVENT_WIN, false);
    subject.addTimedCallback([] {}, "render", 5, "frames");
    subject.resetEvents();
    EXPECT_TRUE(subject.isEventActive(EVENT_WIN));
    EXPECT_EQ(subject.getTimedCallbackCount("render"), 0u);
}

TEST_F(SubjectTest, EventFileSetsSwitchesInOrderNotActiveLast)
{
    test::ConsoleCapture console;
    subject.loadEventFile(kData + "events_mixed");
    EXPECT_EQ(console.out(), "Active\nCREATE\nWIN\nWin\nAfter Active\nNotActive\nWIN\nDISABLEPACKAGE\nAfter NotActive\n");
    EXPECT_TRUE(subject.isEventActive(EVENT_CREATE));
    EXPECT_FALSE(subject.isEventActive(EVENT_WIN));
    EXPECT_FALSE(subject.isEventActive(EVENT_DISABLEPACKAGE));
    EXPECT_TRUE(subject.isEventActive(EVENT_UNKNOWN));
}

TEST_F(SubjectTest, BrokenOrMissingEventFilesLeaveNoSwitches)
{
    for (const char* name : {"events_broken", "events_wrongtype", "no_such_file"})
    {
        SCOPED_TRACE(name);
        Subject fresh;
        test::ConsoleCapture console;
        EXPECT_NO_THROW(fresh.loadEventFile(kData + name));
        EXPECT_NE(console.err().find("ERROR! :"), std::string::npos);
        test::ConsoleCapture quiet;
        EXPECT_FALSE(fresh.isEventActive(EVENT_CREATE));
    }
}

// The loader's own path prefix is kept, so the scratch file is named relative to it. A file of
// the wrong shape gets one line saying what it holds.
TEST_F(SubjectTest, MissingDeepAndHugeEventFilesAreReportedWithTheirPath)
{
    const std::string folder = test::ScratchFolder("events");
    const std::string deep = std::string(100000, '[') + std::string(100000, ']');
    test::WriteText(folder + "/deep.json", R"({"Active": )" + deep + "}");
    test::WriteText(folder + "/huge.json", R"({"Active": ["WIN"], "NotActive": [], "x": 1e400})");
    test::WriteText(folder + "/array.json", R"(["WIN"])");
    test::WriteText(folder + "/list.json", R"({"Active": "WIN"})");
    test::WriteText(folder + "/name.json", R"({"Active": ["WIN"], "NotActive": ["CREATE", 4]})");
    const std::string relative = std::filesystem::relative(folder, "assets").generic_string() + "/";
    const std::vector<std::pair<std::string, std::string>> files = {
        {"deep", ""}, {"huge", ""}, {"missing", ""},
        {"array", "holds an array; an object of event lists was expected; no event is switched."},
        {"list", R"(key "Active": "WIN" is a string; a list of event names was expected; no event is switched.)"},
        {"name", R"(key "NotActive": 4 is a number; an event name was expected; no event is switched.)"}};
    for (const auto& [name, line] : files)
    {
        Subject fresh;
        test::ConsoleCapture console;
        EXPECT_NO_THROW(fresh.loadEventFile(relative + name));
        const std::string err = console.err();
        EXPECT_NE(err.find("assets/" + relative + name + ".json] " + line), std::string::npos) << err;
        test::ConsoleCapture quiet;
        EXPECT_FALSE(fresh.isEventActive(EVENT_WIN));
    }
}

TEST_F(SubjectTest, TheShippedFileSwitchesOnAllSixEvents)
{
    test::ConsoleCapture console;
    subject.loadEventFile("default");
    for (int32_t id = EVENT_CREATE; id <= EVENT_DISABLEPACKAGE; ++id)
        EXPECT_TRUE(subject.isEventActive(id)) << id;
}
