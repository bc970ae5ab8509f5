#include "input/InputSystem.h"

#include "engine/SystemSingleton.h"
#include "engine/TraceLog.h"

namespace
{
InputSystem* gInputSystem = nullptr;
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

void InputSystem::initialize()
{
    Log()->message(kName, "initialize");
}

void InputSystem::update() {}

void InputSystem::render() {}

void InputSystem::shutdown()
{
    Log()->message(kName, "shutdown");
}
