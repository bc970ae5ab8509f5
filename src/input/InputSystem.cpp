#include "input/InputSystem.h"

#include "engine/SystemSingleton.h"
#include "engine/TraceLog.h"
#include "input/InputBindingFile.h"
#include "platform/GlfwInputDevice.h"

#include <algorithm>
#include <cmath>
#include <iostream>

namespace
{
InputSystem* gInputSystem = nullptr;

// The interface button flags live beside the system so that the null system reports them too.
bool gUiPressed = false;
bool gUiHeld = false;
bool gUiReleased = false;

void OnUiPressed(InputEvent)
{
    gUiPressed = true;
}

void OnUiHold(InputEvent)
{
    gUiHeld = true;
}

void OnUiReleased(InputEvent)
{
    gUiReleased = true;
    gUiHeld = false;
}

bool IsGamepadCode(InputCode code)
{
    return code >= InputCodes::kGamepadFirst && code <= InputCodes::kGamepadLast;
}

bool IsKeyboardCode(InputCode code)
{
    return code >= InputCodes::kKeyFirst && code <= InputCodes::kKeyLast;
}

bool IsMouseCode(InputCode code)
{
    return code >= InputCodes::kMouseFirst && code <= InputCodes::kMouseLast;
}

bool Fires(TriggerType type, bool pressed, bool wasPressed)
{
    switch (type)
    {
    case OnPress:
        return pressed && !wasPressed;
    case OnRelease:
        return !pressed && wasPressed;
    case OnHold:
        return pressed;
    }
    return false;
}
}

InputSystem* InputSystem::getInstance()
{
    return GetSystemSingleton(gInputSystem, kName);
}

InputSystemNull* InputSystemNull::instance()
{
    static InputSystemNull null;
    return &null;
}

InputSystem::InputSystem()
    : device(GlfwInputDevice::instance()), bindingFilePath(InputBindingFile::kDefaultPath)
{
}

void InputSystem::initialize()
{
    registrationCount = 0;
    // The interface flags outlive a system restart; a button held before it is not held after.
    gUiPressed = gUiHeld = gUiReleased = false;
    // Discovery only ever sets a pad's family, so a start forgets the last run's pad; a pad
    // still plugged in is found again by the first update.
    controllerType = ControllerTypes::kKeyboard;
    codeNames.build();
    loadBindingFile();
    addBuiltInBindings();
    device->installJoystickCallback(&InputSystem::JoystickCallback);
    Log()->message(kName, "initialize");
}

void InputSystem::loadBindingFile()
{
    const InputBindingFileData data = InputBindingFile::read(bindingFilePath, codeNames);
    axisThreshold = data.axisThreshold;
    triggerThreshold = data.triggerThreshold;
    for (const InputBindingEntry& entry : data.entries)
        bindKey(entry.action, entry.code, entry.trigType);
}

void InputSystem::addBuiltInBindings()
{
    addDeveloperShortcuts(*this);
    addBinding("UIPressed", InputCodes::kMouseLeft, OnPress, OnUiPressed);
    addBinding("UIPressed", InputCodes::kGamepadA, OnPress, OnUiPressed);
    addBinding("uiHold", InputCodes::kMouseLeft, OnHold, OnUiHold);
    addBinding("uiHold", InputCodes::kGamepadA, OnHold, OnUiHold);
    addBinding("uiReleased", InputCodes::kMouseLeft, OnRelease, OnUiReleased);
    addBinding("uiReleased", InputCodes::kGamepadA, OnRelease, OnUiReleased);
}

void InputSystem::update()
{
    gUiPressed = false;
    gUiReleased = false;
    device->beginUpdate();
    const bool keyboardCaptured = isKeyboardCaptured();
    const bool mouseCaptured = isMouseCaptured();
    // Key 1 reaches the scene sandbox from anywhere, even while its action is switched off.
    if (device->isKeyDown(InputCodes::kKey1) && !keyboardCaptured)
        callDirectly(kSandboxShortcut);
    device->getCursorPos(cursorX, cursorY);
    discoverGamepad();
    for (auto& [name, action] : actions)
        action.firedThisFrame = false;
    // By index over the live size: a callback may add bindings (opening the pause menu does),
    // which can move the vector; bindings added now are read in this same update.
    for (size_t i = 0; i < bindings.size(); ++i)
        evaluate(i, keyboardCaptured, mouseCaptured);
}

