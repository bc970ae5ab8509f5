// The developer tools in a running engine with the game's assets: each sandbox is entered by
// its number key, F3 turns the developer view on, and a frame is drawn and saved. The GUI's
// windows must show over the sandbox's own background.

#include "audio/SoundManager.h"
#include "engine/Engine.h"
#include "engine/EngineStateManager.h"
#include "game/GameComposition.h"
#include "graphics/AnimationManager.h"
#include "graphics/GraphicsSystem.h"
#include "graphics/MeshManager.h"
#include "graphics/ShaderManager.h"
#include "graphics/TextureManager.h"
#include "input/FakeInputDevice.h"
#include "input/InputSystem.h"
#include "particles/ParticleManager.h"
#include "platform/AudioSystem.h"
#include "support/GLContext.h"
#include "support/TestSupport.h"
#include "tools/DebugSystem.h"
#include "tools/EngineStateMorvel.h"
#include "tools/EngineStateQuenby.h"
#include "tools/EngineStateTobrin.h"
#include "tools/IMGUISystem.h"
#include "world/EntityManager.h"
#include "world/SceneManager.h"

#include <GL/glew.h>
#include <GLFW/glfw3.h>
#include <gtest/gtest.h>
#include <imgui.h>

#include <cstdlib>
#include <string>

namespace
{
constexpr int kWidth = 1280;
constexpr int kHeight = 720;

struct Rgb
{
    int r;
    int g;
    int b;
};

// The systems the sandboxes use, registered and started in the game's order.
class DeveloperToolsGL : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(gl.ok());
        AudioSystem::setDeviceAllowed(false);
        engine.makeCurrent();
        for (IEngineSystem* system : std::initializer_list<IEngineSystem*>{
                 &shaders, &meshes, &textures, &graphics, &particles, &states, &input, &sound, &animations})
            system->setName(NameOf(system));
        debug.setName(DebugSystem::kName);
        gui.setName(IMGUISystem::kName);
        input.setDevice(&device);
        WireInput(input);
        gui.setWindow(gl.getWindow());
        engine.registerSystem(&shaders);
        engine.registerSystem(&meshes);
        engine.registerSystem(&textures);
        engine.registerSystem(&graphics);
        engine.registerSystem(&particles);
        engine.registerSystem(&states);
        engine.registerSystem(&input);
        engine.registerSystem(&sound);
        engine.registerSystem(&animations);
        engine.registerSystem(EntityManager::getInstance());
        engine.registerSystem(SceneManager::getInstance());
        engine.registerSystem(&debug);
        engine.registerSystemAs(GraphicsSystem::kTransparentKey, &graphics);
        engine.registerSystem(&gui);
        engine.initializeSystems();
        // The game keeps its window layout in "imgui.ini"; tests leave no file behind.
        ImGui::GetIO().IniFilename = nullptr;
        started = true;
    }

    void TearDown() override
    {
        if (started)
            engine.shutdown();
        AudioSystem::setDeviceAllowed(true);
    }

    static std::string NameOf(IEngineSystem* system)
    {
        if (dynamic_cast<ShaderManager*>(system))
            return ShaderManager::kName;
        if (dynamic_cast<MeshManager*>(system))
            return MeshManager::kName;
        if (dynamic_cast<TextureManager*>(system))
            return TextureManager::kName;
        if (dynamic_cast<GraphicsSystem*>(system))
            return GraphicsSystem::kName;
        if (dynamic_cast<ParticleManager*>(system))
            return ParticleManager::kName;
        if (dynamic_cast<EngineStateManager*>(system))
            return EngineStateManager::kName;
        if (dynamic_cast<InputSystem*>(system))
            return InputSystem::kName;
        if (dynamic_cast<SoundManager*>(system))
            return SoundManager::kName;
        return AnimationManager::kName;
    }

    // One displayed frame as the game's loop makes it: steps, clear, render.
    void frames(int count, int64_t frameMicros = 10000)
    {
        for (int i = 0; i < count; ++i)
        {
            glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
            engine.advance(frameMicros);
        }
    }

    void tap(int32_t key)
    {
        device.press(key);
        frames(2);
        device.release(key);
        frames(2);
    }

    Rgb pixelAt(const std::vector<uint8_t>& pixels, int x, int yFromTop) const
    {
        const size_t at = (static_cast<size_t>(kHeight - 1 - yFromTop) * kWidth + x) * 4;
        return {pixels[at], pixels[at + 1], pixels[at + 2]};
    }

    static bool Near(Rgb a, Rgb b)
    {
        return std::abs(a.r - b.r) < 8 && std::abs(a.g - b.g) < 8 && std::abs(a.b - b.b) < 8;
    }

    test::GLContext gl{kWidth, kHeight};
    Engine engine{"Developer tools", kWidth, kHeight, 10000};
    ShaderManager shaders;
    MeshManager meshes;
    TextureManager textures;
    GraphicsSystem graphics;
    ParticleManager particles;
    EngineStateManager states;
    FakeInputDevice device;
    InputSystem input;
    SoundManager sound;
    AnimationManager animations;
    DebugSystem debug;
    IMGUISystem gui;
    bool started = false;
};
}

