#pragma once
// Everything the main play state remembers between calls. The state object itself carries
// only what every game state has; its actions, its package indicator and its own operations
// share this one record, which lives for the whole run. Values survive state switches and
// restarts except where the state's initialize sets them again.

#include "audio/SoundReceipt.h"
#include "graphics/Camera.h"

#include <glm/glm.hpp>

#include <cstdint>
#include <string>

class GraphicsSystem;

struct PlayStateRecord
{
    SoundReceipt levelMusic;
    // The world camera while the play state draws, and the pixel camera of the interface.
    Camera playCamera;
    Camera interfaceCamera;
    GraphicsSystem* cachedGraphics;

    bool comicShowing = true;
    std::string nextLevelName;
    // Lit once per run: later wins light nothing.
    bool goalSparksLit = false;
    bool playPaused = false;
    bool cullingToggle = false;

    // Entities are held by id: a scene load deletes them behind the state's back.
    uint32_t testEntityId = 0;
    bool hasTestEntity = false;

    // Developer menu switches; the debug menus point at these.
    bool showSceneManager = false;
    bool showAssetManipulation = false;
    bool showDiagnostics = false;
    bool cheatGodMode = false;
    bool cheatNoClip = false;
    bool cheatEndLevel = false;

    glm::vec3 uiTestPosition{200.0f, 100.0f, 0.1f};
    glm::vec3 uiTestScale{400.0f, 200.0f, 1.0f};
    float uiTestRotation = 0.0f;
    bool uiTestMatrixOpen = false;
    bool rotatingMatrixOpen = false;

    PlayStateRecord();
};

// The play state's one record.
PlayStateRecord& PlayState();
