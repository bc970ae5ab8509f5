// The front-end states driven the way the game drives them: a real state manager, the input
// system reading a scripted device with the game's binding file, and the interface manager,
// stepped in the engine's order (states, then input callbacks, then buttons).

#include "UITestSupport.h"
#include "engine/EngineStateManager.h"
#include "gameplay/EngineStateKestrin.h"
#include "support/TestSupport.h"
#include "ui/Button.h"
#include "ui/EngineStateEnd.h"
#include "ui/EngineStatePauseMenu.h"
#include "ui/EngineStateSplash.h"
#include "ui/UIWindow.h"
#include "world/EntityManager.h"

namespace
{
using Journal = std::vector<std::string>;

// Records every request; a request for the play state is recorded but not carried out, so
// these tests do not depend on what the play state needs to start.
class FrontEndStateManager : public EngineStateManager
{
public:
    void setNextState(IEngineState* state) override
    {
        requests.push_back(state);
        if (state != EngineStateKestrin::instance())
            EngineStateManager::setNextState(state);
    }
    std::vector<IEngineState*> requests;
};

class CountingEntityManager : public EntityManager
{
public:
    void clearActive() override { ++clears; }
    int clears = 0;
};

EngineStateManager* gStates = nullptr;
IEngineState* gPlay = nullptr;

// What the play state's pause callback does.
void OnPauseGame(InputEvent)
{
    if (!gPlay->isPaused())
        gStates->pushState(EngineStatePauseMenu::instance(), true);
}

constexpr int32_t kEscape = 256;
constexpr int32_t kSpace = 32;
constexpr int32_t kEnter = 257;
constexpr int32_t kPadA = 0;
constexpr int32_t kPadB = 1;
constexpr int32_t kPadStart = 7;

class FrontEndTest : public uitest::UIFixture
{
protected:
    void SetUp() override
    {
        UIFixture::SetUp();
        register_(EngineStateManager::kName, states);
        register_(EntityManager::kName, entities);
        gStates = &states;
        gPlay = &play;
        // The global states keep their paused flag from one test to the next.
        for (IEngineState* state : std::initializer_list<IEngineState*>{
                 EngineStateSplash::instance(), EngineStatePauseMenu::instance(), EngineStateEnd::instance()})
            state->setPaused(false);
    }

    // What the play state's load does: pressing the pause key pushes the menu.
    void bindPauseKey() { input.registerCallback("PauseGame", OnPauseGame); }

    void TearDown() override
    {
        while (!states.getOverlays().empty())
            states.popState(true);
        states.getCurrentState()->shutdown();
        sound.setMuted(false);
        UIFixture::TearDown();
    }

    std::string bindingFile() const override { return "assets/input.json"; }

    void step(int times = 1) override
    {
        for (int i = 0; i < times; ++i)
        {
            states.update();
            input.update();
            ui.update();
        }
    }

    void enter(IEngineState* state)
    {
        states.setNextState(state);
        step();
    }

    void tapKey(int32_t key)
    {
        device.press(key);
        step();
        device.release(key);
        step();
    }

    // A button callback runs in the release step; the menu shows its effect at the update
    // after it.
    void tapPad(int32_t button)
    {
        device.setPadButton(0, button, true);
        step();
        device.setPadButton(0, button, false);
        step(2);
    }

    // Left stick: axis 0 is x, axis 1 is y with down positive.
    void tapStick(int32_t axis, float value)
    {
        device.setPadAxis(0, axis, value);
        step();
        device.setPadAxis(0, axis, 0.0f);
        step();
    }

    Button* menuButton(const std::string& name)
    {
        return dynamic_cast<Button*>(ui.getWindow("windowLeft")->getElement(name));
    }

    void click(Button* button)
    {
        const glm::vec3 at = button->getScreenPosition();
        pointAt(at.x, at.y);
        device.pressMouse(0);
        step();
        device.releaseMouse(0);
        step(2);
    }

    void openPauseMenu()
    {
        bindPauseKey();
        enter(&play);
        tapKey(kEscape);
        ASSERT_TRUE(EngineStatePauseMenu::isMenuActive());
    }

    std::string panelTexture() { return ui.getWindow("WindowBG")->getTextureName(); }
    float panelDepth() { return ui.getWindow("WindowBG")->getPosition().z; }
    int count(const std::string& line) const { return static_cast<int>(std::count(journal.begin(), journal.end(), line)); }

    template <class T>
    void register_(const char* name, T& system)
    {
        system.setName(name);
        engine.registerSystem(&system);
    }

