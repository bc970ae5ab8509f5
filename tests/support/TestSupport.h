#pragma once
// Helpers shared by the test programs: console capture, scratch folders and a recording
// engine system that can stand in for any real one.

#include "engine/IEngineState.h"
#include "engine/IEngineSystem.h"

#include <functional>
#include <string>
#include <vector>

namespace test
{
// Captures standard output and standard error for the lifetime of the object.
class ConsoleCapture
{
public:
    ConsoleCapture();
    ~ConsoleCapture();
    std::string out();
    std::string err();

private:
    bool finished = false;
    std::string capturedOut;
    std::string capturedErr;
    void finish();
};

// A fresh, empty folder under the test output folder, private to the running test case.
std::string ScratchFolder(const std::string& name);
std::string OutputFolder();
std::string ReadText(const std::string& path);
void WriteText(const std::string& path, const std::string& text);
std::vector<std::string> SplitLines(const std::string& text);
// How often piece occurs in text, overlaps counted.
int CountOccurrences(const std::string& text, const std::string& piece);

// Appends "<name>.<operation>" to a shared journal for every IEngineSystem operation.
class RecordingSystem : public IEngineSystem
{
public:
    RecordingSystem(const std::string& name, std::vector<std::string>& journal, bool null = false);
    void initialize() override;
    void update() override;
    void render() override;
    void shutdown() override;
    void onPause() override;
    void onResume() override;
    bool isNull() const override { return null; }

    int updateSleepMicros = 0;

private:
    std::vector<std::string>& journal;
    bool null;
};

// Appends "<name>.<operation>" to a shared journal for every IEngineState operation.
class RecordingState : public IEngineState
{
public:
    RecordingState(const std::string& name, std::vector<std::string>& journal);
    void load() override;
    void initialize() override;
    void update() override;
    void render() override;
    void shutdown() override;
    void unload() override;
    void onPause() override;
    void onResume() override;
    void onFileDrop(const std::string& path) override;
    void onMinimize() override;
    void onRestore() override;
    void debugGui() override;

    // Runs inside update, after the journal line: lets a test act from within a state.
    std::function<void()> duringUpdate;

private:
    void note(const std::string& operation);
    std::string name;
    std::vector<std::string>& journal;
};
}
