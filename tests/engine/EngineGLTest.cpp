#include "engine/Engine.h"

#include "engine/TraceLog.h"
#include "game/GameComposition.h"
#include "support/GLContext.h"
#include "support/TestSupport.h"

#include <GL/glew.h>
#include <GLFW/glfw3.h>
#include <gtest/gtest.h>

#include <cstdlib>

using test::CountOccurrences;

// Starts the real engine in the virtual X server, runs frames, closes the window the way a
// user would and checks the whole life cycle: window, observers, trace log and shutdown.
TEST(EngineGL, StartsRunsFramesAndShutsDownOnACloseRequest)
{
    const std::string data = test::ScratchFolder("EngineGL");
    setenv("APPDATA", data.c_str(), 1);

    Engine engine("Wendlebox", 800, 600, 10000);
    engine.setSystemRegistrar(RegisterGameSystems);
    test::ConsoleCapture console;
    ASSERT_TRUE(engine.initialize());
    const std::string startup = console.out();
    // Every system but the hub, the log, the state manager and the wipes observes events,
    // the player controller under its own observer name.
    EXPECT_EQ(CountOccurrences(startup, " added to observer list\n"), 14);
    EXPECT_EQ(CountOccurrences(startup, "PlayerController added to observer list\n"), 1);
    EXPECT_EQ(CountOccurrences(startup, "TransitionManager added"), 0);
    EXPECT_EQ(engine.getSystemList().size(), 19u);

    const GLFWvidmode* mode = glfwGetVideoMode(glfwGetPrimaryMonitor());
    ASSERT_NE(mode, nullptr);
    glfwPollEvents();
    int width = 0;
    int height = 0;
    glfwGetWindowSize(engine.getWindow(), &width, &height);
    EXPECT_EQ(width, mode->width);
    EXPECT_EQ(height, mode->height + 1);
    EXPECT_EQ(glfwGetWindowAttrib(engine.getWindow(), GLFW_DECORATED), GLFW_FALSE);
    EXPECT_TRUE(engine.isFullscreen());

    for (int frame = 0; frame < 5; ++frame)
        engine.update();
    EXPECT_TRUE(engine.isRunning());
    EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));

    std::vector<uint8_t> pixels(static_cast<size_t>(mode->width) * mode->height * 4);
    glReadPixels(0, 0, mode->width, mode->height, GL_RGBA, GL_UNSIGNED_BYTE, pixels.data());
    EXPECT_TRUE(test::SavePNG(test::OutputFolder() + "/engine_first_frames.png", mode->width, mode->height, pixels));

    glfwSetWindowShouldClose(engine.getWindow(), GLFW_TRUE);
    engine.update();
    EXPECT_FALSE(engine.isRunning());
    engine.shutdown();
    console.out();

    const std::string log = test::ReadText(data + "/Wendlebox/TraceLog.txt");
    EXPECT_EQ(log.rfind("Team: Velmora\nProject: Wendlebox\n", 0), 0u);
    const std::string ending = "Trace Log End\nSubject : shutdown\n";
    ASSERT_GE(log.size(), ending.size());
    EXPECT_EQ(log.substr(log.size() - ending.size()), ending);
    EXPECT_EQ(Engine::current(), nullptr);
}

TEST(EngineGL, LeavingFullscreenRestoresTheWindowedSizeCentred)
{
    const std::string data = test::ScratchFolder("EngineGLFullscreen");
    setenv("APPDATA", data.c_str(), 1);
    Engine engine("Wendlebox", 800, 600, 10000);
    engine.setSystemRegistrar(RegisterGameSystems);
    test::ConsoleCapture console;
    ASSERT_TRUE(engine.initialize());
    engine.update();

    engine.setFullscreen(false);
    glfwPollEvents();
    engine.update();
    EXPECT_FALSE(engine.isFullscreen());
    int width = 0;
    int height = 0;
    glfwGetWindowSize(engine.getWindow(), &width, &height);
    EXPECT_EQ(width, 800);
    EXPECT_EQ(height, 600);
    EXPECT_EQ(glfwGetWindowAttrib(engine.getWindow(), GLFW_DECORATED), GLFW_TRUE);
    engine.shutdown();
}

// The developer GUI is process-wide: a second engine's start must hook it to the second
// window, not the first one's freed handle (whose X error would end the process).
TEST(EngineGL, ASecondEngineInTheSameProcessStartsOnItsOwnWindow)
{
    setenv("APPDATA", test::ScratchFolder("EngineGLTwice").c_str(), 1);
    test::ConsoleCapture console;
    for (int run = 0; run < 2; ++run)
    {
        Engine engine("Wendlebox", 800, 600, 10000);
        engine.setSystemRegistrar(RegisterGameSystems);
        ASSERT_TRUE(engine.initialize()) << "run " << run;
        glfwPollEvents();
        engine.update();
        EXPECT_EQ(glfwGetWindowAttrib(engine.getWindow(), GLFW_DECORATED), GLFW_FALSE) << "run " << run;
        EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR)) << "run " << run;
        engine.shutdown();
    }
}

// A window GLFW refuses (here one of no size) ends the start with the engine's line and GLFW's
// reason, never silently.
TEST(EngineGL, AWindowThatCannotBeMadeIsReportedWithTheReason)
{
    Engine engine("Wendlebox", 0, 0, 10000);
    test::ConsoleCapture console;
    EXPECT_FALSE(engine.run());
    EXPECT_NE(console.err().find("Window creation failed, shutting down.\nReason: "), std::string::npos) << console.err();
    EXPECT_EQ(Engine::current(), nullptr);
}
