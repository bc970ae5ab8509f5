#pragma once
// Everything the input system reads from the hardware, behind one small interface so the
// system can be driven by a scripted device in tests.

#include <array>
#include <cstdint>
#include <string>

// One gamepad in the standard mapping: 15 buttons (A, B, X, Y, bumpers, back, start, guide,
// thumbs, d-pad up, right, down, left) and 6 axes (left x, left y, right x, right y, left
// trigger, right trigger; y positive is down, a resting trigger reads -1).
struct GamepadState
{
    std::array<bool, 15> buttons{};
    std::array<float, 6> axes{};
};

using JoystickEventCallback = void (*)(int jid, int event);

class InputDevice
{
public:
    static constexpr int32_t kMaxJoysticks = 16;
    static constexpr int kJoystickConnected = 0x40001;
    static constexpr int kJoystickDisconnected = 0x40002;

    virtual ~InputDevice() = default;
    // Called at the start of every input update. A device that reads keys and mouse buttons
    // once per update takes that reading here; one that answers live needs nothing.
    virtual void beginUpdate() {}
    virtual bool isKeyDown(int32_t key) const = 0;
    virtual bool isMouseButtonDown(int32_t button) const = 0;
    virtual void getCursorPos(double& x, double& y) const = 0;
    virtual bool isGamepad(int32_t jid) const = 0;
    // False when the pad cannot be read; the state is then left as it was.
    virtual bool readGamepad(int32_t jid, GamepadState& state) const = 0;
    virtual std::string getJoystickName(int32_t jid) const = 0;
    virtual void installJoystickCallback(JoystickEventCallback callback) = 0;
};
