#pragma once
// The win screen that replaces the play state when the game is over: a "WinScreen" picture
// above a banner carrying two buttons, "restart" (the play state again) and "quit". Entering
// it empties the world. The mouse works through the buttons; with a gamepad, stick left or
// right swaps the highlight between the two and the interface press triggers it.

#include "engine/IEngineState.h"

class EngineStateEnd : public IEngineState
{
public:
    static constexpr const char* kSwapAction = "final";
    static EngineStateEnd* instance();

    void load() override {}
    void initialize() override;
    void update() override;
    void render() override {}
    void shutdown() override;
    void unload() override {}
};
