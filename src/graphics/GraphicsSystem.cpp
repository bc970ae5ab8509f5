#include "graphics/GraphicsSystem.h"

#include "engine/SystemSingleton.h"
#include "engine/TraceLog.h"

namespace
{
GraphicsSystem* gGraphicsSystem = nullptr;
}

GraphicsSystem* GraphicsSystem::getInstance()
{
    return GetSystemSingleton(gGraphicsSystem, kName);
}

GraphicsSystemNull* GraphicsSystemNull::instance()
{
    static GraphicsSystemNull null;
    return &null;
}

void GraphicsSystem::initialize()
{
    Log()->message(kName, "initialize");
}

void GraphicsSystem::update() {}

void GraphicsSystem::render() {}

void GraphicsSystem::shutdown()
{
    Log()->message(kName, "shutdown");
}
