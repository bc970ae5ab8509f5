#include "ui/EngineStatePauseMenu.h"

#include "audio/SoundManager.h"
#include "engine/Engine.h"
#include "engine/EngineStateManager.h"
#include "input/InputSystem.h"
#include "ui/Button.h"
#include "ui/UIManager.h"
#include "ui/UIWindow.h"

#include <glm/glm.hpp>

#include <optional>
#include <string>
#include <vector>

namespace
{
// Window names, each with its own texture where it has one.
constexpr const char* kWindowLeft = "windowLeft";
constexpr const char* kWindowBG = "WindowBG";
constexpr const char* kWindowPaws = "WindowPaws";
constexpr const char* kWindowCredits = "WindowCredits";
constexpr const char* kWindowQuit = "WindowQuit";
constexpr const char* kWindowFullScrn = "WindowFullScrn";
const char* const kWindowNames[] = {kWindowLeft, kWindowBG, kWindowPaws, kWindowCredits, kWindowQuit, kWindowFullScrn};

constexpr const char* kLeftTexture = "PMWindowLeft";
constexpr const char* kRightTexture = "PmWindowRight";
constexpr const char* kPausedTexture = "PMPausedScreen";
constexpr const char* kQuitBannerTexture = "PMQuitConfirmBanner";
constexpr const char* kFullscreenOnTexture = "PMBFullscreenToggleW";
constexpr const char* kWindowedTexture = "PMBFullscreenToggleF";
constexpr const char* kMuteOnTexture = "PMBToggleMuteOn";
constexpr const char* kMuteOffTexture = "PMBToggleMuteOff";
constexpr const char* kCreditsPrefix = "PMCredits";
const char* const kTutorialPrefixes[] = {"PMKeyboardTutorial", "PMPlayStationTutorial", "PMXboxTutorial"};
constexpr int32_t kCreditsPages = 5;
constexpr int32_t kControlPages = 4;

// Element names.
constexpr const char* kResume = "ButtonResume";
constexpr const char* kCredits = "buttonCredits";
constexpr const char* kOptions = "PMBOptions";
constexpr const char* kControls = "ButtonControls";
constexpr const char* kQuit = "buttonQuit";
constexpr const char* kNext = "butConNext";
constexpr const char* kPrev = "butConPrev";
constexpr const char* kMute = "ButtonMute";
constexpr const char* kMuteConstructedAs = "PMBToggleMuteOff";
constexpr const char* kFullScrn = "ButtonFullScrn";
constexpr const char* kYes = "ButtonQuitConfirm";
constexpr const char* kNo = "ButtonQuitDeny";

// Depths: a larger z lies in front; -0.3 keeps a part behind the -0.1 pictures.
constexpr float kBehind = -0.3f;
constexpr float kPictureDepth = -0.1f;
constexpr float kPanelInFront = -0.05f;
constexpr float kPagesInFront = -0.02f;
constexpr float kOptionsInFront = -0.01f;
constexpr float kOptionsShownAbove = -0.2f;
constexpr float kBannerHidden = -10000.0f;
constexpr float kBannerDismissed = -1000000.0f;
constexpr float kBannerOffScreenX = 100000.0f;

// Every open state of the menu; the values outlive each opening.
bool menuActive = false;
bool justOpened = false;
bool unpauseRequested = false;
bool controlsShown = false;
bool creditsShown = false;
int32_t pageIndex = 0;
bool sidePairActive = false;
Button* sideFirst = nullptr;
Button* sideSecond = nullptr;
Button* selectedButton = nullptr;
float rightPanelDepth = kBehind;
float creditsWindowDepth = kBehind;
float pageButtonDepth = kBehind;
float optionsDepth = kBehind;
float quitBannerX = kBannerHidden;

struct Windows
{
    UIWindow* left = nullptr;
    UIWindow* background = nullptr;
    UIWindow* paused = nullptr;
    UIWindow* credits = nullptr;
    UIWindow* quit = nullptr;
    UIWindow* fullscreen = nullptr;
} windows;

struct Buttons
{
    Button* resume = nullptr;
    Button* credits = nullptr;
    Button* options = nullptr;
    Button* controls = nullptr;
    Button* quit = nullptr;
    Button* next = nullptr;
    Button* prev = nullptr;
    Button* mute = nullptr;
    Button* fullscreen = nullptr;
    Button* yes = nullptr;
    Button* no = nullptr;
} buttons;

InputSystem* Input()
{
    return Engine::getSystem<InputSystem>(InputSystem::kName, InputSystemNull::instance());
}

UIManager* UI()
{
    return Engine::getSystem<UIManager>(UIManager::kName, UIManagerNull::instance());
}

SoundManager* Sound()
{
    return Engine::getSystem<SoundManager>(SoundManager::kName, SoundManagerNull::instance());
}

bool GamepadInUse()
{
    return Input()->getControllerType() > 0;
}

// The layout, recomputed from the window size on every update.
struct Layout
{
    float s, cx, cy, left, right, banner, buttonWidth, buttonHeight, step, base;
};

Layout ComputeLayout()
{
    const Engine* engine = Engine::current();
    const int32_t width = engine ? engine->getWidth() : 0;
    const int32_t height = engine ? engine->getHeight() : 0;
    Layout layout{};
    layout.s = static_cast<float>(height) / 2160.0f * 4.0f;
    layout.cx = static_cast<float>(width / 2) - 30.0f * layout.s;
    layout.cy = static_cast<float>(height / 2) - 50.0f * layout.s;
    layout.left = layout.cx - 160.0f * layout.s;
    layout.right = layout.cx + 130.0f * layout.s;
    layout.banner = quitBannerX == 0.0f ? layout.cx : kBannerOffScreenX;
    layout.buttonWidth = (layout.s - 0.2f) * 125.0f;
    layout.buttonHeight = (layout.s - 0.2f) * 23.0f;
    layout.step = 20.0f * layout.s + layout.buttonHeight;
    layout.base = layout.cy - 50.0f;
    return layout;
}

void Place(UIWindow* window, float x, float y, float z, float width, float height)
{
    window->setPosition({x, y, z});
    window->setScale({width, height, 1.0f});
}

void Place(Button* button, float x, float y, float z, float width, float height)
{
    button->setPosition({x, y, z});
    button->setScale({width, height, 1.0f});
}

void LayOutWindows(const Layout& l)
{
    const float s = l.s;
    Place(windows.left, l.left, l.cy, kPictureDepth, 127.0f * s, 267.0f * s);
    Place(windows.background, l.right, l.cy, rightPanelDepth, 320.0f * s, 255.0f * s);
    Place(windows.paused, l.right, l.cy, kPictureDepth, 320.0f * s, 255.0f * s);
    Place(windows.credits, l.right, l.cy, creditsWindowDepth, 320.0f * s, 255.0f * s);
    Place(windows.quit, l.banner, l.cy, 0.1f, 561.0f * s, 112.0f * s);
    Place(windows.fullscreen, l.right - 80.0f * s, l.cy, optionsDepth, 103.0f * s, 68.0f * s);
}

void LayOutButtons(const Layout& l)
{
    const float s = l.s;
    Place(buttons.resume, l.left, l.base - l.step, 0.0f, l.buttonWidth, l.buttonHeight);
    Place(buttons.credits, l.left, l.base, 0.0f, l.buttonWidth, l.buttonHeight);
    Place(buttons.options, l.left, l.base + l.step, 0.0f, l.buttonWidth, l.buttonHeight);
    Place(buttons.controls, l.left, l.base + 2.0f * l.step, 0.0f, l.buttonWidth, l.buttonHeight);
    Place(buttons.quit, l.left, l.base + 3.0f * l.step, 0.0f, l.buttonWidth, l.buttonHeight);
    Place(buttons.next, l.right + 30.0f * s, l.cy + 110.0f * s, pageButtonDepth, 48.0f * s, 23.0f * s);
    Place(buttons.prev, l.right - 30.0f * s, l.cy + 110.0f * s, pageButtonDepth, 48.0f * s, 23.0f * s);
    Place(buttons.mute, l.right + 80.0f * s, l.cy, optionsDepth, 27.0f * s, 27.0f * s);
    Place(buttons.fullscreen, l.right - 80.0f * s, l.cy, optionsDepth, 103.0f * s, 68.0f * s);
    Place(buttons.yes, l.banner + 40.0f * s, l.cy + 18.0f * s, 0.2f, 62.0f * s, 23.0f * s);
    Place(buttons.no, l.banner - 40.0f * s, l.cy + 18.0f * s, 0.2f, 62.0f * s, 23.0f * s);
}

// Page names end in one digit, '1' plus the page's remainder.
std::string PageTexture()
{
    if (creditsShown)
        return kCreditsPrefix + std::string(1, static_cast<char>('1' + pageIndex % kCreditsPages));
    const ControllerType device = Input()->getControllerType();
    const char* prefix = kTutorialPrefixes[device < 3 ? device : 2];
    return prefix + std::string(1, static_cast<char>('1' + pageIndex % kControlPages));
}

void ApplyTextures()
{
    const Engine* engine = Engine::current();
    const bool fullscreen = engine && engine->isFullscreen();
    windows.fullscreen->setTexture(fullscreen ? kFullscreenOnTexture : kWindowedTexture);
    windows.background->setTexture(controlsShown ? PageTexture() : kRightTexture);
    buttons.mute->setTexture(Sound()->isMuted() ? kMuteOffTexture : kMuteOnTexture);
}

void ApplyOptionsVisibility()
{
    const bool shown = optionsDepth > kOptionsShownAbove;
    buttons.fullscreen->setVisible(shown);
    buttons.mute->setVisible(shown);
}

std::vector<Button*> SubPageButtons()
{
    return {buttons.next, buttons.prev, buttons.mute, buttons.fullscreen, buttons.yes, buttons.no};
}

void HideSubPageButtons()
{
    for (Button* button : SubPageButtons())
        button->setVisible(false);
}

void Deselect(Button* button)
{
    if (button)
        button->setSelected(false);
}

// One row of the sub-page table: what opening a sub-page sets.
struct SubPage
{
    std::optional<float> pageDepth;
    float options;
    float bannerX;
    bool controls;
    bool credits;
    std::optional<int32_t> page;
    std::vector<Button*> visible;
    Button* first;
    Button* second;
};

void OpenSubPage(const SubPage& page)
{
    rightPanelDepth = kPanelInFront;
    creditsWindowDepth = kBehind;
    if (page.pageDepth)
        pageButtonDepth = *page.pageDepth;
    optionsDepth = page.options;
    quitBannerX = page.bannerX;
    controlsShown = page.controls;
    creditsShown = page.credits;
    if (page.page)
        pageIndex = *page.page;
    for (Button* button : SubPageButtons())
        button->setVisible(std::find(page.visible.begin(), page.visible.end(), button) != page.visible.end());
    Deselect(selectedButton);
    selectedButton = nullptr;
    if (!GamepadInUse())
        return;
    Deselect(sideFirst);
    Deselect(sideSecond);
    sideFirst = page.first;
    sideSecond = page.second;
    sideFirst->setSelected(false);
    sideSecond->setSelected(true);
    sidePairActive = true;
}

void Select(Button* button)
{
    selectedButton = button;
    button->setSelected(true);
}

void RequestClose()
{
    if (!justOpened)
        unpauseRequested = true;
}

void OnUnpauseGame(InputEvent)
{
    RequestClose();
}

void OnResumePressed()
{
    RequestClose();
}

void OnCreditsPressed()
{
    OpenSubPage({kPagesInFront, kBehind, kBannerHidden, true, true, 0, {buttons.next, buttons.prev}, buttons.next,
                 buttons.prev});
}

void OnControlsPressed()
{
    OpenSubPage({kPagesInFront, kBehind, kBannerHidden, true, false, 0, {buttons.next, buttons.prev}, buttons.next,
                 buttons.prev});
}

void OnOptionsPressed()
{
    OpenSubPage({kBehind, kOptionsInFront, kBannerHidden, false, false, std::nullopt,
                 {buttons.mute, buttons.fullscreen}, buttons.mute, buttons.fullscreen});
}

void OnQuitPressed()
{
    OpenSubPage({std::nullopt, kBehind, 0.0f, false, false, std::nullopt, {buttons.yes, buttons.no}, buttons.yes,
                 buttons.no});
}

void OnNextPagePressed()
{
    ++pageIndex;
}

void OnPrevPagePressed()
{
    if (pageIndex > 0)
        --pageIndex;
}

void OnMutePressed()
{
    SoundManager* sound = Sound();
    sound->setMuted(!sound->isMuted());
}

void OnFullscreenPressed()
{
    if (Engine* engine = Engine::current())
        engine->setFullscreen(!engine->isFullscreen());
}

// The banner leaves the screen; Yes and No go with it, their visibility untouched.
void OnQuitDenyPressed()
{
    quitBannerX = kBannerDismissed;
    pageButtonDepth = kBehind;
    rightPanelDepth = kPanelInFront;
    creditsWindowDepth = kBehind;
    controlsShown = false;
    creditsShown = false;
    optionsDepth = kBehind;
    Select(buttons.quit);
    if (!GamepadInUse())
        return;
    Deselect(sideFirst);
    Deselect(sideSecond);
    sidePairActive = false;
}

void OnMenuBack(InputEvent)
{
    if (!menuActive || !sidePairActive)
        return;
    Select(buttons.resume);
    Deselect(sideFirst);
    Deselect(sideSecond);
    sidePairActive = false;
    rightPanelDepth = creditsWindowDepth = pageButtonDepth = optionsDepth = kBehind;
    controlsShown = false;
    creditsShown = false;
    quitBannerX = kBannerHidden;
    HideSubPageButtons();
}

void MoveSelection(bool down)
{
    if (!menuActive || !selectedButton || !GamepadInUse())
        return;
    selectedButton->setSelected(false);
    Button* target = down ? selectedButton->getNext() : selectedButton->getPrevious();
    if (target)
        Select(target);
}

void OnMenuUp(InputEvent)
{
    MoveSelection(false);
}

void OnMenuDown(InputEvent)
{
    MoveSelection(true);
}

// Left and right both swap the highlight within the pair; neither has a direction.
void OnMenuLeftRight(InputEvent)
{
    if (!menuActive || !sideFirst || !sideSecond || !sidePairActive)
        return;
    if (sideFirst->isSelected())
    {
        sideFirst->setSelected(false);
        sideSecond->setSelected(true);
    }
    else if (sideSecond->isSelected())
    {
        sideSecond->setSelected(false);
        sideFirst->setSelected(true);
    }
}

struct Binding
{
    const char* action;
    InputCode code;
    InputCallback callback;
};

const Binding kBindings[] = {
    {"MenueUp", 382, OnMenuUp},         {"MenueUp", 386, OnMenuUp},         {"MenueDown", 383, OnMenuDown},
    {"MenueDown", 387, OnMenuDown},     {"back", 361, OnMenuBack},          {"LFMenue", 381, OnMenuLeftRight},
    {"LFMenue", 385, OnMenuLeftRight},  {"LFMenue", 380, OnMenuLeftRight},  {"LFMenue", 384, OnMenuLeftRight},
};

void ResetPanel()
{
    rightPanelDepth = creditsWindowDepth = pageButtonDepth = optionsDepth = kBehind;
    quitBannerX = kBannerHidden;
    controlsShown = false;
    creditsShown = false;
    sidePairActive = false;
}

// The first values use unscaled offsets and the sizes at s = 1.2; the first update lays the
// menu out properly, so they show only in a frame drawn before it.
void CreateWindows()
{
    const Engine* engine = Engine::current();
    const float halfW = static_cast<float>(engine ? engine->getWidth() / 2 : 0);
    const float halfH = static_cast<float>(engine ? engine->getHeight() / 2 : 0);
    windows.left = new UIWindow({halfW - 190.0f, halfH - 50.0f, kPictureDepth}, {152.4f, 320.4f, 1.0f});
    windows.background = new UIWindow({halfW + 100.0f, halfH - 50.0f, rightPanelDepth}, {384.0f, 306.0f, 1.0f});
    windows.paused = new UIWindow({halfW + 100.0f, halfH - 50.0f, -0.09f}, {384.0f, 306.0f, 1.0f});
    windows.credits = new UIWindow({halfW + 100.0f, halfH - 50.0f, -0.2f}, {384.0f, 306.0f, 1.0f});
    windows.quit = new UIWindow({quitBannerX, halfH - 50.0f, -0.2f}, {673.2f, 134.4f, 1.0f});
    windows.fullscreen = new UIWindow({halfW + 40.0f, halfH - 50.0f, optionsDepth}, {123.6f, 81.6f, 1.0f});
    windows.fullscreen->setTexture(kWindowedTexture);
    windows.quit->setTexture(kQuitBannerTexture);
    windows.paused->setTexture(kPausedTexture);
    windows.background->setTexture(kRightTexture);
    windows.left->setTexture(kLeftTexture);
}

Button* AddButton(const char* element, const char* constructedAs, const char* texture, ButtonCallback callback)
{
    Button* button = new Button(constructedAs);
    button->setTexture(texture);
    windows.left->addElement(element, button);
    button->setCallback(callback);
    return button;
}

void CreateButtons()
{
    buttons.resume = AddButton(kResume, kResume, "PMBContinue", OnResumePressed);
    Select(buttons.resume);
    buttons.credits = AddButton(kCredits, kCredits, "PMBCredits", OnCreditsPressed);
    buttons.options = AddButton(kOptions, kOptions, "PMBOptions", OnOptionsPressed);
    buttons.controls = AddButton(kControls, kControls, "PMBControls", OnControlsPressed);
    buttons.quit = AddButton(kQuit, kQuit, "PMBQuit", OnQuitPressed);
    buttons.next = AddButton(kNext, kNext, "PMBNext", OnNextPagePressed);
    buttons.prev = AddButton(kPrev, kPrev, "PMBBack", OnPrevPagePressed);
    buttons.mute = AddButton(kMute, kMuteConstructedAs, kMuteOnTexture, OnMutePressed);
    buttons.fullscreen = AddButton(kFullScrn, kFullScrn, kFullscreenOnTexture, OnFullscreenPressed);
    buttons.yes = AddButton(kYes, kYes, "PMBYes", OnQuitGame);
    buttons.no = AddButton(kNo, kNo, "PMBNo", OnQuitDenyPressed);
    // Until a sub-page opens its buttons stay hidden; otherwise they would show through
    // the paused picture in the frames before the first update.
    HideSubPageButtons();
}

void Link(Button* button, Button* previous, Button* next)
{
    button->setPrevious(previous);
    button->setNext(next);
}

void LinkRing()
{
    Link(buttons.quit, buttons.controls, buttons.resume);
    Link(buttons.controls, buttons.options, buttons.quit);
    Link(buttons.options, buttons.credits, buttons.controls);
    Link(buttons.credits, buttons.resume, buttons.options);
    Link(buttons.resume, buttons.quit, buttons.credits);
}

// The menu removes only its own windows, so a state entered while it is open keeps its own.
void RemoveOwnWindows()
{
    for (const char* name : kWindowNames)
        UI()->removeWindow(name);
}
}

