#pragma once
// The input device of the running game: the engine window's keyboard, mouse and cursor and
// the windowing library's joysticks and gamepad mappings. Keys and mouse buttons are read
// once per input update through a latch, so a tap shorter than a frame is not lost; gamepads
// are read live.

#include "input/ButtonLatch.h"
#include "input/InputCode.h"
#include "input/InputDevice.h"

class GlfwInputDevice : public InputDevice
{
public:
    static GlfwInputDevice* instance();

    void beginUpdate() override;
    bool isKeyDown(int32_t key) const override;
    bool isMouseButtonDown(int32_t button) const override;
    void getCursorPos(double& x, double& y) const override;
    bool isGamepad(int32_t jid) const override;
    bool readGamepad(int32_t jid, GamepadState& state) const override;
    std::string getJoystickName(int32_t jid) const override;
    void installJoystickCallback(JoystickEventCallback callback) override;

private:
    ButtonLatch keys{InputCodes::kKeyLast + 1};
    ButtonLatch mouseButtons{InputCodes::kMouseLast - InputCodes::kMouseFirst + 1};
};
