#pragma once
// The first game state: three logos, each for 240 fixed updates, with a small checkpoint
// icon creeping down the bottom-right corner for the whole sequence. Any of eight skip inputs
// moves on to the next logo; when the last logo runs out or is skipped, the play state is
// requested. A level file dropped on the window loads as it does in the play state.

#include "engine/IEngineState.h"

#include <cstdint>
#include <string>

class EngineStateSplash : public IEngineState
{
public:
    static constexpr int32_t kUpdatesPerLogo = 240;
    static constexpr const char* kIconTexture = "Checkpoint";
    static EngineStateSplash* instance();

    void load() override;
    void initialize() override;
    void update() override;
    void render() override;
    void shutdown() override;
    void unload() override {}
    void onFileDrop(const std::string& path) override;

    // Read-outs of the timeline for tests and the developer tools.
    static int32_t getLogoIndex();
    static int32_t getUpdateCount();
    static float getIconOffset();
    static float getIconTravel();
};
