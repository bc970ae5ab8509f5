#pragma once
// The overlay the play state pushes over itself when the game pauses. It draws nothing
// itself: it builds six windows and eleven buttons, registers them with the UIManager and
// lays them out again on every update from the window size. A main list on the left (Resume,
// Credits, Options, Controls, Quit) opens sub-pages in the panel on the right: credits pages,
// control pages for the active device, the mute and full-screen toggles, or the quit banner.
// The mouse works through the buttons themselves; with a gamepad the stick moves a highlight
// round the list, left and right swap it within the open sub-page's pair and B goes back.
// The menu closes itself from its own update once "UnpauseGame" or Resume asked for it.

#include "engine/IEngineState.h"
#include "input/InputEvent.h"

#include <cstdint>

class EngineStatePauseMenu : public IEngineState
{
public:
    static constexpr const char* kUnpauseAction = "UnpauseGame";
    static EngineStatePauseMenu* instance();

    void load() override;
    void initialize() override;
    void update() override;
    void render() override {}
    void shutdown() override;
    void unload() override {}

    static bool isMenuActive();
    static int32_t getPageIndex();
};

// Ends the program after the current pass; the win screen's quit button uses it too.
void OnQuitGame();
