#pragma once
// One integer space for every physical control, so bindings, events and game code name a
// keyboard key, a mouse button, a gamepad button, half of a stick or trigger axis, or a
// whole stick the same way.

#include <cstdint>

using InputCode = int32_t;

namespace InputCodes
{
// Keyboard keys use the windowing library's key codes unchanged.
constexpr InputCode kKeyFirst = 32;
constexpr InputCode kKeyLast = 348;
constexpr InputCode kMouseFirst = 350;
constexpr InputCode kMouseLast = 357;
// Gamepad buttons in the standard mapping's order: A, B, X, Y, bumpers, back, start, guide,
// thumbs, d-pad up, right, down, left.
constexpr InputCode kGamepadButtonFirst = 360;
constexpr InputCode kGamepadButtonLast = 374;
// Half-axes: (code - 380) / 2 is the axis (left x, left y, right x, right y, left trigger,
// right trigger); an even offset is the negative half, an odd one the positive half.
constexpr InputCode kHalfAxisFirst = 380;
constexpr InputCode kHalfAxisLast = 391;
// The trigger halves take the trigger dead zone; every other half the stick dead zone.
constexpr InputCode kTriggerHalfFirst = 389;
constexpr InputCode kLeftStick = 400;
constexpr InputCode kRightStick = 401;
// A pressed code at or above this switches the player to "using a gamepad".
constexpr InputCode kGamepadFirst = 360;
constexpr InputCode kGamepadLast = 402;

constexpr InputCode kKey1 = 49;
constexpr InputCode kKeyF3 = 292;
constexpr InputCode kKeyF11 = 300;
constexpr InputCode kMouseLeft = 350;
constexpr InputCode kMouseRight = 351;
constexpr InputCode kGamepadA = 360;
}

// When a binding fires: on the update its control goes down, on the update it comes up, or
// on every update while it is down.
enum TriggerType : int32_t
{
    OnPress = 0,
    OnRelease = 1,
    OnHold = 2,
};

// Which device the player is steering with, as the controller notice shows it.
using ControllerType = uint32_t;

namespace ControllerTypes
{
constexpr ControllerType kKeyboard = 0;
constexpr ControllerType kWirelessController = 1;
constexpr ControllerType kOtherGamepad = 2;
}