    FrontEndStateManager states;
    CountingEntityManager entities;
    Journal journal;
    test::RecordingState play{"Play", journal};
    test::RecordingState other{"Other", journal};
};
}

// ---- Splash ------------------------------------------------------------------------------

TEST_F(FrontEndTest, SplashShowsEachLogoFor240UpdatesThenRequestsThePlayState)
{
    enter(EngineStateSplash::instance());
    EXPECT_EQ(entities.clears, 1);
    // A logo is drawn from the update that starts it until its 240th update moves on.
    const char* logos[] = {"Ostrel_RED", "FMOD_White", "TeamLogo"};
    for (int logo = 0; logo < 3; ++logo)
    {
        step(logo == 0 ? 238 : 240);
        quad.draws.clear();
        EngineStateSplash::instance()->render();
        ASSERT_EQ(quad.draws.size(), 2u) << "logo and icon";
        EXPECT_EQ(quad.draws[0].texture, logos[logo]) << "update " << 240 * (logo + 1) - 1;
        EXPECT_EQ(quad.draws[1].texture, "Checkpoint");
    }
    step();
    quad.draws.clear();
    EngineStateSplash::instance()->render();
    EXPECT_EQ(quad.drawnTextures(), (std::vector<std::string>{"Checkpoint"})) << "after update 720 the icon alone";
    EXPECT_TRUE(states.requests.size() == 1) << "nothing requested yet";
    EXPECT_NEAR(EngineStateSplash::getIconOffset(), EngineStateSplash::getIconTravel(), 1e-3f);
    EXPECT_NEAR(quad.draws[0].position.y, 600.0f * 0.95f + 600.0f * 0.08f, 0.01f);

    step();
    ASSERT_EQ(states.requests.size(), 2u);
    EXPECT_EQ(states.requests.back(), EngineStateKestrin::instance());
    EXPECT_EQ(EngineStateSplash::getLogoIndex(), 2);
}

TEST_F(FrontEndTest, SplashLogoSizesFollowTheWindowHeight)
{
    enter(EngineStateSplash::instance());
    const float expectedWidths[] = {0.4f * 600.0f * 4.14f, 0.4f * 600.0f * 3.79f, 0.85f * 600.0f};
    for (float width : expectedWidths)
    {
        quad.draws.clear();
        EngineStateSplash::instance()->render();
        EXPECT_NEAR(quad.draws[0].scale.x, width, 0.01f);
        EXPECT_EQ(quad.draws[0].position, glm::vec3(400.0f, 300.0f, 0.0f));
        EXPECT_EQ(quad.draws[1].position, glm::vec3(760.0f, 570.0f + EngineStateSplash::getIconOffset(), 1.0f));
        tapKey(kSpace);
    }
}

TEST_F(FrontEndTest, EachSkipInputAdvancesOneLogoAndHoldingDoesNotRepeat)
{
    struct Skip
    {
        const char* name;
        std::function<void(FakeInputDevice&, bool)> set;
    };
    const Skip skips[] = {
        {"Space", [](FakeInputDevice& d, bool on) { on ? d.press(kSpace) : d.release(kSpace); }},
        {"Enter", [](FakeInputDevice& d, bool on) { on ? d.press(kEnter) : d.release(kEnter); }},
        {"Escape", [](FakeInputDevice& d, bool on) { on ? d.press(kEscape) : d.release(kEscape); }},
        {"left mouse", [](FakeInputDevice& d, bool on) { on ? d.pressMouse(0) : d.releaseMouse(0); }},
        {"right mouse", [](FakeInputDevice& d, bool on) { on ? d.pressMouse(1) : d.releaseMouse(1); }},
        {"gamepad Start", [](FakeInputDevice& d, bool on) { d.setPadButton(0, kPadStart, on); }},
    };
    plugGamepad();
    for (const Skip& skip : skips)
    {
        enter(EngineStateSplash::instance());
        step(100);
        skip.set(device, true);
        step(5);
        EXPECT_EQ(EngineStateSplash::getLogoIndex(), 1) << skip.name;
        EXPECT_EQ(EngineStateSplash::getUpdateCount(), 4) << skip.name << ": the next logo starts its count afresh";
        skip.set(device, false);
        step();
    }
}

