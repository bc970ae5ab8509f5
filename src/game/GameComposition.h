#pragma once
// The one place that wires the game: which engine systems exist, in which order they are
// registered (which is also their update and render order), and which game state comes
// first. The engine core knows none of the game's systems; main hands it this list.

#include "input/InputCode.h"

class Engine;
class InputSystem;

void RegisterGameSystems(Engine& engine);

// Hands the input system what it may not know: the developer shortcuts and the interface's
// gamepad notice.
void WireInput(InputSystem& input);
void ShowControllerNotice(ControllerType type);
