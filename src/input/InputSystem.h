#pragma once
// Maps keyboard, mouse and gamepad controls to named actions. Game states, the player
// controller and the interface register plain callbacks per action and switch actions on and
// off; once per fixed step every binding is read and each enabled action whose binding fired
// calls its callbacks, at most once per step.

#include "engine/IEngineSystem.h"
#include "engine/Observer.h"
#include "input/InputCode.h"
#include "input/InputCodeNames.h"
#include "input/InputDevice.h"
#include "input/InputEvent.h"

#include <cstdint>
#include <map>
#include <string>
#include <vector>

struct InputBinding
{
    // Pressed state of the previous update: edges are found against it.
    int32_t lastPressed = 0;
    // False for a binding added while its control was held: it fires nothing until the
    // control has been released, so the press that opened a screen cannot act in it too.
    bool armed = true;
    InputCode code = 0;
    TriggerType trigType = OnPress;
    std::string action;
};

struct InputAction
{
    bool enabled = true;
    std::vector<InputCallback> callbacks;
    bool firedThisFrame = false;
};

class InputSystem : public IEngineSystem, public Observer
{
public:
    static constexpr const char* kName = "InputSystem";
    // The developer shortcut to the scene sandbox: while its key is down, every update calls
    // its callbacks directly, even while the action is switched off.
    static constexpr const char* kSandboxShortcut = "ScMorvel";
    static InputSystem* getInstance();

    // Touches no device and no file: tests build systems without a window.
    InputSystem();

    void initialize() override;
    void update() override;
    void render() override;
    void shutdown() override;

    virtual void registerCallback(const std::string& action, InputCallback callback);
    virtual void bindKey(const std::string& action, InputCode code, TriggerType type);
    virtual void addAction(const std::string& action);
    virtual void addBinding(const std::string& action, InputCode code, TriggerType type,
                            InputCallback callback);
    virtual void enableAction(const std::string& action);
    virtual void disableAction(const std::string& action);
    virtual void getCursorPos(float& x, float& y) const;
    virtual void getCursorPosDouble(double& x, double& y) const;
    virtual std::vector<double> getCursorVector() const;
    virtual bool isControllerActive() const { return controllerActive; }
    virtual ControllerType getControllerType() const { return controllerType; }
    // Interface button (left mouse button or gamepad A): pressed or released in this update,
    // and held from its first held update to its release.
    virtual bool uiHeld() const;
    virtual bool uiPressed() const;
    virtual bool uiReleased() const;

    float getStickX() const { return stickX; }
    float getStickY() const { return stickY; }

    // The windowing library's joystick callback; it forwards to the singleton.
    static void JoystickCallback(int jid, int event);
    void handleJoystickEvent(int jid, int event);

    // True while typed keys belong to something else (a developer text field): keyboard
    // bindings then keep tracking their keys but fire nothing. Installed by the GUI system, so
    // input needs no knowledge of it; null means the keyboard is always ours.
    using CapturedFn = bool (*)();
    void setKeyboardCapture(CapturedFn captured) { keyboardCaptured = captured; }
    bool isKeyboardCaptured() const { return keyboardCaptured && keyboardCaptured(); }
    // The same for the mouse while it is over a developer window or dragging one, so a click
    // on a window never also presses the game's button beneath it.
    void setMouseCapture(CapturedFn captured) { mouseCaptured = captured; }
    bool isMouseCaptured() const { return mouseCaptured && mouseCaptured(); }

    // Game wiring that input knows nothing of, installed by the composition root before
    // initialize: the developer shortcuts, bound after the binding file and before the
    // interface button, and what tells the player that a gamepad came or went. Without them
    // there are no shortcuts and no notice.
    using BindingsFn = void (*)(InputSystem& input);
    using ControllerNoticeFn = void (*)(ControllerType type);
    void setDeveloperShortcuts(BindingsFn add) { addDeveloperShortcuts = add ? add : &NoShortcuts; }
    void setControllerNotice(ControllerNoticeFn show) { showControllerNotice = show ? show : &NoNotice; }

    // The device that update reads; the game's window and gamepads unless replaced.
    void setDevice(InputDevice* newDevice) { device = newDevice; }
    void setBindingFilePath(const std::string& path) { bindingFilePath = path; }

    int32_t getJoystickId() const { return joystickId; }
    uint32_t getRegistrationCount() const { return registrationCount; }
    float getAxisThreshold() const { return axisThreshold; }
    float getTriggerThreshold() const { return triggerThreshold; }
    const InputCodeNames& getCodeNames() const { return codeNames; }
    const std::vector<InputBinding>& getBindings() const { return bindings; }
    bool hasAction(const std::string& action) const { return actions.count(action) != 0; }
    bool isActionEnabled(const std::string& action) const;
    size_t getCallbackCount(const std::string& action) const;

    // The value of one code in this update: 1 or 0 for keys, buttons and whole sticks, the
    // signed axis value beyond the dead zone for a half-axis, 0 for anything unknown.
    float readCode(InputCode code);

private:
    static void NoShortcuts(InputSystem&) {}
    static void NoNotice(ControllerType) {}

    void loadBindingFile();
    void addBuiltInBindings();
    void discoverGamepad();
    int32_t findFirstGamepad() const;
    ControllerType controllerTypeOf(int32_t jid) const;
    float readHalfAxis(InputCode code) const;
    float readWholeStick(InputCode code);
    void switchDevice(InputCode code);
    void evaluate(size_t bindingIndex, bool keyboardCaptured, bool mouseCaptured);
    void dispatch(const std::string& action, const InputEvent& event);
    void callDirectly(const std::string& action) const;

    ControllerType controllerType = ControllerTypes::kKeyboard;
    int32_t joystickId = 0;
    double cursorX = 0.0;
    double cursorY = 0.0;
    float stickX = 0.0f;
    float stickY = 0.0f;
    uint32_t registrationCount = 0;
    std::vector<InputBinding> bindings;
    std::map<std::string, InputAction> actions;
    InputCodeNames codeNames;
    bool controllerActive = false;

    float axisThreshold = 0.3f;
    float triggerThreshold = 0.3f;
    GamepadState gamepad;
    bool gamepadReadable = false;
    InputDevice* device;
    std::string bindingFilePath;
    CapturedFn keyboardCaptured = nullptr;
    CapturedFn mouseCaptured = nullptr;
    BindingsFn addDeveloperShortcuts = &NoShortcuts;
    ControllerNoticeFn showControllerNotice = &NoNotice;
};

class InputSystemNull : public InputSystem
{
public:
    static InputSystemNull* instance();
    void initialize() override {}
    void update() override {}
    void render() override {}
    void shutdown() override {}
    bool isNull() const override { return true; }
    void registerCallback(const std::string&, InputCallback) override {}
    void bindKey(const std::string&, InputCode, TriggerType) override {}
    void addAction(const std::string&) override {}
    void addBinding(const std::string&, InputCode, TriggerType, InputCallback) override {}
    void enableAction(const std::string&) override {}
    void disableAction(const std::string&) override {}
    void getCursorPosDouble(double&, double&) const override {}
    bool isControllerActive() const override { return false; }
    ControllerType getControllerType() const override { return ControllerTypes::kKeyboard; }
};
