#include "gameplay/EngineStateKestrin.h"

#include "engine/FileHelpers.h"
#include "engine/TraceLog.h"
#include "gameplay/PackageIndicator.h"
#include "gameplay/PlayStateActions.h"
#include "gameplay/PlayStateRecord.h"
#include "gameplay/PlaySystems.h"
#include "graphics/Mesh.h"
#include "graphics/UniformNames.h"
#include "world/Entity.h"
#include "world/EntityFlags.h"
#include "world/StatsComp.h"

#include <GL/glew.h>
#include <imgui.h>

#include <cmath>

namespace
{
constexpr const char* kMusicPreset = "Music";
constexpr const char* kFirstLevel = "Level1";
constexpr const char* kLevelExtension = "json";
constexpr const char* kWinFirstOccurance = "winFirstOccurance";
constexpr const char* kWinTexture = "WinScreen";
constexpr const char* kComicTexture = "OpeningComic";

constexpr const char* kMenuCheats = "Cheats";
constexpr const char* kMenuShowWindows = "Show Windows";

// The play state's background, left for the engine's clear at the start of the next frame.
const glm::vec4 kBackground{0.2f, 0.2f, 0.33f, 1.0f};
const glm::vec4 kWhite{1.0f};

// The camera starts just in front of the level and follows from about ten units away.
const glm::vec3 kCameraStart{0.0f, 0.0f, 1.0f};
constexpr float kFarPlane = 1000.0f;
constexpr float kFollowShare = 0.1f;
constexpr float kZoomBase = 10.0f;
constexpr float kRadiansToDegrees = 57.29578f;
constexpr float kPitchDivisor = 30.0f;
constexpr float kYawDivisor = 20.0f;

// The comic is a world-space square centred on the player, in front of the level.
constexpr float kComicSize = 18.0f;
constexpr float kComicDepth = 5.0f;
// The win picture fills a quarter of the window's height, 2.29 times as wide, near the top.
constexpr float kWinHeightShare = 0.25f;
constexpr float kWinAspect = 2.29f;
constexpr float kWinDepth = -0.5f;

TransformComp* TransformOf(const Entity* entity)
{
    return entity->getComponent<TransformComp>(TransformComp::kName, TransformCompNull::instance());
}

glm::vec3 FollowPoint(const TransformComp* player)
{
    return player->getUseRenderPosition() ? player->getRenderPosition() : player->getPosition();
}

glm::ivec2 WindowPixels()
{
    const Engine* engine = Engine::current();
    return engine ? glm::ivec2(engine->getWidth(), engine->getHeight()) : glm::ivec2(0);
}

void SetUpPlayCamera(Camera& camera)
{
    camera.setProjectionMode(ProjectionMode::Perspective);
    camera.setViewMode(ViewMode::Euler);
    camera.setFarPlane(kFarPlane);
    camera.setRotation(glm::vec3(0.0f));
    camera.setPosition(kCameraStart);
}

void DrawQuad(DrawData& record, const std::string& texture)
{
    record.texture = PlaySystems::Textures()->getTexture(texture);
    PlaySystems::Meshes()->getMesh(PlayNames::kQuadMesh)->draw(record, true);
}

// Drawn through the interface context, which is current when this runs.
void DrawWinPicture()
{
    const glm::ivec2 window = WindowPixels();
    const float height = static_cast<float>(window.y);
    DrawData record = PlayState().cachedGraphics->getDrawData();
    record.transform.setPosition(static_cast<float>(window.x / 2), height - kWinHeightShare * height, kWinDepth);
    record.transform.setScale(kWinHeightShare * height * kWinAspect, kWinHeightShare * height, 1.0f);
    DrawQuad(record, kWinTexture);
}

// Only the first goal in id order, and only once per run, whether or not a goal was found.
void LightFirstGoalSparks()
{
    EntityManager* entities = PlaySystems::Entities();
    for (uint32_t id : entities->getActiveIds())
    {
        const Entity* entity = entities->findById(id);
        if (entity->getFlag(EntityFlags::kGoal))
        {
            LightGoalSparks(entity);
            break;
        }
    }
    PlayState().goalSparksLit = true;
}

void DrawComic()
{
    const glm::vec3 player = TransformOf(PlaySystems::Entities()->getPlayer())->getPosition();
    GraphicsSystem* graphics = PlaySystems::Graphics();
    graphics->setContext(PlayNames::kWorldContext);
    DrawData record = graphics->getDrawData();
    record.graphics->setUniform(UniformNames::kBlendColor, 1, &kWhite[0]);
    record.graphics->setUniform(UniformNames::kDrawColor, 1, &kWhite[0]);
    TransformComp transform;
    transform.setPosition(player.x, player.y, kComicDepth);
    transform.setScale(kComicSize, kComicSize, 1.0f);
    record.transform = transform;
    DrawQuad(record, kComicTexture);
}

// Edits the test entity; the editor closes once a scene load has deleted it.
void DrawRotatingMatrixEditor()
{
    PlayStateRecord& state = PlayState();
    TransformComp* transform = TestEntityTransform();
    if (transform->isNull())
    {
        state.rotatingMatrixOpen = false;
        return;
    }
    glm::vec3 position = transform->getPosition();
    glm::vec3 scale = transform->getScale();
    float rotation = 1.0f;
    ShowMatrixEditor("Background Rotating Matrix", position, scale, rotation, state.rotatingMatrixOpen);
    transform->setScale(scale);
    transform->setPosition(position);
}

// The matrix editors opened from the list belong to this window: they show only while it does.
void DrawAssetManipulation()
{
    PlayStateRecord& state = PlayState();
    ImGui::Begin("ASSET MANIPULATION");
    ImGui::Text("Contains a list of all assets currently on screen");
    if (ImGui::CollapsingHeader("ACTIVE ASSETS"))
    {
        if (ImGui::Selectable("UI Test Matrix"))
            state.uiTestMatrixOpen = true;
        // Only while there is an entity to edit.
        if (ImGui::Selectable("Rotating Matrix") && !TestEntityTransform()->isNull())
            state.rotatingMatrixOpen = true;
    }
    ImGui::End();
    if (state.uiTestMatrixOpen)
        ShowMatrixEditor("UI Test Matrix", state.uiTestPosition, state.uiTestScale, state.uiTestRotation,
                         state.uiTestMatrixOpen);
    if (state.rotatingMatrixOpen)
        DrawRotatingMatrixEditor();
}
}

