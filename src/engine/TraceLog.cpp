#include "engine/TraceLog.h"

#include "engine/Engine.h"
#include "engine/SystemSingleton.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <filesystem>
#include <iostream>

namespace
{
TraceLog* gTraceLog = nullptr;

// Enough for every system's start-up lines; a log that is never started stays small.
constexpr size_t kMaxEarlyLines = 1000;

std::string Env(const char* name)
{
    const char* value = std::getenv(name);
    return value ? std::string(value) : std::string();
}

// Opened without waiting: a FIFO that nothing reads would hold a plain open, and the game with
// it, for ever, and a full pipe would hold a write. Both fail at once instead, as a socket's
// open does; a regular file ignores the flag.
bool WriteWithoutWaiting(const std::string& path, const std::string& text, int mode)
{
    const int file = ::open(path.c_str(), O_WRONLY | O_CREAT | O_NONBLOCK | O_CLOEXEC | mode, 0666);
    if (file < 0)
        return false;
    size_t written = 0;
    while (written < text.size())
    {
        const ssize_t step = ::write(file, text.data() + written, text.size() - written);
        if (step < 0 && errno == EINTR)
            continue;
        if (step <= 0)
            break;
        written += static_cast<size_t>(step);
    }
    const bool closed = ::close(file) == 0;
    return written == text.size() && closed;
}
}

TraceLog* TraceLog::getInstance()
{
    return GetSystemSingleton(gTraceLog, kName);
}

TraceLogNull* TraceLogNull::instance()
{
    static TraceLogNull null;
    return &null;
}

std::string TraceLog::DataFolder()
{
    std::string base = Env("APPDATA");
    if (base.empty())
        base = Env("XDG_DATA_HOME");
    if (base.empty() && !Env("HOME").empty())
        base = Env("HOME") + "/.local/share";
    return base;
}

void TraceLog::initialize()
{
    startAt(DataFolder());
}

void TraceLog::startAt(const std::string& baseFolder)
{
    folder.clear();
    started = true;
    std::vector<std::string> held;
    held.swap(earlyLines);
    if (baseFolder.empty())
    {
        warnOnce("APPDATA, XDG_DATA_HOME and HOME are all unset; the trace log is not written.");
        return;
    }
    const std::string candidate = baseFolder + "/Wendlebox";
    std::error_code error;
    std::filesystem::create_directories(candidate, error);
    if (error)
    {
        std::cerr << "ERROR! : Trace log folder " << candidate << " could not be created: "
                  << error.message() << std::endl;
        warned = true;
        return;
    }
    folder = candidate;
    if (!writeBanner())
        return;
    for (const std::string& line : held)
        appendLine(line);
}

bool TraceLog::writeBanner()
{
    return write("Team: Velmora\nProject: Wendlebox\nVersion 1.2.4 - Week 9\n\nThornquell Approved :]\n"
                 "Trace Log Start\n",
                 O_TRUNC);
}

// A full device opens like any file and refuses only the writes, so success is known only once
// the text has been written.
bool TraceLog::write(const std::string& text, int mode)
{
    if (WriteWithoutWaiting(getFilePath(), text, mode))
        return true;
    warnOnce("Trace log " + getFilePath() + " cannot be written; its lines are lost.");
    return false;
}

void TraceLog::warnOnce(const std::string& problem)
{
    if (warned)
        return;
    warned = true;
    std::cerr << "ERROR! : " << problem << std::endl;
}

void TraceLog::shutdown()
{
    appendLine("Trace Log End");
}

std::string TraceLog::getFilePath() const
{
    return folder + "/TraceLog.txt";
}

void TraceLog::appendLine(const std::string& line)
{
    if (!started && !isNull() && earlyLines.size() < kMaxEarlyLines)
        earlyLines.push_back(line);
    if (folder.empty())
        return;
    write(line + "\n", O_APPEND);
}

void TraceLog::message(const std::string& source, const std::string& text)
{
    const std::string line = source + " : " + text;
    appendLine(line);
    std::cout << line << std::endl;
}

void TraceLog::error(const std::string& text)
{
    const std::string line = "ERROR! : " + text;
    appendLine(line);
    std::cerr << line << std::endl;
}

TraceLog* Log()
{
    return Engine::getSystem<TraceLog>(TraceLog::kName, TraceLogNull::instance());
}
