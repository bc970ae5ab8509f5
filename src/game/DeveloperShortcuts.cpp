#include "game/DeveloperShortcuts.h"

#include "engine/Engine.h"
#include "engine/EngineStateManager.h"
#include "gameplay/EngineStateKestrin.h"
#include "input/InputSystem.h"
#include "tools/EngineStateMorvel.h"
#include "tools/EngineStateQuenby.h"
#include "tools/EngineStateTobrin.h"
#include "tools/IMGUISystem.h"
#include "ui/EngineStateEnd.h"
#include "ui/EngineStatePauseMenu.h"
#include "ui/EngineStateSplash.h"

namespace
{
// The registered manager when there is one, so a stand-in can watch the requests; the
// singleton otherwise.
void RequestState(IEngineState* state)
{
    Engine::getSystem<EngineStateManager>(EngineStateManager::kName, EngineStateManager::getInstance())
        ->setNextState(state);
}
}

void OnScMorvel(InputEvent)
{
    RequestState(EngineStateMorvel::instance());
}

void OnScKestrin(InputEvent)
{
    RequestState(EngineStateKestrin::instance());
}

void OnScTobrin(InputEvent)
{
    RequestState(EngineStateTobrin::instance());
}

void OnScQuenby(InputEvent)
{
    RequestState(EngineStateQuenby::instance());
}

void OnScSplash(InputEvent)
{
    RequestState(EngineStateSplash::instance());
}

// The pause menu as the current state rather than an overlay: a quick way to work on it.
void OnScPause(InputEvent)
{
    RequestState(EngineStatePauseMenu::instance());
}

void OnScEnd(InputEvent)
{
    RequestState(EngineStateEnd::instance());
}

void OnToggleDebug(InputEvent)
{
    IMGUISystem* gui = Engine::getSystem<IMGUISystem>(IMGUISystem::kName, IMGUISystemNull::instance());
    gui->setStateToolsShown(!gui->isStateToolsShown());
    gui->setOverlayShown(!gui->isOverlayShown());
}

void OnToggleFullscreen(InputEvent)
{
    if (Engine* engine = Engine::current())
        engine->setFullscreen(!engine->isFullscreen());
}

void AddDeveloperShortcuts(InputSystem& input)
{
    input.addBinding(InputSystem::kSandboxShortcut, InputCodes::kKey1, OnPress, OnScMorvel);
    input.addBinding("ScKestrin", 50, OnPress, OnScKestrin);
    input.addBinding("ScTobrin", 51, OnPress, OnScTobrin);
    input.addBinding("ScQuenby", 52, OnPress, OnScQuenby);
    input.addBinding("ScSplash", 53, OnPress, OnScSplash);
    input.addBinding("ScPause", 54, OnPress, OnScPause);
    input.addBinding("ScENd", 55, OnPress, OnScEnd);
    input.addBinding("ToggleDebug", InputCodes::kKeyF3, OnPress, OnToggleDebug);
    input.addBinding("ToggleFullscreen", InputCodes::kKeyF11, OnPress, OnToggleFullscreen);
}
