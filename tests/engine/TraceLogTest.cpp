#include "engine/TraceLog.h"

#include "engine/Engine.h"
#include "engine/Subject.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <functional>

#include <sys/stat.h>

namespace
{
// Sets an environment variable for one scope, restoring the old value after.
class ScopedEnv
{
public:
    ScopedEnv(const char* name, const char* value) : name(name)
    {
        const char* old = std::getenv(name);
        hadOld = old != nullptr;
        if (hadOld)
            oldValue = old;
        if (value)
            setenv(name, value, 1);
        else
            unsetenv(name);
    }
    ~ScopedEnv()
    {
        if (hadOld)
            setenv(name, oldValue.c_str(), 1);
        else
            unsetenv(name);
    }

private:
    const char* name;
    bool hadOld = false;
    std::string oldValue;
};
}

TEST(TraceLog, BannerLinesAndEndLine)
{
    const std::string base = test::ScratchFolder("TraceLogBanner");
    TraceLog log;
    log.startAt(base);
    test::ConsoleCapture console;
    log.message("Subject", "initialize");
    log.error("Something broke");
    log.shutdown();

    EXPECT_EQ(console.out(), "Subject : initialize\n");
    EXPECT_EQ(console.err(), "ERROR! : Something broke\n");
    EXPECT_EQ(test::ReadText(base + "/Wendlebox/TraceLog.txt"),
              "Team: Velmora\nProject: Wendlebox\nVersion 1.2.4 - Week 9\n\nThornquell Approved :]\n"
              "Trace Log Start\nSubject : initialize\nERROR! : Something broke\nTrace Log End\n");
}

TEST(TraceLog, DataFolderFallsBackFromAppDataToXdgToHome)
{
    ScopedEnv appData("APPDATA", "/tmp/app");
    ScopedEnv xdg("XDG_DATA_HOME", "/tmp/xdg");
    ScopedEnv home("HOME", "/tmp/home");
    EXPECT_EQ(TraceLog::DataFolder(), "/tmp/app");
    {
        ScopedEnv noAppData("APPDATA", nullptr);
        EXPECT_EQ(TraceLog::DataFolder(), "/tmp/xdg");
        ScopedEnv noXdg("XDG_DATA_HOME", nullptr);
        EXPECT_EQ(TraceLog::DataFolder(), "/tmp/home/.local/share");
        ScopedEnv noHome("HOME", nullptr);
        EXPECT_EQ(TraceLog::DataFolder(), "");
    }
}

TEST(TraceLog, WithoutAFolderLinesGoToTheConsoleOnly)
{
    TraceLog log;
    test::ConsoleCapture console;
    log.message("Early", "line");
    log.error("early error");
    EXPECT_EQ(console.out(), "Early : line\n");
    EXPECT_EQ(console.err(), "ERROR! : early error\n");
    EXPECT_FALSE(std::filesystem::exists("/TraceLog.txt"));

    test::ConsoleCapture nullConsole;
    TraceLogNull::instance()->message("Null", "still echoed");
    EXPECT_EQ(nullConsole.out(), "Null : still echoed\n");
}

TEST(TraceLog, AnUncreatableFolderStillEchoesAndDoesNotThrow)
{
    const std::string base = test::ScratchFolder("TraceLogBlocked");
    test::WriteText(base + "/file", "not a folder");
    TraceLog log;
    test::ConsoleCapture console;
    EXPECT_NO_THROW(log.startAt(base + "/file"));
    EXPECT_TRUE(log.getFolder().empty());
    log.message("Still", "here");
    EXPECT_NE(console.out().find("Still : here"), std::string::npos);
    EXPECT_NE(console.err().find("could not be created"), std::string::npos);
}

// The event hub starts before the log: its lines, and the path of a missing event file,
// still reach the file, after the banner.
TEST(TraceLog, LinesBeforeTheStartAreWrittenAfterTheBanner)
{
    const std::string base = test::ScratchFolder("TraceLogEarly");
    Engine engine{"T", 800, 600, 10000};
    engine.makeCurrent();
    TraceLog log;
    log.setName(TraceLog::kName);
    engine.registerSystem(&log);
    Subject subject;
    test::ConsoleCapture console;
    Log()->message(Subject::kName, "initialize");
    subject.loadEventFile("no_such_events");
    log.startAt(base);
    log.message("After", "start");
    EXPECT_EQ(test::ReadText(base + "/Wendlebox/TraceLog.txt"),
              "Team: Velmora\nProject: Wendlebox\nVersion 1.2.4 - Week 9\n\nThornquell Approved :]\n"
              "Trace Log Start\nSubject : initialize\nERROR! : EVENT FILE NOT OPENED\n"
              "ERROR! : File: [assets/no_such_events.json] could not be opened; no event is switched.\n"
              "After : start\n");
}

TEST(TraceLog, AnUnwritableLogSaysSoOnceOnStandardError)
{
    {
        ScopedEnv appData("APPDATA", nullptr);
        ScopedEnv xdg("XDG_DATA_HOME", nullptr);
        ScopedEnv home("HOME", nullptr);
        TraceLog log;
        test::ConsoleCapture console;
        log.initialize();
        log.error("one");
        log.error("two");
        EXPECT_EQ(test::CountOccurrences(console.err(), "APPDATA, XDG_DATA_HOME and HOME are all unset"), 1)
            << console.err();
    }
    // A folder in the log's place refuses the open; a full device takes the open and refuses
    // every write; a FIFO that nothing reads would hold the open for ever.
    const std::pair<const char*, std::function<void(const std::string&)>> blockers[] = {
        {"TraceLogIsAFolder", [](const std::string& path) { std::filesystem::create_directories(path); }},
        {"TraceLogOnAFullDevice", [](const std::string& path) { std::filesystem::create_symlink("/dev/full", path); }},
        {"TraceLogIsAFifo", [](const std::string& path) { mkfifo(path.c_str(), 0600); }}};
    for (const auto& [name, block] : blockers)
    {
        const std::string base = test::ScratchFolder(name);
        std::filesystem::create_directories(base + "/Wendlebox");
        block(base + "/Wendlebox/TraceLog.txt");
        TraceLog log;
        test::ConsoleCapture console;
        log.startAt(base);
        log.message("A", "b");
        log.error("c");
        const std::string unwritable = "Trace log " + base + "/Wendlebox/TraceLog.txt cannot be written";
        EXPECT_EQ(test::CountOccurrences(console.err(), unwritable), 1) << name << "\n" << console.err();
        EXPECT_NE(console.out().find("A : b"), std::string::npos) << name;
    }
}
