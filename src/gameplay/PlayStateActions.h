#pragma once
// The play state's input actions: pause, dismissing the opening comic, stopping the level
// music, and the developer and cheat actions (camera mode, system restart, jump to the goal,
// kill, instant win, frustum culling, scaling the test entity). DisableGameActions and
// EnableGameActions switch these and the player controller's actions off and on together
// whenever the play state starts, pauses, resumes or ends.

#include "input/InputEvent.h"
#include "world/TransformComp.h"

class Entity;

namespace PlayActions
{
inline constexpr const char* kCameraSwitchMode = "CameraSwitchMode";
inline constexpr const char* kRestartSystems = "RestartSystems";
inline constexpr const char* kEndLevel = "EndLevel";
inline constexpr const char* kToggleCulling = "ToggleCulling";
inline constexpr const char* kTestScaleUpX = "TestScaleUpX";
inline constexpr const char* kTestScaleDownX = "TestScaleDownX";
inline constexpr const char* kTestScaleUpY = "TestScaleUpY";
inline constexpr const char* kTestScaleDownY = "TestScaleDownY";
inline constexpr const char* kPauseGame = "PauseGame";
inline constexpr const char* kKillPlayer = "KillPlayer";
inline constexpr const char* kWinGame = "WinGame";
inline constexpr const char* kComicDisable = "ComicDisable";
inline constexpr const char* kStopLevelMusic = "A";
// The wipe that takes the opening comic away.
inline constexpr const char* kComicTransition = "Transition1";
}

// Registers every callback and the bindings that the binding file does not give. Safe to
// repeat: the input system keeps a callback and an identical binding only once.
void RegisterPlayStateActions();

void OnCameraSwitchMode(InputEvent event);
void OnRestartSystems(InputEvent event);
void OnEndLevel(InputEvent event);
void OnToggleCulling(InputEvent event);
void OnTestScaleUpX(InputEvent event);
void OnTestScaleDownX(InputEvent event);
void OnTestScaleUpY(InputEvent event);
void OnTestScaleDownY(InputEvent event);
void OnPauseGame(InputEvent event);
void OnKillPlayer(InputEvent event);
void OnWinGame(InputEvent event);
void OnComicDisable(InputEvent event);
void OnStopLevelMusic(InputEvent event);

// The comic wipe's covered callback: hides the comic.
void ClearComicFlag();

void DisableGameActions();
// Leaves the no-clip pair off (the player controller switches it) and the player's nine
// controls alone while the player controller holds them off.
void EnableGameActions();

// Switches on the goal's "GoalSparks" emitter.
void LightGoalSparks(const Entity* goal);

// A new empty entity that the developer scale actions work on, owned by the entity manager.
void CreateTestEntity();
// The test entity's transform, or the null transform once a scene load has deleted it.
TransformComp* TestEntityTransform();
