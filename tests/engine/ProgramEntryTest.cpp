#include "engine/ProgramEntry.h"

#include "engine/Engine.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <stdexcept>

namespace
{
const char* kFarewell = "I'm dying. I dont have long in this world.\nRemember me in the next life\nGoodbye, World!\n";
}

TEST(ProgramEntry, NormalRunSaysFarewellAndExitsZero)
{
    test::ConsoleCapture console;
    EXPECT_EQ(RunProgram([] { return true; }), 0);
    EXPECT_EQ(console.out(), kFarewell);
}

TEST(ProgramEntry, FailedStartUpExitsNonZero)
{
    test::ConsoleCapture console;
    EXPECT_EQ(RunProgram([] { return false; }), 1);
}

TEST(ProgramEntry, AnEscapingExceptionBecomesOneLineAndANonZeroExit)
{
    test::ConsoleCapture console;
    EXPECT_EQ(RunProgram([]() -> bool { throw std::runtime_error("File: assets/input.json not found."); }), 1);
    EXPECT_EQ(console.err(), "ERROR! : Wendlebox stopped: File: assets/input.json not found.\n");
    EXPECT_EQ(console.out(), "");
}

TEST(ProgramEntry, WithoutADisplayGlfwFailsWithItsLine)
{
    unsetenv("DISPLAY");
    unsetenv("WAYLAND_DISPLAY");
    Engine engine("Wendlebox", 800, 600, 10000);
    test::ConsoleCapture console;
    EXPECT_EQ(RunProgram([&engine] { return engine.run(); }), 1);
    EXPECT_NE(console.err().find("GLFW failed to initialize, shutting down.\nReason: "), std::string::npos);
    EXPECT_NE(console.err().find("DISPLAY"), std::string::npos) << "GLFW's own description names the cause";
    EXPECT_EQ(Engine::current(), nullptr);
}

// The real binary started elsewhere is driven by start_elsewhere.sh; here, one folder missing.
TEST(ProgramEntry, AMissingContentFolderIsNamed)
{
    const std::string folder = test::ScratchFolder("ContentFolders");
    test::WriteText(folder + "/assets/x", "");
    test::ConsoleCapture console;
    EXPECT_FALSE(ContentFoldersFound(folder));
    EXPECT_EQ(console.err().find("Wendlebox: shaders/ was not found in the current folder " + folder + ";"), 0u) << console.err();
    EXPECT_TRUE(ContentFoldersFound("."));
}