EngineStatePauseMenu* EngineStatePauseMenu::instance()
{
    static EngineStatePauseMenu state;
    return &state;
}

void EngineStatePauseMenu::load()
{
    Input()->registerCallback(kUnpauseAction, OnUnpauseGame);
}

void EngineStatePauseMenu::initialize()
{
    Input()->enableAction(kUnpauseAction);
    for (const Binding& binding : kBindings)
        Input()->addBinding(binding.action, binding.code, OnPress, binding.callback);
    ResetPanel();
    RemoveOwnWindows();
    CreateWindows();
    UI()->addWindow(kWindowFullScrn, windows.fullscreen);
    UI()->addWindow(kWindowQuit, windows.quit);
    UI()->addWindow(kWindowCredits, windows.credits);
    UI()->addWindow(kWindowPaws, windows.paused);
    UI()->addWindow(kWindowBG, windows.background);
    CreateButtons();
    sideFirst = buttons.yes;
    sideSecond = buttons.no;
    UI()->addWindow(kWindowLeft, windows.left);
    justOpened = true;
    menuActive = true;
    LinkRing();
}

void EngineStatePauseMenu::update()
{
    justOpened = false;
    if (unpauseRequested)
    {
        Engine::getSystem<EngineStateManager>(EngineStateManager::kName, EngineStateManagerNull::instance())
            ->popState(true);
        unpauseRequested = false;
    }
    if (!menuActive)
        return;
    const Layout layout = ComputeLayout();
    LayOutWindows(layout);
    LayOutButtons(layout);
    ApplyTextures();
    ApplyOptionsVisibility();
}

void EngineStatePauseMenu::shutdown()
{
    Input()->disableAction(kUnpauseAction);
    RemoveOwnWindows();
    menuActive = false;
}

bool EngineStatePauseMenu::isMenuActive()
{
    return menuActive;
}

int32_t EngineStatePauseMenu::getPageIndex()
{
    return pageIndex;
}

void OnQuitGame()
{
    if (Engine* engine = Engine::current())
        engine->quit();
}
