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

TEST(ProgramEntry, ContentFoldersAreLookedForWhereTheGameStarts)
{
    const std::string folder = test::ScratchFolder("ContentFolders");
    const struct
    {
        const char* made;
        const char* line;
    } rows[] = {{nullptr, "assets/ and shaders/ were not found in the current folder "},
                {"/assets/x", "shaders/ was not found in the current folder "},
                {"/shaders/x", nullptr}};
    for (const auto& row : rows)
    {
        if (row.made)
            test::WriteText(folder + row.made, "");
        test::ConsoleCapture console;
        EXPECT_EQ(ContentFoldersFound(folder), row.line == nullptr);
        EXPECT_EQ(test::SplitLines(console.err()).size(), row.line ? 1u : 0u);
        if (row.line)
        {
            EXPECT_NE(console.err().find(row.line), std::string::npos) << console.err();
        }
    }
}
