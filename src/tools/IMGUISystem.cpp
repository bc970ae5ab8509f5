#include "tools/IMGUISystem.h"

#include "engine/SystemSingleton.h"
#include "engine/TraceLog.h"

namespace
{
IMGUISystem* gIMGUISystem = nullptr;
}

IMGUISystem* IMGUISystem::getInstance()
{
    return GetSystemSingleton(gIMGUISystem, kName);
}

IMGUISystemNull* IMGUISystemNull::instance()
{
    static IMGUISystemNull null;
    return &null;
}

void IMGUISystem::initialize()
{
    Log()->message(kName, "initialize");
}

void IMGUISystem::update() {}

void IMGUISystem::render() {}

void IMGUISystem::shutdown()
{
    Log()->message(kName, "shutdown");
}
