#pragma once
// The whole game as the binary runs it, in a window of the virtual X server, driven step by
// step on the manual clock through a fake input device. Playthrough tests script a player
// against it and read the world back.

#include "engine/Engine.h"
#include "input/FakeInputDevice.h"

#include <glm/glm.hpp>

#include <functional>
#include <set>
#include <string>
#include <vector>

class Entity;
class IEngineState;

namespace test
{
// Where an entity stands in the world (its transform's position).
glm::vec3 PositionOf(Entity* entity);

class GameRig
{
public:
    GameRig();
    ~GameRig();
    bool ok() const { return started; }

    // One fixed step of every system; every `renderEvery` steps a frame is drawn too.
    void step(int count = 1);
    // Holds the key for one step, then lets go for one.
    void tap(int32_t key);
    void press(int32_t key) { device.press(key); }
    void release(int32_t key) { device.release(key); }
    void pressMouse(int32_t button) { device.pressMouse(button); }
    void releaseMouse(int32_t button) { device.releaseMouse(button); }
    // Puts the cursor over a world point as the world camera sees it.
    void pointAt(const glm::vec3& world);
    // Steps until the condition holds or the step budget runs out; returns whether it held.
    template <class Condition>
    bool stepUntil(Condition condition, int budget)
    {
        for (int i = 0; i < budget; ++i)
        {
            if (condition())
                return true;
            step();
        }
        return condition();
    }

    Entity* player() const;
    glm::vec3 playerPosition() const;
    glm::vec3 playerVelocity() const;
    bool playerGrounded() const;
    IEngineState* currentState() const;
    // The states the manager has made current, in order, without repeats.
    const std::vector<IEngineState*>& stateHistory() const { return history; }
    bool savePicture(const std::string& fileName);
    // Every key and mouse button held during any step so far.
    const std::set<int32_t>& keysEverHeld() const { return heldKeys; }
    const std::set<int32_t>& mouseButtonsEverHeld() const { return heldButtons; }

    // Runs after every step: tests watch the world through it.
    std::function<void()> afterStep;

    Engine engine{"Wendlebox", 800, 600, 10000};
    FakeInputDevice device;
    int renderEvery = 4;

private:
    void noteState();

    bool started = false;
    long stepCount = 0;
    std::vector<IEngineState*> history;
    std::set<int32_t> heldKeys;
    std::set<int32_t> heldButtons;
};
}
