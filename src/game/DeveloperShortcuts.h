#pragma once
// The always-live developer keys: number keys 1-7 jump straight to a game state, F3 toggles
// the developer GUI and F11 full screen. They are bound in code so no binding file can lose
// them. They name the game's states, so they are wiring: the composition root hands them to
// the input system, which knows no game state.

#include "input/InputEvent.h"

class InputSystem;

void OnScMorvel(InputEvent event);
void OnScKestrin(InputEvent event);
void OnScTobrin(InputEvent event);
void OnScQuenby(InputEvent event);
void OnScSplash(InputEvent event);
void OnScPause(InputEvent event);
void OnScEnd(InputEvent event);
void OnToggleDebug(InputEvent event);
void OnToggleFullscreen(InputEvent event);

void AddDeveloperShortcuts(InputSystem& input);
