#pragma once
// The program's text log: "TraceLog.txt" under the user's data folder, truncated at start,
// reopened for every line so nothing is lost when the program dies. Messages echo to standard
// output, errors to standard error. Lines logged before initialize (the event hub starts
// first) are held and written after the banner once the file is started; lines through the
// null log go to the console only. A log that cannot be written at once (a full device, a FIFO
// that nothing reads) says so once on standard error; the game never waits on its log.

#include "engine/IEngineSystem.h"

#include <string>
#include <vector>

class TraceLog : public IEngineSystem
{
public:
    static constexpr const char* kName = "TraceLog";
    static TraceLog* getInstance();

    void initialize() override;
    void update() override {}
    void render() override {}
    void shutdown() override;

    virtual void message(const std::string& source, const std::string& text);
    virtual void error(const std::string& text);

    // The data folder: $APPDATA, else $XDG_DATA_HOME, else $HOME/.local/share; empty when
    // none is set.
    static std::string DataFolder();
    const std::string& getFolder() const { return folder; }
    std::string getFilePath() const;
    // Points the log at a folder (created when missing) and writes the start banner.
    void startAt(const std::string& baseFolder);

private:
    void appendLine(const std::string& line);
    bool writeBanner();
    // Writes the text to the file, opened with the open(2) mode given (truncate or append);
    // false, said once, when it cannot be written at once.
    bool write(const std::string& text, int mode);
    void warnOnce(const std::string& problem);

    std::string folder;
    // Lines logged before the first start, written after the banner.
    std::vector<std::string> earlyLines;
    bool started = false;
    bool warned = false;
};

class TraceLogNull : public TraceLog
{
public:
    static TraceLogNull* instance();
    void initialize() override {}
    void shutdown() override {}
    bool isNull() const override { return true; }
};

// The registered trace log, or the null log (console only) when none is registered.
TraceLog* Log();