TEST_F(FrontEndTest, GamepadButtonZeroSkipsTwoLogosAndTwoInputsInOneStepSkipTwo)
{
    plugGamepad();
    enter(EngineStateSplash::instance());
    tapPad(kPadA);
    EXPECT_EQ(EngineStateSplash::getLogoIndex(), 2) << "A and Cross share the code: two skips";

    enter(EngineStateSplash::instance());
    device.press(kSpace);
    device.press(kEnter);
    step();
    EXPECT_EQ(EngineStateSplash::getLogoIndex(), 2);
    device.release(kSpace);
    device.release(kEnter);
    step();

    enter(EngineStateSplash::instance());
    tapKey(kSpace);
    tapPad(kPadA);
    ASSERT_FALSE(states.requests.empty());
    EXPECT_EQ(states.requests.back(), EngineStateKestrin::instance()) << "A on the second logo requests play";
    EXPECT_EQ(EngineStateSplash::getLogoIndex(), 2);
}

TEST_F(FrontEndTest, LeavingTheSplashSwitchesItsSkipsOffAndReenteringStartsAgain)
{
    enter(EngineStateSplash::instance());
    tapKey(kSpace);
    tapKey(kSpace);
    tapKey(kSpace);
    EXPECT_EQ(states.requests.back(), EngineStateKestrin::instance());
    enter(&other);
    for (const char* action : {"SplashSpace", "SplashEnter", "SplashGamepadA", "SplashGamepadCross"})
        EXPECT_FALSE(input.isActionEnabled(action)) << action;

    enter(EngineStateSplash::instance());
    EXPECT_EQ(EngineStateSplash::getLogoIndex(), 0);
    EXPECT_FLOAT_EQ(EngineStateSplash::getIconOffset(), EngineStateSplash::getIconTravel() / 720.0f);
    tapKey(kSpace);
    EXPECT_EQ(EngineStateSplash::getLogoIndex(), 1);
}

// ---- Pause menu --------------------------------------------------------------------------

TEST_F(FrontEndTest, OnePressOpensTheMenuAndTheNextPressClosesIt)
{
    bindPauseKey();
    enter(&play);
    device.press(kEscape);
    step(3);
    EXPECT_TRUE(EngineStatePauseMenu::isMenuActive());
    EXPECT_EQ(count("Play.onPause"), 1);
    EXPECT_EQ(ui.getWindowCount(), 6u);
    device.release(kEscape);
    step();
    tapKey(kEscape);
    EXPECT_FALSE(EngineStatePauseMenu::isMenuActive());
    EXPECT_EQ(count("Play.onResume"), 1);
    EXPECT_TRUE(states.getOverlays().empty());
    EXPECT_EQ(ui.getWindowCount(), 0u);
    EXPECT_FALSE(input.isActionEnabled(EngineStatePauseMenu::kUnpauseAction));
}

TEST_F(FrontEndTest, ResumeAndTheUnpauseKeyInOneStepCloseTheMenuOnce)
{
    openPauseMenu();
    Button* resume = menuButton("ButtonResume");
    pointAt(resume->getScreenPosition().x, resume->getScreenPosition().y);
    device.pressMouse(0);
    step();
    device.releaseMouse(0);
    device.press(kEscape);
    step();
    step();
    EXPECT_FALSE(EngineStatePauseMenu::isMenuActive());
    EXPECT_EQ(count("Play.onResume"), 1);
    device.release(kEscape);
    step();
    EXPECT_FALSE(EngineStatePauseMenu::isMenuActive());
}

// Before the first update the sub-page buttons must not show through the paused picture.
TEST_F(FrontEndTest, SubPageButtonsAreHiddenWhenTheMenuOpens)
{
    enter(&play);
    states.pushState(EngineStatePauseMenu::instance(), true);
    for (const char* name : {"butConNext", "butConPrev", "ButtonMute", "ButtonFullScrn", "ButtonQuitConfirm", "ButtonQuitDeny"})
        EXPECT_FALSE(menuButton(name)->isVisible()) << name;
    for (const char* name : {"ButtonResume", "buttonCredits", "PMBOptions", "ButtonControls", "buttonQuit"})
        EXPECT_TRUE(menuButton(name)->isVisible()) << name;
    EXPECT_EQ(panelTexture(), "PmWindowRight");
    EXPECT_EQ(ui.getWindow("WindowPaws")->getTextureName(), "PMPausedScreen");
    EXPECT_TRUE(menuButton("ButtonResume")->isSelected());
}

