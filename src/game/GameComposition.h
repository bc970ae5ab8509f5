#pragma once
// The one place that wires the game: which engine systems exist, in which order they are
// registered (which is also their update and render order), and which game state comes
// first. The engine core knows none of the game's systems; main hands it this list.

class Engine;

void RegisterGameSystems(Engine& engine);
