#pragma once
// A scripted input device: tests press keys, move the cursor and plug in gamepads by hand.
// Keys and mouse buttons are read once per update through the same latch as the game's
// window, so a press and release between two updates is a tap, as it is there.

#include "input/ButtonLatch.h"
#include "input/InputCode.h"
#include "input/InputDevice.h"

#include <map>
#include <set>
#include <string>

class FakeInputDevice : public InputDevice
{
public:
    struct Pad
    {
        std::string name;
        bool gamepad = true;
        bool readable = true;
        GamepadState state;
    };

    void beginUpdate() override
    {
        readRow(keyLatch, keys, releasedKeys);
        readRow(mouseLatch, mouseButtons, releasedButtons);
    }
    bool isKeyDown(int32_t key) const override { return keyLatch.isDown(key); }
    bool isMouseButtonDown(int32_t button) const override { return mouseLatch.isDown(button); }
    void getCursorPos(double& x, double& y) const override
    {
        x = cursorX;
        y = cursorY;
    }
    bool isGamepad(int32_t jid) const override
    {
        const auto found = pads.find(jid);
        return found != pads.end() && found->second.gamepad;
    }
    bool readGamepad(int32_t jid, GamepadState& state) const override
    {
        const auto found = pads.find(jid);
        if (found == pads.end() || !found->second.readable)
            return false;
        state = found->second.state;
        return true;
    }
    std::string getJoystickName(int32_t jid) const override
    {
        const auto found = pads.find(jid);
        return found == pads.end() ? "" : found->second.name;
    }
    void installJoystickCallback(JoystickEventCallback callback) override { installedCallback = callback; }

    void press(int32_t key) { keys.insert(key); }
    void release(int32_t key)
    {
        if (keys.erase(key) != 0)
            releasedKeys.insert(key);
    }
    // Down and up again before the next update.
    void tap(int32_t key)
    {
        press(key);
        release(key);
    }
    void pressMouse(int32_t button) { mouseButtons.insert(button); }
    void releaseMouse(int32_t button)
    {
        if (mouseButtons.erase(button) != 0)
            releasedButtons.insert(button);
    }
    Pad& plugPad(int32_t jid, const std::string& name)
    {
        pads[jid].name = name;
        return pads[jid];
    }
    void unplugPad(int32_t jid) { pads.erase(jid); }
    void setPadButton(int32_t jid, int32_t button, bool down) { pads[jid].state.buttons[button] = down; }
    void setPadAxis(int32_t jid, int32_t axis, float value) { pads[jid].state.axes[axis] = value; }

    std::set<int32_t> keys;
    std::set<int32_t> mouseButtons;
    std::set<int32_t> releasedKeys;
    std::set<int32_t> releasedButtons;
    ButtonLatch keyLatch{InputCodes::kKeyLast + 1};
    ButtonLatch mouseLatch{InputCodes::kMouseLast - InputCodes::kMouseFirst + 1};
    double cursorX = 0.0;
    double cursorY = 0.0;
    std::map<int32_t, Pad> pads;
    JoystickEventCallback installedCallback = nullptr;

private:
    static void readRow(ButtonLatch& latch, const std::set<int32_t>& down, std::set<int32_t>& released)
    {
        for (int32_t button = 0; button < latch.size(); ++button)
            latch.take(button, down.count(button) != 0, released.count(button) != 0);
        released.clear();
    }
};