TEST_F(DeveloperToolsGL, EverySandboxShowsItsDeveloperWindowsOverItsBackground)
{
    struct Sandbox
    {
        const char* name;
        int32_t key;
        IEngineState* state;
        Rgb background;
        // A place where nothing of the sandbox's world is drawn.
        int freeX;
        int freeY;
    };
    const Sandbox sandboxes[] = {
        {"Tobrin", '3', EngineStateTobrin::instance(), {77, 77, 77}, kWidth - 3, kHeight - 3},
        {"Quenby", '4', EngineStateQuenby::instance(), {0, 0, 255}, kWidth - 3, kHeight - 3},
        {"Morvel", '1', EngineStateMorvel::instance(), {255, 255, 0}, 40, kHeight - 40}};
    tap(292);
    ASSERT_TRUE(gui.isOverlayShown());
    ASSERT_TRUE(gui.isStateToolsShown());
    for (const Sandbox& sandbox : sandboxes)
    {
        tap(sandbox.key);
        frames(6);
        // Two fixed steps in one pass: two GUI frames, only the second drawn.
        frames(1, 20000);
        ASSERT_EQ(states.getCurrentState(), sandbox.state) << sandbox.name;
        const std::vector<uint8_t> pixels = gl.readPixels();
        EXPECT_TRUE(test::SavePNG(test::OutputFolder() + "/DeveloperTools_" + sandbox.name + ".png", kWidth, kHeight,
                                  pixels));
        EXPECT_TRUE(Near(pixelAt(pixels, sandbox.freeX, sandbox.freeY), sandbox.background))
            << sandbox.name << ": the background shows where nothing is drawn";
        const Rgb menuBar = pixelAt(pixels, kWidth / 2, 4);
        EXPECT_FALSE(Near(menuBar, sandbox.background)) << sandbox.name << ": the menu bar covers the top";
        const Rgb overlay = pixelAt(pixels, 20, 40);
        EXPECT_FALSE(Near(overlay, sandbox.background)) << sandbox.name << ": the frame-rate overlay";
    }
    EXPECT_GT(gui.getFps(), 0.0f);
}

namespace
{
int gEngineFocusCalls = 0;

void RecordEngineFocus(GLFWwindow*, int)
{
    ++gEngineFocusCalls;
}
}

// The engine installs its window callbacks before any system starts; the GUI's back end then
// chains to them, so focus changes still reach the engine.
TEST(DeveloperToolsGLStart, TheGuiChainsToTheEnginesCallbacksAndDrawsNothingBeforeItsFirstFrame)
{
    test::GLContext gl(640, 480);
    ASSERT_TRUE(gl.ok());
    glfwSetWindowFocusCallback(gl.getWindow(), &RecordEngineFocus);
    IMGUISystem gui;
    gui.setWindow(gl.getWindow());
    gui.initialize();
    ImGui::GetIO().IniFilename = nullptr;
    ASSERT_TRUE(gui.hasBackends());

    glClearColor(0.0f, 0.0f, 0.0f, 1.0f);
    glClear(GL_COLOR_BUFFER_BIT);
    gui.render();
    EXPECT_NE(gui.getLastRenderTime(), 0);
    const std::vector<uint8_t> pixel = gl.readPixel(20, 460);
    EXPECT_EQ(pixel[0], 0) << "no finished GUI frame, nothing drawn";

    const GLFWwindowfocusfun guiFocus = glfwSetWindowFocusCallback(gl.getWindow(), nullptr);
    glfwSetWindowFocusCallback(gl.getWindow(), guiFocus);
    ASSERT_NE(guiFocus, &RecordEngineFocus);
    guiFocus(gl.getWindow(), 0);
    EXPECT_EQ(gEngineFocusCalls, 1);
    gui.shutdown();
}
