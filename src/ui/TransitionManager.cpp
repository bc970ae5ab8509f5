#include "ui/TransitionManager.h"

#include "engine/Engine.h"
#include "engine/SystemSingleton.h"
#include "engine/TimeHelpers.h"
#include "graphics/AnimationManager.h"
#include "graphics/Camera.h"
#include "graphics/GraphicsSystem.h"
#include "graphics/Mesh.h"
#include "graphics/MeshManager.h"
#include "graphics/TextureManager.h"

#include <array>

namespace
{
TransitionManager* gTransitionManager = nullptr;

struct Wipe
{
    const char* name;
    const char* titleCard;
};
constexpr std::array<Wipe, 3> kWipes{{{"Transition1", "Level1Text"},
                                      {"Transition2", "Level2Text"},
                                      {"Transition3", "Level3Text"}}};

constexpr float kHoldMs = 3000.0f;
// From this frame on the wipe is opaque enough to carry the level's title card.
constexpr int32_t kCoveredFrame = 77;
constexpr float kTitleCardSize = 600.0f;

// Window pixels, origin top-left, y downward.
Camera& ScreenCamera()
{
    static Camera camera;
    return camera;
}

float NowMs()
{
    return static_cast<float>(GetTimeMs());
}

const char* TitleCardOf(const std::string& name)
{
    for (const Wipe& wipe : kWipes)
        if (name == wipe.name)
            return wipe.titleCard;
    return "";
}

void DrawQuad(DrawData& record)
{
    Engine::getSystem<MeshManager>(MeshManager::kName, MeshManagerNull::instance())->getMesh("quad")->draw(record, true);
}
}

TransitionManager* TransitionManager::getInstance()
{
    return GetSystemSingleton(gTransitionManager, kName);
}

TransitionManagerNull* TransitionManagerNull::instance()
{
    static TransitionManagerNull null;
    return &null;
}

// The manager outlives the engine that started it; a new engine's wipes start idle, with
// the new animation manager's sheets, never a wipe or sheet left from the last one.
void TransitionManager::initialize()
{
    onCovered = onUncovered = nullptr;
    currentSheet = nullptr;
    currentName.clear();
    phase = kIdle;
    nextTime = 0.0f;
    frame = 0;
    takeSheets();
}

// Takes the sheets afresh; a running wipe keeps its phase, frame and callbacks. The animation
// manager restarts first and frees its old sheets, so a running wipe moves to the new sheet of
// its name rather than drawing from freed memory.
void TransitionManager::restart()
{
    takeSheets();
    if (phase != kIdle)
        currentSheet = sheets.at(currentName);
}

void TransitionManager::takeSheets()
{
    AnimationManager* animations =
        Engine::getSystem<AnimationManager>(AnimationManager::kName, AnimationManagerNull::instance());
    sheets.clear();
    for (const Wipe& wipe : kWipes)
        sheets.emplace(wipe.name, animations->getAnimationSheet(wipe.name));
}

bool TransitionManager::startTransition(std::string name, TransitionCallback uncovered)
{
    return startTransition(nullptr, std::move(name), uncovered);
}

bool TransitionManager::startTransition(TransitionCallback covered, std::string name)
{
    return startTransition(covered, std::move(name), nullptr);
}

bool TransitionManager::startTransition(std::string name)
{
    return startTransition(nullptr, std::move(name), nullptr);
}

// A sheet that lacks an animation of the wipe's own name would be the animation manager's
// fallback, whose one frame never finishes covering: such a wipe is refused like an unknown
// name, so a caller never waits forever for its callback.
bool TransitionManager::startTransition(TransitionCallback covered, std::string name, TransitionCallback uncovered)
{
    if (phase != kIdle)
        return false;
    auto found = sheets.find(name);
    if (found == sheets.end() || !found->second->hasAnimation(name))
        return false;
    phase = kCovering;
    currentSheet = found->second;
    currentName = std::move(name);
    onCovered = covered;
    onUncovered = uncovered;
    return true;
}

void TransitionManager::update()
{
    const float now = NowMs();
    if (phase == kCovering)
        stepCovering(now);
    else if (phase == kHolding)
        stepHolding(now);
    else if (phase == kUncovering)
        stepUncovering(now);
}

// At most one frame per update, so a frame lasts at least one fixed step.
void TransitionManager::stepCovering(float now)
{
    if (now > nextTime)
    {
        nextTime = now + static_cast<float>(currentSheet->getFrameDuration(currentName));
        frame = currentSheet->nextFrame(frame, currentName);
    }
    if (!currentSheet->isFinished(frame, currentName))
        return;
    // The phase changes first, so a start made from inside the callback is refused.
    phase = kHolding;
    nextTime = now + kHoldMs;
    if (onCovered)
        onCovered();
}

void TransitionManager::stepHolding(float now)
{
    if (now > nextTime)
        phase = kUncovering;
}

void TransitionManager::stepUncovering(float now)
{
    if (now > nextTime)
    {
        nextTime = now + static_cast<float>(currentSheet->getFrameDuration(currentName));
        frame = currentSheet->previousFrame(frame, currentName);
    }
    if (frame != 0)
        return;
    // Idle first, so the callback may start the next wipe at once.
    phase = kIdle;
    if (onUncovered)
        onUncovered();
}

void TransitionManager::render()
{
    if (phase == kIdle)
        return;
    GraphicsSystem* graphics = Engine::getSystem<GraphicsSystem>(GraphicsSystem::kName, GraphicsSystemNull::instance());
    graphics->setContext(GraphicsSystem::kInterfaceContext, ScreenCamera());
    DrawData record = graphics->getDrawData();
    Engine* engine = Engine::current();
    const float w = engine ? static_cast<float>(engine->getWidth()) : 0.0f;
    const float h = engine ? static_cast<float>(engine->getHeight()) : 0.0f;
    TextureManager* textures = Engine::getSystem<TextureManager>(TextureManager::kName, TextureManagerNull::instance());

    record.textureUVDimension = currentSheet->getSheetDimensions();
    record.textureUVOffset = currentSheet->getFrameUV(frame, currentName);
    record.transform.setScale(w, h, 1.0f);
    record.transform.setPosition(w / 2.0f, h / 2.0f, 1.0f);
    record.texture = textures->getTexture(currentName);
    DrawQuad(record);
    if (frame <= kCoveredFrame)
        return;

    record.textureUVOffset = currentSheet->getFrameUV(kCoveredFrame, currentName);
    record.transform.setPosition(w / 2.0f, h / 2.0f, 0.5f);
    DrawQuad(record);

    record.transform.setScale(kTitleCardSize, kTitleCardSize, 1.0f);
    record.textureUVDimension = glm::vec2(1.0f, 1.0f);
    record.textureUVOffset = glm::vec2(0.0f, 0.0f);
    record.transform.setPosition(w / 2.0f, h / 2.0f, 0.75f);
    record.texture = textures->getTexture(TitleCardOf(currentName));
    DrawQuad(record);
}