EngineStateKestrin* EngineStateKestrin::instance()
{
    static EngineStateKestrin state;
    return &state;
}

void EngineStateKestrin::load()
{
    PlayState().cachedGraphics = PlaySystems::Graphics();
    RegisterPlayStateActions();
}

// A developer shortcut can leave this state while it is paused under the pause menu; each
// entry starts with the world running again.
void EngineStateKestrin::initialize()
{
    setPaused(false);
    resumeWorld();
    PlayStateRecord& state = PlayState();
    state.levelMusic = PlaySystems::Sound()->playPreset(kMusicPreset);
    Log()->message(kName, "initialize");
    EnableGameActions();
    SetUpPlayCamera(state.playCamera);
    state.cachedGraphics->setFrustumCulling(PlayNames::kWorldContext, true);
    PlaySystems::Scenes()->loadScene(kFirstLevel);
    PlaySystems::Controller()->resetPlayer();
    fillDebugMenus();
    CreateTestEntity();
    // The player waits until the comic's wipe has ended.
    DisablePlayerControls();
    state.comicShowing = true;
    PlaySystems::Input()->enableAction(PlayActions::kComicDisable);
}

void EngineStateKestrin::fillDebugMenus()
{
    PlayStateRecord& state = PlayState();
    debugMenus.clear();
    state.showDiagnostics = PlaySystems::Debug()->isDiagnosticsShown();
    debugMenus[kMenuShowWindows]["Asset Manipulation"] = &state.showAssetManipulation;
    debugMenus[kMenuShowWindows]["Diagnostics"] = &state.showDiagnostics;
    debugMenus[kMenuShowWindows]["Scene Manager"] = &state.showSceneManager;
    debugMenus[kMenuCheats]["End Level"] = &state.cheatEndLevel;
    debugMenus[kMenuCheats]["God Mode"] = &state.cheatGodMode;
    debugMenus[kMenuCheats]["No Clip"] = &state.cheatNoClip;
}

void EngineStateKestrin::update()
{
    PlayStateRecord& state = PlayState();
    EntityManager* entities = PlaySystems::Entities();
    state.nextLevelName = entities->findFirstWithFlag(EntityFlags::kGoal)
                              ->getComponent<StatsComp>(StatsComp::kName, StatsCompNull::instance())
                              ->getNextLevel();
    FollowTarget(state.playCamera, FollowPoint(TransformOf(entities->getPlayer())));
    if (state.cheatEndLevel)
    {
        OnEndLevel(InputEvent{});
        state.cheatEndLevel = false;
    }
    PlaySystems::Debug()->setDiagnosticsShown(state.showDiagnostics);
}