TEST_F(FrontEndTest, CreditsAndControlPagesWrapAndStartAtPageOne)
{
    openPauseMenu();
    click(menuButton("buttonCredits"));
    EXPECT_EQ(panelTexture(), "PMCredits1");
    EXPECT_FLOAT_EQ(panelDepth(), -0.05f);
    Button* next = menuButton("butConNext");
    Button* prev = menuButton("butConPrev");
    EXPECT_TRUE(next->isVisible());
    const char* credits[] = {"PMCredits2", "PMCredits3", "PMCredits4", "PMCredits5", "PMCredits1"};
    for (const char* page : credits)
    {
        click(next);
        EXPECT_EQ(panelTexture(), page);
    }

    click(menuButton("ButtonControls"));
    EXPECT_EQ(panelTexture(), "PMKeyboardTutorial1");
    click(prev);
    EXPECT_EQ(EngineStatePauseMenu::getPageIndex(), 0);
    EXPECT_EQ(panelTexture(), "PMKeyboardTutorial1");
    for (int i = 0; i < 4; ++i)
        click(next);
    EXPECT_EQ(panelTexture(), "PMKeyboardTutorial1") << "index 4 shows page 1";
    click(prev);
    EXPECT_EQ(panelTexture(), "PMKeyboardTutorial4");

    click(menuButton("buttonCredits"));
    EXPECT_EQ(panelTexture(), "PMCredits1") << "opening credits starts at page 1 again";
}

TEST_F(FrontEndTest, ControlPagesFollowTheActiveDeviceKeepingThePage)
{
    openPauseMenu();
    click(menuButton("ButtonControls"));
    click(menuButton("butConNext"));
    EXPECT_EQ(panelTexture(), "PMKeyboardTutorial2");
    // The input update finds the pad after the menu's update: the page follows one step later.
    device.plugPad(0, "Wireless Controller");
    step(2);
    EXPECT_EQ(panelTexture(), "PMPlayStationTutorial2");
    device.unplugPad(0);
    device.plugPad(1, "Xbox Controller");
    step(2);
    EXPECT_EQ(panelTexture(), "PMXboxTutorial2");
}

TEST_F(FrontEndTest, GamepadRingWrapsBothWays)
{
    plugGamepad();
    openPauseMenu();
    tapStick(1, -1.0f);
    EXPECT_TRUE(menuButton("buttonQuit")->isSelected());
    EXPECT_FALSE(menuButton("ButtonResume")->isSelected());
    tapStick(1, 1.0f);
    EXPECT_TRUE(menuButton("ButtonResume")->isSelected());
    const char* downwards[] = {"buttonCredits", "PMBOptions", "ButtonControls", "buttonQuit", "ButtonResume"};
    for (const char* name : downwards)
    {
        tapStick(1, 1.0f);
        EXPECT_TRUE(menuButton(name)->isSelected()) << name;
    }
}

TEST_F(FrontEndTest, GamepadOptionsSwapTheHighlightAndMuteTogglesItsLook)
{
    plugGamepad();
    openPauseMenu();
    tapStick(1, 1.0f);
    tapStick(1, 1.0f);
    tapPad(kPadA);
    Button* mute = menuButton("ButtonMute");
    Button* fullscreen = menuButton("ButtonFullScrn");
    EXPECT_TRUE(mute->isVisible());
    EXPECT_TRUE(fullscreen->isSelected()) << "the second of the pair starts highlighted";
    EXPECT_FALSE(menuButton("PMBOptions")->isSelected());
    tapStick(0, -1.0f);
    EXPECT_TRUE(mute->isSelected());
    EXPECT_FALSE(fullscreen->isSelected());
    tapStick(0, 1.0f);
    EXPECT_TRUE(fullscreen->isSelected());
    tapStick(0, 1.0f);
    EXPECT_TRUE(mute->isSelected());

    EXPECT_EQ(mute->getTextureName(), "PMBToggleMuteOn");
    tapPad(kPadA);
    EXPECT_TRUE(sound.isMuted());
    EXPECT_EQ(mute->getTextureName(), "PMBToggleMuteOff");
    tapPad(kPadA);
    EXPECT_FALSE(sound.isMuted());
    EXPECT_EQ(mute->getTextureName(), "PMBToggleMuteOn");
}

TEST_F(FrontEndTest, FullscreenButtonFlipsTheEngineAndThePicture)
{
    openPauseMenu();
    click(menuButton("PMBOptions"));
    EXPECT_EQ(ui.getWindow("WindowFullScrn")->getTextureName(), "PMBFullscreenToggleF");
    click(menuButton("ButtonFullScrn"));
    EXPECT_TRUE(engine.isFullscreen());
    EXPECT_EQ(ui.getWindow("WindowFullScrn")->getTextureName(), "PMBFullscreenToggleW");
    click(menuButton("ButtonFullScrn"));
    EXPECT_FALSE(engine.isFullscreen());
}

