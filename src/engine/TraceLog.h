#pragma once
// The program's text log: "TraceLog.txt" under the user's data folder, truncated at start,
// reopened for every line so nothing is lost when the program dies. Messages echo to standard
// output, errors to standard error. Lines logged before initialize (or through the null log)
// have no folder yet and go to the console only.

#include "engine/IEngineSystem.h"

#include <string>

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
    void appendLine(const std::string& line) const;

    std::string folder;
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
