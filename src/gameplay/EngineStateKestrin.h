#pragma once
// The state in which the game is played. Entering it starts the level music, loads "Level1",
// places the player and shows the opening comic with the player's controls off until the
// comic is dismissed. While current it makes the camera follow the player, draws the win
// picture after the last level's goal, lights the goal's sparks once, points at a thrown
// package that left the window, pauses into the pause menu, loads a level file dropped on
// the window and offers the developer windows. Its actions live in PlayStateActions, its
// remembered values in the PlayStateRecord; the player's own rules belong to the
// PlayerControllerSystem.

#include "engine/IEngineState.h"

#include <glm/glm.hpp>

#include <string>

class Camera;

class EngineStateKestrin : public IEngineState
{
public:
    static constexpr const char* kName = "EngineStateKestrin";
    static EngineStateKestrin* instance();

    void load() override;
    void initialize() override;
    void update() override;
    void render() override;
    void shutdown() override;
    void unload() override {}
    void onPause() override;
    void onResume() override;
    void onFileDrop(const std::string& path) override;
    void onMinimize() override;
    void onRestore() override {}
    void debugGui() override;

private:
    void fillDebugMenus();
    void resumeWorld();
};

// The camera's distance to aim for: 10 plus half the arc tangent of the larger signed
// difference (not the larger magnitude), so between 10 and 10 + pi / 4.
float ZoomTarget(float dx, float dy);
// One step of the camera follow: a tenth of the way towards the target and the zoom, and,
// for a perspective camera only, a tenth of the way towards the lean the offset asks for.
void FollowTarget(Camera& camera, const glm::vec3& target);
// Whether a dropped file is loaded as a level: the text after its last dot is exactly "json".
bool IsLevelFile(const std::string& path);
// A developer window of sliders over a matrix's x and y position and scale and a rotation;
// its close button clears open.
void ShowMatrixEditor(const char* title, glm::vec3& position, glm::vec3& scale, float& rotation, bool& open);
