#pragma once
// Sandbox for movement, collision and the camera, away from the levels: a weightless copy of
// the player that four actions ("MoveRightT", "MoveLeftT", "MoveUpT", "MoveDownT", keys from
// the binding file) push along the axes, a plain block to collide with and a copy of the
// goal, seen through an orthographic camera of its own that follows the player. No level
// file is loaded. The developer menu offers the diagnostics window. Reached by key 3 only.

#include "engine/IEngineState.h"

class Camera;

class EngineStateTobrin : public IEngineState
{
public:
    static constexpr const char* kName = "EngineStateTobrin";
    static constexpr const char* kMenuTitle = "Show Windows";
    static constexpr const char* kDiagnosticsItem = "Diagnostics";
    static constexpr const char* kMoveRight = "MoveRightT";
    static constexpr const char* kMoveLeft = "MoveLeftT";
    static constexpr const char* kMoveUp = "MoveUpT";
    static constexpr const char* kMoveDown = "MoveDownT";
    // The player is put back here when it sinks this low.
    static constexpr float kFloorHeight = -4.5f;
    static EngineStateTobrin* instance();

    void load() override;
    void initialize() override;
    void update() override;
    void render() override;
    void shutdown() override;
    void unload() override {}
    void debugGui() override;

    // The camera keeps its position from one entry to the next.
    static const Camera& sandboxCamera();

private:
    void buildScene() const;
    void buildMenus();
};
