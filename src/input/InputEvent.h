#pragma once
// What every action callback receives: which control fired and its reading at that moment.

#include <string>

struct InputEvent
{
    std::string codeName;
    float value = 0.0f;
    // Whole-stick codes only: the last stick direction beyond the dead zone.
    float stickX = 0.0f;
    float stickY = 0.0f;
    // Left and right mouse button codes only: the cursor in window coordinates.
    double cursorX = 0.0;
    double cursorY = 0.0;
};

using InputCallback = void (*)(InputEvent);
