#include "input/InputCodeNames.h"

namespace
{
struct KeyToken
{
    const char* suffix;
    InputCode code;
};

// The windowing library's key tokens without their "GLFW_KEY_" prefix, SPACE to MENU.
constexpr KeyToken kKeyTokens[] = {
    {"SPACE", 32}, {"APOSTROPHE", 39}, {"COMMA", 44}, {"MINUS", 45}, {"PERIOD", 46},
    {"SLASH", 47}, {"0", 48}, {"1", 49}, {"2", 50}, {"3", 51},
    {"4", 52}, {"5", 53}, {"6", 54}, {"7", 55}, {"8", 56},
    {"9", 57}, {"SEMICOLON", 59}, {"EQUAL", 61}, {"A", 65}, {"B", 66},
    {"C", 67}, {"D", 68}, {"E", 69}, {"F", 70}, {"G", 71},
    {"H", 72}, {"I", 73}, {"J", 74}, {"K", 75}, {"L", 76},
    {"M", 77}, {"N", 78}, {"O", 79}, {"P", 80}, {"Q", 81},
    {"R", 82}, {"S", 83}, {"T", 84}, {"U", 85}, {"V", 86},
    {"W", 87}, {"X", 88}, {"Y", 89}, {"Z", 90}, {"LEFT_BRACKET", 91},
    {"BACKSLASH", 92}, {"RIGHT_BRACKET", 93}, {"GRAVE_ACCENT", 96}, {"WORLD_1", 161}, {"WORLD_2", 162},
    {"ESCAPE", 256}, {"ENTER", 257}, {"TAB", 258}, {"BACKSPACE", 259}, {"INSERT", 260},
    {"DELETE", 261}, {"RIGHT", 262}, {"LEFT", 263}, {"DOWN", 264}, {"UP", 265},
    {"PAGE_UP", 266}, {"PAGE_DOWN", 267}, {"HOME", 268}, {"END", 269}, {"CAPS_LOCK", 280},
    {"SCROLL_LOCK", 281}, {"NUM_LOCK", 282}, {"PRINT_SCREEN", 283}, {"PAUSE", 284}, {"F1", 290},
    {"F2", 291}, {"F3", 292}, {"F4", 293}, {"F5", 294}, {"F6", 295},
    {"F7", 296}, {"F8", 297}, {"F9", 298}, {"F10", 299}, {"F11", 300},
    {"F12", 301}, {"F13", 302}, {"F14", 303}, {"F15", 304}, {"F16", 305},
    {"F17", 306}, {"F18", 307}, {"F19", 308}, {"F20", 309}, {"F21", 310},
    {"F22", 311}, {"F23", 312}, {"F24", 313}, {"F25", 314}, {"KP_0", 320},
    {"KP_1", 321}, {"KP_2", 322}, {"KP_3", 323}, {"KP_4", 324}, {"KP_5", 325},
    {"KP_6", 326}, {"KP_7", 327}, {"KP_8", 328}, {"KP_9", 329}, {"KP_DECIMAL", 330},
    {"KP_DIVIDE", 331}, {"KP_MULTIPLY", 332}, {"KP_SUBTRACT", 333}, {"KP_ADD", 334}, {"KP_ENTER", 335},
    {"KP_EQUAL", 336}, {"LEFT_SHIFT", 340}, {"LEFT_CONTROL", 341}, {"LEFT_ALT", 342}, {"LEFT_SUPER", 343},
    {"RIGHT_SHIFT", 344}, {"RIGHT_CONTROL", 345}, {"RIGHT_ALT", 346}, {"RIGHT_SUPER", 347}, {"MENU", 348},
};

constexpr const char* kGamepadButtons[] = {
    "A", "B", "X", "Y", "LEFT_BUMPER", "RIGHT_BUMPER", "BACK", "START",
    "GUIDE", "LEFT_THUMB", "RIGHT_THUMB", "DPAD_UP", "DPAD_RIGHT", "DPAD_DOWN", "DPAD_LEFT",
};

const std::string kNoName;
}