void EngineStateKestrin::render()
{
    PlayStateRecord& state = PlayState();
    // No window, no GL context to give the colour to.
    if (GetEngineWindow())
        glClearColor(kBackground.r, kBackground.g, kBackground.b, kBackground.a);
    state.cachedGraphics->setContext(PlayNames::kWorldContext, state.playCamera);
    state.cachedGraphics->setContext(PlayNames::kInterfaceContext, state.interfaceCamera);
    if (PlaySystems::Entities()->getPlayer()->getFlag(kWinFirstOccurance))
    {
        // A goal that leads nowhere ended the last level.
        if (state.nextLevelName.empty())
            DrawWinPicture();
        if (!state.goalSparksLit)
            LightFirstGoalSparks();
    }
    if (state.comicShowing)
        DrawComic();
    DrawPackageIndicator();
}

void EngineStateKestrin::shutdown()
{
    DisableGameActions();
    PlaySystems::Sound()->stopAll();
    PlaySystems::Particles()->clearParticles();
}

void EngineStateKestrin::onPause()
{
    PlaySystems::Entities()->setPaused(true);
    PlaySystems::Particles()->setPaused(true);
    PlaySystems::Controller()->setPaused(true);
    PlayState().playPaused = true;
    DisableGameActions();
}

// The pause switched "ComicDisable" off with the rest: while the comic still waits for its
// wipe it must be dismissable again.
void EngineStateKestrin::onResume()
{
    resumeWorld();
    EnableGameActions();
    if (PlayState().comicShowing && !PlaySystems::Transitions()->isRunning())
        PlaySystems::Input()->enableAction(PlayActions::kComicDisable);
}

void EngineStateKestrin::resumeWorld()
{
    PlaySystems::Entities()->setPaused(false);
    PlaySystems::Particles()->setPaused(false);
    PlaySystems::Controller()->setPaused(false);
    PlayState().playPaused = false;
}

void EngineStateKestrin::onFileDrop(const std::string& path)
{
    if (!IsLevelFile(path))
        return;
    PlaySystems::Scenes()->loadSceneByPath(path);
    PlaySystems::Controller()->resetPlayer();
}

void EngineStateKestrin::onMinimize()
{
    OnPauseGame(InputEvent{});
}

void EngineStateKestrin::debugGui()
{
    PlayStateRecord& state = PlayState();
    if (!PlaySystems::Gui()->isOverlayShown())
        return;
    PlaySystems::Debug()->drawMenuBar(debugMenus);
    if (state.showSceneManager)
        PlaySystems::Scenes()->drawSceneChanger();
    if (state.showAssetManipulation)
        DrawAssetManipulation();
    if (state.showDiagnostics)
        PlaySystems::Debug()->drawDiagnostics();
}

float ZoomTarget(float dx, float dy)
{
    const float larger = dy > dx ? dy : dx;
    return std::fabs(std::atan(larger) * 0.5f) + kZoomBase;
}

void FollowTarget(Camera& camera, const glm::vec3& target)
{
    const glm::vec3 c = camera.getPosition();
    const float dx = target.x - c.x;
    const float dy = target.y - c.y;
    const float zoom = ZoomTarget(dx, dy);
    camera.move(glm::vec3(dx, dy, zoom - c.z) * kFollowShare);
    if (camera.getProjectionMode() != ProjectionMode::Perspective)
        return;
    // Both turns are measured from the angles read before either.
    const glm::vec3 e = camera.getEulerAngles();
    const float pitchStep = (-std::atan(dy) / kPitchDivisor - e.x) * kRadiansToDegrees * kFollowShare;
    const float yawStep = (std::atan(dx) / kYawDivisor - e.y) * kRadiansToDegrees * kFollowShare;
    camera.rotate(glm::vec3(1.0f, 0.0f, 0.0f), pitchStep);
    camera.rotate(glm::vec3(0.0f, 1.0f, 0.0f), yawStep);
}

bool IsLevelFile(const std::string& path)
{
    return GetExtension(path) == kLevelExtension;
}

void ShowMatrixEditor(const char* title, glm::vec3& position, glm::vec3& scale, float& rotation, bool& open)
{
    ImGui::Begin(title);
    ImGui::SliderFloat("Matrix X Position", &position.x, 0.0f, 400.0f, "%.3f", 0);
    ImGui::SliderFloat("Matrix Y Position", &position.y, 0.0f, 400.0f, "%.3f", 0);
    ImGui::SliderFloat("Matrix X Scale", &scale.x, 1.0f, 1000.0f, "%.3f", 0);
    ImGui::SliderFloat("Matrix Y Scale", &scale.y, 1.0f, 1000.0f, "%.3f", 0);
    ImGui::SliderFloat("Matrix Rotation", &rotation, 0.0f, 400.0f, "%.3f", 0);
    ImGui::NewLine();
    ImGui::NewLine();
    if (ImGui::Button("CLOSE WINDOW"))
        open = false;
    ImGui::End();
}
