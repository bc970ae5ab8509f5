#include "support/GameRig.h"

#include "engine/EngineStateManager.h"
#include "engine/GameClock.h"
#include "game/GameComposition.h"
#include "graphics/GraphicsSystem.h"
#include "graphics/Picking.h"
#include "input/InputSystem.h"
#include "platform/GlfwInputDevice.h"
#include "support/GLContext.h"
#include "support/TestSupport.h"
#include "world/ColliderComp.h"
#include "world/PhysicsComp.h"
#include "world/Entity.h"
#include "world/EntityManager.h"
#include "world/TransformComp.h"

#include <GL/glew.h>
#include <GLFW/glfw3.h>

#include <cstdlib>

namespace test
{
glm::vec3 PositionOf(Entity* entity)
{
    return entity->getComponent<TransformComp>(TransformComp::kName, TransformCompNull::instance())->getPosition();
}

GameRig::GameRig()
{
    setenv("APPDATA", ScratchFolder("GameRig").c_str(), 1);
    GameClock::setManualSeconds(1.0);
    engine.setSystemRegistrar(RegisterGameSystems);
    started = engine.initialize();
    if (!started)
        return;
    // A plain 800x600 window: a software renderer draws it several times faster.
    engine.setFullscreen(false);
    glfwPollEvents();
    InputSystem::getInstance()->setDevice(&device);
}

// The input system outlives the rig: it must not keep the rig's device, which the next
// engine's start-up would otherwise reach through.
GameRig::~GameRig()
{
    InputSystem::getInstance()->setDevice(GlfwInputDevice::instance());
    engine.shutdown();
    GameClock::useRealClock();
}

void GameRig::step(int count)
{
    for (int i = 0; i < count; ++i)
    {
        heldKeys.insert(device.keys.begin(), device.keys.end());
        heldButtons.insert(device.mouseButtons.begin(), device.mouseButtons.end());
        GameClock::advanceManualSeconds(0.01);
        engine.step();
        noteState();
        if (afterStep)
            afterStep();
        if (++stepCount % renderEvery == 0)
        {
            glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
            engine.renderSystems();
        }
    }
}

void GameRig::tap(int32_t key)
{
    device.press(key);
    step();
    device.release(key);
    step();
}

// The world camera reaches the picking code through the last frame drawn: draw one first.
void GameRig::pointAt(const glm::vec3& world)
{
    engine.renderSystems();
    const Camera camera = GraphicsSystem::getInstance()->getCamera(GraphicsSystem::kWorldContext);
    const glm::vec3 screen = WorldToScreen(world, camera);
    device.cursorX = screen.x;
    device.cursorY = static_cast<double>(engine.getHeight()) - screen.y;
}

Entity* GameRig::player() const
{
    return EntityManager::getInstance()->getPlayer();
}

glm::vec3 GameRig::playerPosition() const
{
    return PositionOf(player());
}

glm::vec3 GameRig::playerVelocity() const
{
    return player()->getComponent<PhysicsComp>(PhysicsComp::kName, PhysicsCompNull::instance())->getVelocity();
}

bool GameRig::playerGrounded() const
{
    return player()->getComponent<ColliderComp>(ColliderComp::kName, ColliderCompNull::instance())->isCollidingDown();
}

IEngineState* GameRig::currentState() const
{
    return EngineStateManager::getInstance()->getCurrentState();
}

void GameRig::noteState()
{
    IEngineState* state = currentState();
    if (history.empty() || history.back() != state)
        history.push_back(state);
}

bool GameRig::savePicture(const std::string& fileName)
{
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    engine.renderSystems();
    glFinish();
    const int32_t width = engine.getWidth();
    const int32_t height = engine.getHeight();
    std::vector<uint8_t> pixels(static_cast<size_t>(width) * height * 4);
    glReadPixels(0, 0, width, height, GL_RGBA, GL_UNSIGNED_BYTE, pixels.data());
    return SavePNG(OutputFolder() + "/" + fileName, width, height, pixels);
}
}