void InputCodeNames::build()
{
    codesByName.clear();
    namesByCode.clear();
    addKeys();
    addMouseButtons();
    addGamepadButtons();
    addAxes();
    // The reported name of a code is the last of its names in byte order.
    for (const auto& [name, code] : codesByName)
        namesByCode[code] = name;
}

bool InputCodeNames::find(const std::string& name, InputCode& code) const
{
    const auto found = codesByName.find(name);
    if (found == codesByName.end())
        return false;
    code = found->second;
    return true;
}

const std::string& InputCodeNames::nameOf(InputCode code) const
{
    const auto found = namesByCode.find(code);
    return found == namesByCode.end() ? kNoName : found->second;
}

void InputCodeNames::add(const std::string& name, InputCode code)
{
    codesByName[name] = code;
}

void InputCodeNames::addKeys()
{
    for (const KeyToken& key : kKeyTokens)
    {
        add(std::string("BUTTON_KEY_") + key.suffix, key.code);
        add(std::string("GLFW_KEY_") + key.suffix, key.code);
    }
}

void InputCodeNames::addMouseButtons()
{
    for (InputCode n = 0; n <= InputCodes::kMouseLast - InputCodes::kMouseFirst; ++n)
        add("BUTTON_MOUSE_BUTTON_" + std::to_string(n + 1), InputCodes::kMouseFirst + n);
    add("BUTTON_MOUSE_BUTTON_LAST", InputCodes::kMouseLast);
    add("BUTTON_MOUSE_BUTTON_LEFT", InputCodes::kMouseFirst);
    add("BUTTON_MOUSE_BUTTON_RIGHT", InputCodes::kMouseFirst + 1);
    add("BUTTON_MOUSE_BUTTON_MIDDLE", InputCodes::kMouseFirst + 2);
}

void InputCodeNames::addGamepadButtons()
{
    InputCode code = InputCodes::kGamepadButtonFirst;
    for (const char* button : kGamepadButtons)
        add(std::string("BUTTON_GAMEPAD_BUTTON_") + button, code++);
    add("BUTTON_GAMEPAD_BUTTON_LAST", InputCodes::kGamepadButtonLast);
    // The face-button names of the "Wireless Controller" family.
    add("BUTTON_GAMEPAD_BUTTON_CROSS", 360);
    add("BUTTON_GAMEPAD_BUTTON_CIRCLE", 361);
    add("BUTTON_GAMEPAD_BUTTON_SQUARE", 362);
    add("BUTTON_GAMEPAD_BUTTON_TRIANGLE", 363);
}

void InputCodeNames::addAxes()
{
    add("BUTTON_GAMEPAD_LEFT_JOY_LEFT", 380);
    add("BUTTON_GAMEPAD_LEFT_JOY_RIGHT", 381);
    add("BUTTON_GAMEPAD_LEFT_JOY_UP", 382);
    add("BUTTON_GAMEPAD_LEFT_JOY_DOWN", 383);
    add("BUTTON_GAMEPAD_RIGHT_JOY_LEFT", 384);
    add("BUTTON_GAMEPAD_RIGHT_JOY_RIGHT", 385);
    add("BUTTON_GAMEPAD_RIGHT_JOY_UP", 386);
    add("BUTTON_GAMEPAD_RIGHT_JOY_DOWN", 387);
    // The resting trigger reads fully negative, so its negative halves (388, 390) get no name.
    add("BUTTON_GAMEPAD_LEFT_TRIGGER", 389);
    add("BUTTON_GAMEPAD_RIGHT_TRIGGER", 391);
    add("BUTTON_GAMEPAD_LEFT_JOY", InputCodes::kLeftStick);
    add("BUTTON_GAMEPAD_RIGHT_JOY", InputCodes::kRightStick);
}
