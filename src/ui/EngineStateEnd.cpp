#include "ui/EngineStateEnd.h"

#include "engine/Engine.h"
#include "engine/EngineStateManager.h"
#include "gameplay/EngineStateKestrin.h"
#include "input/InputSystem.h"
#include "ui/Button.h"
#include "ui/EngineStatePauseMenu.h"
#include "ui/UIManager.h"
#include "ui/UIWindow.h"
#include "world/EntityManager.h"

namespace
{
constexpr const char* kBannerWindow = "windo";
constexpr const char* kWinWindow = "WWIN";
constexpr const char* kQuitButton = "quit";
constexpr const char* kRestartButton = "restart";
constexpr const char* kBannerTexture = "PMPlayAgainBanner";
constexpr const char* kWinTexture = "WinScreen";
constexpr const char* kRestartTexture = "WinScreenPlayAgain";
constexpr const char* kQuitTexture = "PMBQuit";
constexpr float kDepth = -0.1f;
const InputCode kSwapCodes[] = {381, 385, 380, 384};

UIWindow* endBannerWindow = nullptr;
UIWindow* endWinWindow = nullptr;
Button* endQuitButton = nullptr;
Button* endRestartButton = nullptr;

InputSystem* Input()
{
    return Engine::getSystem<InputSystem>(InputSystem::kName, InputSystemNull::instance());
}

UIManager* UI()
{
    return Engine::getSystem<UIManager>(UIManager::kName, UIManagerNull::instance());
}

void OnPlayAgainPressed()
{
    Engine::getSystem<EngineStateManager>(EngineStateManager::kName, EngineStateManagerNull::instance())
        ->setNextState(EngineStateKestrin::instance());
}

// Left and right do the same: the highlight goes to the other button.
void OnEndMenuSwap(InputEvent)
{
    const bool quitHighlighted = endQuitButton->isSelected();
    endQuitButton->setSelected(!quitHighlighted);
    endRestartButton->setSelected(quitHighlighted);
}

Button* AddButton(const char* name, const char* texture, ButtonCallback callback)
{
    Button* button = new Button(name);
    button->setTexture(texture);
    endBannerWindow->addElement(name, button);
    button->setCallback(callback);
    return button;
}

void Place(UIWindow* window, float x, float y, float width, float height)
{
    window->setPosition({x, y, kDepth});
    window->setScale({width, height, 1.0f});
}

void Place(Button* button, float x, float y, float width, float height)
{
    button->setPosition({x, y, kDepth});
    button->setScale({width, height, 1.0f});
}

// The state removes only its own windows, so an overlay still open above it keeps its own.
void RemoveOwnWindows()
{
    UI()->removeWindow(kBannerWindow);
    UI()->removeWindow(kWinWindow);
}
}

EngineStateEnd* EngineStateEnd::instance()
{
    static EngineStateEnd state;
    return &state;
}

// The windows are placed by the update the state manager runs right after the switch.
void EngineStateEnd::initialize()
{
    RemoveOwnWindows();
    const glm::vec3 startScale(127.0f, 267.0f, 1.0f);
    endBannerWindow = new UIWindow({0.0f, 0.0f, kDepth}, startScale);
    endWinWindow = new UIWindow({0.0f, 0.0f, kDepth}, startScale);
    endQuitButton = AddButton(kQuitButton, kQuitTexture, OnQuitGame);
    endRestartButton = AddButton(kRestartButton, kRestartTexture, OnPlayAgainPressed);
    for (InputCode code : kSwapCodes)
        Input()->addBinding(kSwapAction, code, OnPress, OnEndMenuSwap);
    Input()->enableAction(kSwapAction);
    UI()->addWindow(kBannerWindow, endBannerWindow);
    UI()->addWindow(kWinWindow, endWinWindow);
    endBannerWindow->setTexture(kBannerTexture);
    endWinWindow->setTexture(kWinTexture);
    Engine::getSystem<EntityManager>(EntityManager::kName, EntityManagerNull::instance())->clearActive();
}

void EngineStateEnd::update()
{
    const Engine* engine = Engine::current();
    const int32_t width = engine ? engine->getWidth() : 0;
    const int32_t height = engine ? engine->getHeight() : 0;
    const float s = static_cast<float>(height) / 2160.0f * 4.0f;
    const float cx = static_cast<float>(width / 2);
    const float cy = static_cast<float>(height / 2);
    Place(endRestartButton, cx - 70.0f * s, cy + 50.0f * s, 125.0f * s, 23.0f * s);
    Place(endQuitButton, cx + 70.0f * s, cy + 50.0f * s, 125.0f * s, 23.0f * s);
    Place(endBannerWindow, cx, cy - 70.0f * s, 561.0f * s, 112.0f * s);
    Place(endWinWindow, cx, cy - 200.0f * s, 550.0f * s * 0.5f, 240.0f * s * 0.5f);
}

void EngineStateEnd::shutdown()
{
    RemoveOwnWindows();
    Input()->disableAction(kSwapAction);
}