TEST_F(FrontEndTest, GamepadBackReturnsToTheListOnlyFromASubPage)
{
    plugGamepad();
    openPauseMenu();
    tapPad(kPadB);
    EXPECT_TRUE(menuButton("ButtonResume")->isSelected()) << "B on the main list does nothing";

    tapStick(1, 1.0f);
    tapPad(kPadA);
    EXPECT_EQ(panelTexture(), "PMCredits1");
    EXPECT_TRUE(menuButton("butConPrev")->isSelected());
    tapPad(kPadB);
    EXPECT_TRUE(menuButton("ButtonResume")->isSelected());
    EXPECT_FALSE(menuButton("butConPrev")->isSelected());
    EXPECT_EQ(panelTexture(), "PmWindowRight");
    EXPECT_FLOAT_EQ(panelDepth(), -0.3f) << "the paused picture is in front again";
    EXPECT_FALSE(menuButton("butConNext")->isVisible());

    tapPad(kPadStart);
    EXPECT_FALSE(EngineStatePauseMenu::isMenuActive());
    tapPad(kPadB);
    tapStick(0, 1.0f);
    EXPECT_FALSE(EngineStatePauseMenu::isMenuActive());
}

// The gamepad fault: No's callback highlights Quit, which must not take the same release
// and open the banner again.
TEST_F(FrontEndTest, QuitBannerNoReturnsToQuitWithoutReopening)
{
    plugGamepad();
    openPauseMenu();
    tapStick(1, -1.0f);
    tapPad(kPadA);
    const float cx = 400.0f - 30.0f * (600.0f / 2160.0f * 4.0f);
    EXPECT_NEAR(ui.getWindow("WindowQuit")->getPosition().x, cx, 1e-3f);
    EXPECT_TRUE(menuButton("ButtonQuitDeny")->isSelected());
    EXPECT_FALSE(menuButton("ButtonQuitConfirm")->isSelected());

    tapPad(kPadA);
    step(2);
    EXPECT_FLOAT_EQ(ui.getWindow("WindowQuit")->getPosition().x, 100000.0f);
    EXPECT_TRUE(menuButton("buttonQuit")->isSelected());
    EXPECT_FALSE(menuButton("ButtonQuitDeny")->isSelected());
    EXPECT_EQ(panelTexture(), "PmWindowRight");
    EXPECT_FLOAT_EQ(panelDepth(), -0.05f);

    tapPad(kPadA);
    EXPECT_NEAR(ui.getWindow("WindowQuit")->getPosition().x, cx, 1e-3f) << "a fresh press opens it again";
}

TEST_F(FrontEndTest, QuitBannerYesEndsTheProgramAndNoWorksWithTheMouse)
{
    openPauseMenu();
    click(menuButton("buttonQuit"));
    EXPECT_TRUE(menuButton("ButtonQuitConfirm")->isVisible());
    EXPECT_EQ(menuButton("ButtonQuitConfirm")->getCallback(), &OnQuitGame);
    click(menuButton("ButtonQuitDeny"));
    EXPECT_FLOAT_EQ(ui.getWindow("WindowQuit")->getPosition().x, 100000.0f);
    EXPECT_TRUE(EngineStatePauseMenu::isMenuActive());
}

TEST_F(FrontEndTest, ReopeningAfterClosingFromASubPageStartsOnTheList)
{
    plugGamepad();
    openPauseMenu();
    tapStick(1, 1.0f);
    tapStick(1, 1.0f);
    tapPad(kPadA);
    tapPad(kPadStart);
    EXPECT_FALSE(EngineStatePauseMenu::isMenuActive());
    tapPad(kPadStart);
    ASSERT_TRUE(EngineStatePauseMenu::isMenuActive());
    EXPECT_TRUE(menuButton("ButtonResume")->isSelected());
    tapStick(0, 1.0f);
    EXPECT_FALSE(menuButton("ButtonMute")->isSelected());
    EXPECT_FALSE(menuButton("ButtonMute")->isVisible());
    EXPECT_FLOAT_EQ(panelDepth(), -0.3f);
}