void InputSystem::render() {}

void InputSystem::shutdown()
{
    Log()->message(kName, "shutdown");
}

void InputSystem::discoverGamepad()
{
    joystickId = findFirstGamepad();
    if (joystickId >= 0)
        controllerType = controllerTypeOf(joystickId);
    gamepadReadable = joystickId >= 0 && device->readGamepad(joystickId, gamepad);
}

int32_t InputSystem::findFirstGamepad() const
{
    for (int32_t jid = 0; jid < InputDevice::kMaxJoysticks; ++jid)
        if (device->isGamepad(jid))
            return jid;
    return -1;
}

// Over USB the system prefixes the maker's name, so the family is recognised by a substring.
// The other family's Bluetooth pads call themselves "Xbox Wireless Controller" and must not
// be taken for it.
ControllerType InputSystem::controllerTypeOf(int32_t jid) const
{
    const std::string name = device->getJoystickName(jid);
    const bool wireless =
        name.find("Wireless Controller") != std::string::npos && name.find("Xbox") == std::string::npos;
    return wireless ? ControllerTypes::kWirelessController : ControllerTypes::kOtherGamepad;
}

void InputSystem::JoystickCallback(int jid, int event)
{
    getInstance()->handleJoystickEvent(jid, event);
}

// A pad that connects becomes the active one; when a pad leaves, none is. Either lasts only
// until the next update's discovery, which finds any pad still plugged in.
void InputSystem::handleJoystickEvent(int jid, int event)
{
    if (event == InputDevice::kJoystickConnected)
        joystickId = jid;
    else if (event == InputDevice::kJoystickDisconnected)
        joystickId = -1;
    controllerType = joystickId < 0 ? ControllerTypes::kKeyboard : controllerTypeOf(joystickId);
    showControllerNotice(controllerType);
}

float InputSystem::readCode(InputCode code)
{
    using namespace InputCodes;
    if (code >= kKeyFirst && code <= kKeyLast)
        return device->isKeyDown(code) ? 1.0f : 0.0f;
    if (code >= kMouseFirst && code <= kMouseLast)
        return device->isMouseButtonDown(code - kMouseFirst) ? 1.0f : 0.0f;
    if (code >= kGamepadButtonFirst && code <= kGamepadButtonLast)
        return gamepadReadable && gamepad.buttons[code - kGamepadButtonFirst] ? 1.0f : 0.0f;
    if (code >= kHalfAxisFirst && code <= kHalfAxisLast)
        return readHalfAxis(code);
    if (code == kLeftStick || code == kRightStick)
        return readWholeStick(code);
    return 0.0f;
}

// The sign of the half is taken from the code, not from the threshold, so a zero or negative
// threshold in the binding file cannot make a half report the other direction.
float InputSystem::readHalfAxis(InputCode code) const
{
    if (!gamepadReadable)
        return 0.0f;
    const int32_t offset = code - InputCodes::kHalfAxisFirst;
    const float value = gamepad.axes[offset / 2];
    const float deadZone = std::fabs(code >= InputCodes::kTriggerHalfFirst ? triggerThreshold : axisThreshold);
    const bool positiveHalf = offset % 2 == 1;
    const bool onThisHalf = positiveHalf ? value > 0.0f : value < 0.0f;
    return onThisHalf && std::fabs(value) > deadZone ? value : 0.0f;
}

float InputSystem::readWholeStick(InputCode code)
{
    if (!gamepadReadable)
        return 0.0f;
    const size_t xAxis = code == InputCodes::kLeftStick ? 0 : 2;
    const float x = gamepad.axes[xAxis];
    const float y = gamepad.axes[xAxis + 1];
    if (x * x + y * y <= axisThreshold * axisThreshold)
        return 0.0f;
    stickX = x;
    stickY = y;
    return 1.0f;
}

void InputSystem::switchDevice(InputCode code)
{
    const bool gamepadCode = IsGamepadCode(code);
    if (gamepadCode == controllerActive)
        return;
    controllerActive = gamepadCode;
    std::cout << (gamepadCode ? "Controller Connected." : "Controller Disconnected.") << std::endl;
}

