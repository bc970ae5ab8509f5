#include "support/TestSupport.h"

#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <thread>

namespace test
{
ConsoleCapture::ConsoleCapture()
{
    testing::internal::CaptureStdout();
    testing::internal::CaptureStderr();
}

ConsoleCapture::~ConsoleCapture()
{
    finish();
}

void ConsoleCapture::finish()
{
    if (finished)
        return;
    finished = true;
    capturedOut = testing::internal::GetCapturedStdout();
    capturedErr = testing::internal::GetCapturedStderr();
}

std::string ConsoleCapture::out()
{
    finish();
    return capturedOut;
}

std::string ConsoleCapture::err()
{
    finish();
    return capturedErr;
}

std::string OutputFolder()
{
    return WENDLEBOX_TEST_OUTPUT_DIR;
}

// ctest runs test cases in parallel processes: each case gets its own folder so that two
// cases asking for the same name never rewrite each other's files.
std::string ScratchFolder(const std::string& name)
{
    const testing::TestInfo* info = testing::UnitTest::GetInstance()->current_test_info();
    const std::string testName = info ? std::string(info->test_suite_name()) + "." + info->name() : "none";
    const std::string folder = OutputFolder() + "/scratch/" + testName + "/" + name;
    std::filesystem::remove_all(folder);
    std::filesystem::create_directories(folder);
    return folder;
}

std::string ReadText(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

void WriteText(const std::string& path, const std::string& text)
{
    std::filesystem::create_directories(std::filesystem::path(path).parent_path());
    std::ofstream(path, std::ios::binary | std::ios::trunc) << text;
}

std::vector<std::string> SplitLines(const std::string& text)
{
    std::vector<std::string> lines;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);)
        lines.push_back(line);
    return lines;
}

int CountOccurrences(const std::string& text, const std::string& piece)
{
    int count = 0;
    for (size_t at = text.find(piece); at != std::string::npos; at = text.find(piece, at + 1))
        ++count;
    return count;
}

RecordingSystem::RecordingSystem(const std::string& name, std::vector<std::string>& journal, bool null)
    : journal(journal), null(null)
{
    setName(name);
}

void RecordingSystem::initialize() { journal.push_back(getName() + ".initialize"); }
void RecordingSystem::render() { journal.push_back(getName() + ".render"); }
void RecordingSystem::shutdown() { journal.push_back(getName() + ".shutdown"); }
void RecordingSystem::onPause() { journal.push_back(getName() + ".onPause"); }
void RecordingSystem::onResume() { journal.push_back(getName() + ".onResume"); }

void RecordingSystem::update()
{
    journal.push_back(getName() + ".update");
    if (updateSleepMicros > 0)
        std::this_thread::sleep_for(std::chrono::microseconds(updateSleepMicros));
}

RecordingState::RecordingState(const std::string& name, std::vector<std::string>& journal)
    : name(name), journal(journal)
{
}

void RecordingState::note(const std::string& operation)
{
    journal.push_back(name + "." + operation);
}

void RecordingState::load() { note("load"); }
void RecordingState::initialize() { note("initialize"); }
void RecordingState::render() { note("render"); }
void RecordingState::shutdown() { note("shutdown"); }
void RecordingState::unload() { note("unload"); }
void RecordingState::onPause() { note("onPause"); }
void RecordingState::onResume() { note("onResume"); }
void RecordingState::onFileDrop(const std::string& path) { note("onFileDrop " + path); }
void RecordingState::onMinimize() { note("onMinimize"); }
void RecordingState::onRestore() { note("onRestore"); }
void RecordingState::debugGui() { note("debugGui"); }

void RecordingState::update()
{
    note("update");
    if (duringUpdate)
        duringUpdate();
}
}
