#include "platform/GlfwInputDevice.h"

#include "engine/Engine.h"

#include <GLFW/glfw3.h>

static_assert(InputDevice::kJoystickConnected == GLFW_CONNECTED);
static_assert(InputDevice::kJoystickDisconnected == GLFW_DISCONNECTED);
static_assert(InputDevice::kMaxJoysticks == GLFW_JOYSTICK_LAST + 1);
static_assert(InputCodes::kKeyFirst == GLFW_KEY_SPACE && InputCodes::kKeyLast == GLFW_KEY_LAST);
static_assert(InputCodes::kMouseLast - InputCodes::kMouseFirst == GLFW_MOUSE_BUTTON_LAST);

GlfwInputDevice* GlfwInputDevice::instance()
{
    static GlfwInputDevice device;
    return &device;
}

namespace
{
using ButtonStateFn = int (*)(GLFWwindow* window, int button);

// In sticky mode the library keeps a release until the button is read: the first read then
// reports the button as pressed and forgets the release, the second reports it as it is now.
// Without a window every button is up.
void ReadRow(ButtonLatch& latch, int32_t first, int32_t last, ButtonStateFn read)
{
    GLFWwindow* window = GetEngineWindow();
    for (int32_t button = first; button <= last; ++button)
    {
        const bool downOrReleased = window && read(window, button) == GLFW_PRESS;
        const bool downNow = window && read(window, button) == GLFW_PRESS;
        latch.take(button, downNow, downOrReleased && !downNow);
    }
}
}

// Setting the modes costs nothing once they are on, and covers a window opened since the last
// update. The developer GUI reads the mouse buttons too, later in the same step; it adds the
// presses its own callback heard, so taking the release here first costs it nothing.
void GlfwInputDevice::beginUpdate()
{
    if (GLFWwindow* window = GetEngineWindow())
    {
        glfwSetInputMode(window, GLFW_STICKY_KEYS, GLFW_TRUE);
        glfwSetInputMode(window, GLFW_STICKY_MOUSE_BUTTONS, GLFW_TRUE);
    }
    ReadRow(keys, InputCodes::kKeyFirst, InputCodes::kKeyLast, &glfwGetKey);
    ReadRow(mouseButtons, GLFW_MOUSE_BUTTON_1, GLFW_MOUSE_BUTTON_LAST, &glfwGetMouseButton);
}

bool GlfwInputDevice::isKeyDown(int32_t key) const
{
    return keys.isDown(key);
}

bool GlfwInputDevice::isMouseButtonDown(int32_t button) const
{
    return mouseButtons.isDown(button);
}

void GlfwInputDevice::getCursorPos(double& x, double& y) const
{
    GLFWwindow* window = GetEngineWindow();
    if (window)
        glfwGetCursorPos(window, &x, &y);
}

// Joysticks are only asked for while a window exists: before that the library may not be
// initialised, and every query would raise its "not initialized" error.
bool GlfwInputDevice::isGamepad(int32_t jid) const
{
    return GetEngineWindow() && glfwJoystickIsGamepad(jid) == GLFW_TRUE;
}

bool GlfwInputDevice::readGamepad(int32_t jid, GamepadState& state) const
{
    GLFWgamepadstate raw;
    if (!GetEngineWindow() || glfwGetGamepadState(jid, &raw) != GLFW_TRUE)
        return false;
    for (size_t i = 0; i < state.buttons.size(); ++i)
        state.buttons[i] = raw.buttons[i] == GLFW_PRESS;
    for (size_t i = 0; i < state.axes.size(); ++i)
        state.axes[i] = raw.axes[i];
    return true;
}

std::string GlfwInputDevice::getJoystickName(int32_t jid) const
{
    const char* name = GetEngineWindow() ? glfwGetJoystickName(jid) : nullptr;
    return name ? name : "";
}

void GlfwInputDevice::installJoystickCallback(JoystickEventCallback callback)
{
    if (GetEngineWindow())
        glfwSetJoystickCallback(callback);
}
