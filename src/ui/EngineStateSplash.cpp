#include "ui/EngineStateSplash.h"

#include "engine/Engine.h"
#include "engine/EngineStateManager.h"
#include "gameplay/EngineStateKestrin.h"
#include "graphics/Camera.h"
#include "graphics/DrawData.h"
#include "graphics/GraphicsSystem.h"
#include "graphics/Mesh.h"
#include "graphics/MeshManager.h"
#include "graphics/TextureManager.h"
#include "input/InputSystem.h"
#include "ui/UIManager.h"
#include "world/EntityManager.h"

#include <vector>

namespace
{
struct SkipInput
{
    const char* action;
    InputCode code;
};

// Gamepad button 0 stands twice, once per family's name for it: one press skips two logos.
const SkipInput kSkipInputs[] = {
    {"SplashSpace", 32},         {"SplashEnter", 257},          {"SplashEscape", 256},
    {"SplashLeft", 350},         {"SplashRight", 351},          {"SplashGamepadA", 360},
    {"SplashGamepadStart", 367}, {"SplashGamepadCross", 360},
};
const char* const kDisableOrder[] = {"SplashEnter",  "SplashSpace",    "SplashEscape",       "SplashLeft",
                                     "SplashRight",  "SplashGamepadA", "SplashGamepadCross", "SplashGamepadStart"};

struct Logo
{
    const char* texture;
    float widthPerHeight; // of the window height
    float heightPerHeight;
};
const Logo kLogos[] = {
    {"Ostrel_RED", 0.4f * 4.14f, 0.4f},
    {"FMOD_White", 0.4f * 3.79f, 0.4f},
    {"TeamLogo", 0.85f, 0.85f},
};
constexpr int32_t kLogoCount = 3;
constexpr const char* kQuadMesh = "quad";
constexpr float kIconInset = 0.05f;
constexpr float kIconTravelShare = 0.92f;
constexpr float kIconSteps = 720.0f;

std::vector<Texture> logos;
Texture progressIcon;
int32_t logoIndex = 0;
int32_t updateCount = 0;
float iconOffset = 0.0f;
float iconTravel = 0.0f;
GraphicsSystem* splashGraphics = GraphicsSystemNull::instance();
Camera splashCamera;

InputSystem* Input()
{
    return Engine::getSystem<InputSystem>(InputSystem::kName, InputSystemNull::instance());
}

TextureManager* Textures()
{
    return Engine::getSystem<TextureManager>(TextureManager::kName, TextureManagerNull::instance());
}

glm::vec2 WindowSize()
{
    const Engine* engine = Engine::current();
    return engine ? glm::vec2(engine->getWidth(), engine->getHeight()) : glm::vec2(0.0f);
}

void RequestPlayState()
{
    Engine::getSystem<EngineStateManager>(EngineStateManager::kName, EngineStateManagerNull::instance())
        ->setNextState(EngineStateKestrin::instance());
}

void RequestPlayStateAfterTheLastLogo()
{
    const int32_t count = static_cast<int32_t>(logos.size());
    if (logoIndex < count)
        return;
    logoIndex = count - 1;
    RequestPlayState();
}

void OnSplashSkip(InputEvent)
{
    ++logoIndex;
    updateCount = 0;
    RequestPlayStateAfterTheLastLogo();
}

void DrawQuad(const glm::vec3& position, const glm::vec2& size, const Texture& texture)
{
    splashGraphics->setContext(UIManager::kContextName, splashCamera);
    DrawData data = splashGraphics->getDrawData();
    data.transform.setPosition(position);
    data.transform.setScale(size.x, size.y, 1.0f);
    data.texture = texture;
    Engine::getSystem<MeshManager>(MeshManager::kName, MeshManagerNull::instance())->getMesh(kQuadMesh)->draw(data, true);
}
}

EngineStateSplash* EngineStateSplash::instance()
{
    static EngineStateSplash state;
    return &state;
}

// The textures are fetched in the order the loader has always used; the list keeps display
// order.
void EngineStateSplash::load()
{
    const Texture studio = Textures()->getTexture(kLogos[0].texture);
    const Texture sound = Textures()->getTexture(kLogos[1].texture);
    progressIcon = Textures()->getTexture(kIconTexture);
    const Texture team = Textures()->getTexture(kLogos[2].texture);
    logos = {studio, sound, team};
    splashGraphics = Engine::getSystem<GraphicsSystem>(GraphicsSystem::kName, GraphicsSystemNull::instance());
}

void EngineStateSplash::initialize()
{
    for (const SkipInput& skip : kSkipInputs)
        Input()->addBinding(skip.action, skip.code, OnPress, OnSplashSkip);
    for (const SkipInput& skip : kSkipInputs)
        Input()->enableAction(skip.action);
    Engine::getSystem<EntityManager>(EntityManager::kName, EntityManagerNull::instance())->clearActive();
    updateCount = 0;
    logoIndex = 0;
    iconOffset = 0.0f;
    const float height = WindowSize().y;
    iconTravel = height - height * kIconTravelShare;
}

// Three logos of 240 updates each; the update after the last one requests the play state.
void EngineStateSplash::update()
{
    RequestPlayStateAfterTheLastLogo();
    ++updateCount;
    iconOffset += iconTravel / kIconSteps;
    if (updateCount == kUpdatesPerLogo)
    {
        ++logoIndex;
        updateCount = 0;
    }
}

void EngineStateSplash::render()
{
    const glm::vec2 size = WindowSize();
    if (logoIndex >= 0 && logoIndex < static_cast<int32_t>(logos.size()) && logoIndex < kLogoCount)
    {
        const Logo& logo = kLogos[logoIndex];
        DrawQuad({size.x / 2.0f, size.y / 2.0f, 0.0f}, {logo.widthPerHeight * size.y, logo.heightPerHeight * size.y},
                 logos[static_cast<size_t>(logoIndex)]);
    }
    const float iconSize = kIconInset * size.y;
    DrawQuad({size.x - kIconInset * size.x, size.y - kIconInset * size.y + iconOffset, 1.0f}, {iconSize, iconSize},
             progressIcon);
}

void EngineStateSplash::shutdown()
{
    for (const char* action : kDisableOrder)
        Input()->disableAction(action);
}

void EngineStateSplash::onFileDrop(const std::string& path)
{
    EngineStateKestrin::instance()->onFileDrop(path);
}

int32_t EngineStateSplash::getLogoIndex()
{
    return logoIndex;
}

int32_t EngineStateSplash::getUpdateCount()
{
    return updateCount;
}

float EngineStateSplash::getIconOffset()
{
    return iconOffset;
}

float EngineStateSplash::getIconTravel()
{
    return iconTravel;
}
