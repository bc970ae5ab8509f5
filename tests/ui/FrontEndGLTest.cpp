// The front-end screens drawn with the game's own pictures through the real renderer: the
// pause menu on its main list, on a credits page and with the quit banner, and the win screen.
// Each leaves a picture in the test output folder.

#include "engine/Engine.h"
#include "engine/EngineStateManager.h"
#include "game/GameComposition.h"
#include "graphics/AnimationManager.h"
#include "input/FakeInputDevice.h"
#include "input/InputSystem.h"
#include "platform/GlfwInputDevice.h"
#include "support/TestSupport.h"
#include "ui/Button.h"
#include "ui/EngineStateEnd.h"
#include "ui/EngineStatePauseMenu.h"
#include "ui/UIManager.h"
#include "ui/UIWindow.h"

#include "../graphics/RenderRig.h"

#include <GL/glew.h>
#include <gtest/gtest.h>

#include <cstdlib>

namespace
{
using Pixel = std::vector<uint8_t>;

class FrontEndGL : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(rig.gl.ok());
        rig.startGraphics();
        rig.textures.loadFolder(TextureManager::kOpaqueFolder, TextureKind::Opaque);
        rig.textures.loadFolder(TextureManager::kBlendedFolder, TextureKind::Blended);
        animations.loadAnimationSheets(AnimationManager::kSheetFile);
        animations.setName(AnimationManager::kName);
        input.setName(InputSystem::kName);
        states.setName(EngineStateManager::kName);
        ui.setName(UIManager::kName);
        for (IEngineSystem* system : std::initializer_list<IEngineSystem*>{&animations, &input, &states, &ui})
            rig.engine.registerSystem(system);
        input.setDevice(&device);
        input.setBindingFilePath("assets/input.json");
        input.initialize();
        ui.initialize();
    }

    void TearDown() override
    {
        while (!states.getOverlays().empty())
            states.popState(true);
        states.getCurrentState()->shutdown();
        ui.clearWindows();
        animations.shutdown();
    }

    void step()
    {
        states.update();
        input.update();
        ui.update();
    }

    void click(const std::string& window, const std::string& element)
    {
        const glm::vec3 at = dynamic_cast<Button*>(ui.getWindow(window)->getElement(element))->getScreenPosition();
        device.cursorX = at.x;
        device.cursorY = at.y;
        device.pressMouse(0);
        step();
        device.releaseMouse(0);
        step();
        step();
        device.cursorX = device.cursorY = 0.0;
        step();
    }

    void drawFrame(const std::string& picture)
    {
        rig.graphics.render();
        glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
        ui.render();
        rig.graphics.render();
        EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
        EXPECT_TRUE(test::SavePNG(test::OutputFolder() + "/" + picture + ".png", test::RenderRig::kWidth,
                                  test::RenderRig::kHeight, rig.gl.readPixels()));
    }

    // A pixel in window coordinates (y down).
    Pixel at(float x, float y)
    {
        return rig.gl.readPixel(static_cast<int>(x), test::RenderRig::kHeight - 1 - static_cast<int>(y));
    }

    test::RenderRig rig;
    AnimationManager animations;
    FakeInputDevice device;
    InputSystem input;
    EngineStateManager states;
    UIManager ui;
};

bool Near(const Pixel& pixel, const Pixel& colour)
{
    for (size_t i = 0; i < 3; ++i)
        if (std::abs(static_cast<int>(pixel[i]) - static_cast<int>(colour[i])) > 6)
            return false;
    return true;
}

const Pixel kDeep{0x2E, 0x3A, 0x6E};
const Pixel kTeal{0x3A, 0xAF, 0xA9};
}

TEST_F(FrontEndGL, PauseMenuPagesAndQuitBanner)
{
    states.pushState(EngineStatePauseMenu::instance(), true);
    step();
    drawFrame("PauseMenu");
    Button* credits = dynamic_cast<Button*>(ui.getWindow("windowLeft")->getElement("buttonCredits"));
    const glm::vec3 centre = credits->getScreenPosition();
    const glm::vec3 size = credits->getTransform().getScale();
    EXPECT_TRUE(Near(at(centre.x - size.x * 0.4f, centre.y), kDeep)) << "the Credits button's normal look";
    const glm::vec3 panelCentre = ui.getWindow("WindowPaws")->getPosition();
    const glm::vec3 panelSize = ui.getWindow("WindowPaws")->getScale();
    EXPECT_TRUE(Near(at(panelCentre.x - panelSize.x / 2 + 1, panelCentre.y - panelSize.y / 2 + 1), kTeal))
        << "the panel's corner is its own rim, not the untextured window behind it";

    click("windowLeft", "buttonCredits");
    drawFrame("PauseMenuCredits");
    click("windowLeft", "ButtonControls");
    click("windowLeft", "butConNext");
    drawFrame("PauseMenuControls");
    click("windowLeft", "PMBOptions");
    drawFrame("PauseMenuOptions");
    click("windowLeft", "buttonQuit");
    drawFrame("PauseMenuQuit");
    const glm::vec3 banner = ui.getWindow("WindowQuit")->getPosition();
    EXPECT_FALSE(Near(at(banner.x, banner.y + 5.0f), Pixel{0, 0, 0}));
}

TEST_F(FrontEndGL, WinScreen)
{
    states.setNextState(EngineStateEnd::instance());
    step();
    drawFrame("WinScreen");
    Button* restart = dynamic_cast<Button*>(ui.getWindow("windo")->getElement("restart"));
    const glm::vec3 centre = restart->getScreenPosition();
    EXPECT_TRUE(Near(at(centre.x - restart->getTransform().getScale().x * 0.4f, centre.y), kDeep));
}

// The whole game: the pause menu's Quit, then Yes, ends the main loop.
TEST(FrontEndGame, QuitBannerYesEndsTheRun)
{
    const std::string data = test::ScratchFolder("FrontEndGame");
    setenv("APPDATA", data.c_str(), 1);
    Engine engine("Wendlebox", 800, 600, 10000);
    engine.setSystemRegistrar(RegisterGameSystems);
    test::ConsoleCapture console;
    ASSERT_TRUE(engine.initialize());
    FakeInputDevice device;
    InputSystem::getInstance()->setDevice(&device);
    EngineStateManager::getInstance()->pushState(EngineStatePauseMenu::instance(), true);
    engine.advance(10000);

    for (const char* name : {"buttonQuit", "ButtonQuitConfirm"})
    {
        auto* button = dynamic_cast<Button*>(UIManager::getInstance()->getWindow("windowLeft")->getElement(name));
        device.cursorX = button->getScreenPosition().x;
        device.cursorY = button->getScreenPosition().y;
        EXPECT_TRUE(engine.isRunning()) << name;
        device.pressMouse(0);
        engine.advance(10000);
        device.releaseMouse(0);
        engine.advance(10000);
        engine.advance(10000);
    }
    EXPECT_FALSE(engine.isRunning());
    InputSystem::getInstance()->setDevice(GlfwInputDevice::instance());
    engine.shutdown();
}
