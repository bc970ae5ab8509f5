#include "platform/GlfwInputDevice.h"

#include "engine/Engine.h"

#include <GLFW/glfw3.h>

static_assert(InputDevice::kJoystickConnected == GLFW_CONNECTED);
static_assert(InputDevice::kJoystickDisconnected == GLFW_DISCONNECTED);
static_assert(InputDevice::kMaxJoysticks == GLFW_JOYSTICK_LAST + 1);

GlfwInputDevice* GlfwInputDevice::instance()
{
    static GlfwInputDevice device;
    return &device;
}

bool GlfwInputDevice::isKeyDown(int32_t key) const
{
    GLFWwindow* window = GetEngineWindow();
    return window && glfwGetKey(window, key) == GLFW_PRESS;
}

bool GlfwInputDevice::isMouseButtonDown(int32_t button) const
{
    GLFWwindow* window = GetEngineWindow();
    return window && glfwGetMouseButton(window, button) == GLFW_PRESS;
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