TEST_F(FrontEndTest, MenuLayoutFollowsTheWindowSize)
{
    openPauseMenu();
    engine.handleWindowSize(3840, 2160);
    step();
    Button* resume = menuButton("ButtonResume");
    EXPECT_NEAR(resume->getTransform().getScale().x, 475.0f, 1e-3f);
    EXPECT_NEAR(resume->getTransform().getScale().y, 87.4f, 1e-3f);
    // Credits: x = L = (W/2 - 30s) - 160s, y = base = (H/2 - 50s) - 50.
    Button* credits = menuButton("buttonCredits");
    EXPECT_NEAR(credits->getScreenPosition().x, 1920.0f - 120.0f - 640.0f, 1e-3f);
    EXPECT_NEAR(credits->getScreenPosition().y, 1080.0f - 200.0f - 50.0f, 1e-3f);
    EXPECT_NEAR(resume->getScreenPosition().y, 830.0f - (80.0f + 87.4f), 1e-3f);
}

// Key 7 while paused, then Continue: closing the menu must not free the win screen's windows.
TEST_F(FrontEndTest, ClosingTheMenuKeepsTheWindowsOfTheStateBelow)
{
    openPauseMenu();
    enter(EngineStateEnd::instance());
    EXPECT_TRUE(ui.hasWindow("windo"));
    EXPECT_TRUE(EngineStatePauseMenu::isMenuActive());
    click(menuButton("ButtonResume"));
    step();
    EXPECT_FALSE(EngineStatePauseMenu::isMenuActive());
    ASSERT_TRUE(ui.hasWindow("windo"));
    ASSERT_TRUE(ui.hasWindow("WWIN"));
    EXPECT_FALSE(ui.hasWindow("windowLeft"));
    step(3);
    EXPECT_FALSE(ui.getWindow("windo")->getElement("restart")->isNull());
}

// ---- Win screen --------------------------------------------------------------------------

TEST_F(FrontEndTest, WinScreenEmptiesTheWorldAndLaysOutItsButtons)
{
    engine.handleWindowSize(3840, 2160);
    enter(EngineStateEnd::instance());
    EXPECT_EQ(entities.clears, 1);
    auto* restart = dynamic_cast<Button*>(ui.getWindow("windo")->getElement("restart"));
    auto* quit = dynamic_cast<Button*>(ui.getWindow("windo")->getElement("quit"));
    EXPECT_EQ(restart->getTransform().getScale(), glm::vec3(500.0f, 92.0f, 1.0f));
    EXPECT_FLOAT_EQ(quit->getScreenPosition().x - restart->getScreenPosition().x, 560.0f);
    EXPECT_FLOAT_EQ(restart->getScreenPosition().y, 1080.0f + 200.0f);
    EXPECT_EQ(ui.getWindow("WWIN")->getScale(), glm::vec3(1100.0f, 480.0f, 1.0f));
    EXPECT_EQ(ui.getWindow("windo")->getTextureName(), "PMPlayAgainBanner");
    EXPECT_EQ(quit->getCallback(), &OnQuitGame);
}

TEST_F(FrontEndTest, WinScreenStickSwapsTheHighlightAndPlayAgainRequestsThePlayState)
{
    plugGamepad();
    enter(EngineStateEnd::instance());
    auto* restart = dynamic_cast<Button*>(ui.getWindow("windo")->getElement("restart"));
    auto* quit = dynamic_cast<Button*>(ui.getWindow("windo")->getElement("quit"));
    EXPECT_FALSE(restart->isSelected() || quit->isSelected());
    tapStick(0, 1.0f);
    EXPECT_TRUE(quit->isSelected());
    tapStick(0, -1.0f);
    EXPECT_TRUE(restart->isSelected());
    EXPECT_FALSE(quit->isSelected());
    tapStick(2, 1.0f);
    EXPECT_TRUE(quit->isSelected());
    tapStick(2, 1.0f);
    ASSERT_TRUE(restart->isSelected());

    tapPad(kPadA);
    EXPECT_EQ(states.requests.back(), EngineStateKestrin::instance());

    enter(&other);
    EXPECT_EQ(ui.getWindowCount(), 0u);
    EXPECT_FALSE(input.isActionEnabled(EngineStateEnd::kSwapAction));
    tapStick(0, 1.0f);
}

TEST_F(FrontEndTest, WinScreenPlayAgainWithTheMouse)
{
    enter(EngineStateEnd::instance());
    auto* restart = dynamic_cast<Button*>(ui.getWindow("windo")->getElement("restart"));
    click(restart);
    EXPECT_EQ(states.requests.back(), EngineStateKestrin::instance());
}
