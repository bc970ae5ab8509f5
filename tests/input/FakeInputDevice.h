#pragma once
// A scripted input device: tests press keys, move the cursor and plug in gamepads by hand.

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

    bool isKeyDown(int32_t key) const override { return keys.count(key) != 0; }
    bool isMouseButtonDown(int32_t button) const override { return mouseButtons.count(button) != 0; }
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
    void release(int32_t key) { keys.erase(key); }
    void pressMouse(int32_t button) { mouseButtons.insert(button); }
    void releaseMouse(int32_t button) { mouseButtons.erase(button); }
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
    double cursorX = 0.0;
    double cursorY = 0.0;
    std::map<int32_t, Pad> pads;
    JoystickEventCallback installedCallback = nullptr;
};