// A captured keyboard still updates lastPressed, so a key held while typing does not fire as
// a fresh press once the text field lets go.
void InputSystem::evaluate(size_t bindingIndex, bool keyboardCaptured, bool mouseCaptured)
{
    const InputCode code = bindings[bindingIndex].code;
    const float value = readCode(code);
    const bool pressed = value != 0.0f;
    const bool wasPressed = bindings[bindingIndex].lastPressed != 0;
    if (pressed)
        switchDevice(code);
    if (!bindings[bindingIndex].armed)
    {
        bindings[bindingIndex].armed = !pressed;
        bindings[bindingIndex].lastPressed = pressed ? 1 : 0;
        return;
    }

    InputEvent event;
    event.codeName = codeNames.nameOf(code);
    event.value = value;
    if (code == InputCodes::kLeftStick || code == InputCodes::kRightStick)
    {
        event.stickX = stickX;
        event.stickY = stickY;
    }
    const bool silenced = (keyboardCaptured && IsKeyboardCode(code)) || (mouseCaptured && IsMouseCode(code));
    if (!silenced && Fires(bindings[bindingIndex].trigType, pressed, wasPressed))
    {
        if (code == InputCodes::kMouseLeft || code == InputCodes::kMouseRight)
        {
            event.cursorX = cursorX;
            event.cursorY = cursorY;
        }
        const std::string action = bindings[bindingIndex].action;
        dispatch(action, event);
    }
    bindings[bindingIndex].lastPressed = pressed ? 1 : 0;
}

// The callback list is copied first: a callback may register callbacks or create actions
// while the list is being walked.
void InputSystem::dispatch(const std::string& action, const InputEvent& event)
{
    const auto found = actions.find(action);
    if (found == actions.end() || !found->second.enabled || found->second.firedThisFrame)
        return;
    found->second.firedThisFrame = true;
    const std::vector<InputCallback> callbacks = found->second.callbacks;
    for (InputCallback callback : callbacks)
        callback(event);
}

// Besides any binding: neither the action's switch nor its once-per-update mark applies.
void InputSystem::callDirectly(const std::string& action) const
{
    const auto found = actions.find(action);
    if (found == actions.end())
        return;
    const std::vector<InputCallback> callbacks = found->second.callbacks;
    for (InputCallback callback : callbacks)
        callback(InputEvent{});
}

void InputSystem::registerCallback(const std::string& action, InputCallback callback)
{
    ++registrationCount;
    std::vector<InputCallback>& callbacks = actions[action].callbacks;
    if (callback && std::find(callbacks.begin(), callbacks.end(), callback) == callbacks.end())
        callbacks.push_back(callback);
}

void InputSystem::bindKey(const std::string& action, InputCode code, TriggerType type)
{
    const bool exists = std::any_of(bindings.begin(), bindings.end(), [&](const InputBinding& binding) {
        return binding.action == action && binding.code == code && binding.trigType == type;
    });
    if (exists)
        return;
    addAction(action);
    InputBinding binding;
    binding.code = code;
    binding.trigType = type;
    binding.action = action;
    binding.armed = readCode(code) == 0.0f;
    bindings.push_back(binding);
}

void InputSystem::addAction(const std::string& action)
{
    actions.try_emplace(action);
}

void InputSystem::addBinding(const std::string& action, InputCode code, TriggerType type,
                             InputCallback callback)
{
    bindKey(action, code, type);
    registerCallback(action, callback);
}

void InputSystem::enableAction(const std::string& action)
{
    const auto found = actions.find(action);
    if (found != actions.end())
        found->second.enabled = true;
}

void InputSystem::disableAction(const std::string& action)
{
    const auto found = actions.find(action);
    if (found != actions.end())
        found->second.enabled = false;
}

void InputSystem::getCursorPos(float& x, float& y) const
{
    x = static_cast<float>(cursorX);
    y = static_cast<float>(cursorY);
}

void InputSystem::getCursorPosDouble(double& x, double& y) const
{
    x = cursorX;
    y = cursorY;
}

std::vector<double> InputSystem::getCursorVector() const
{
    return {cursorX, cursorY};
}

bool InputSystem::uiHeld() const
{
    return gUiHeld;
}

bool InputSystem::uiPressed() const
{
    return gUiPressed;
}

bool InputSystem::uiReleased() const
{
    return gUiReleased;
}

bool InputSystem::isActionEnabled(const std::string& action) const
{
    const auto found = actions.find(action);
    return found != actions.end() && found->second.enabled;
}

size_t InputSystem::getCallbackCount(const std::string& action) const
{
    const auto found = actions.find(action);
    return found == actions.end() ? 0 : found->second.callbacks.size();
}
