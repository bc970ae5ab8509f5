#include "tools/DebugSystem.h"

#include "engine/SystemSingleton.h"
#include "engine/TraceLog.h"

namespace
{
DebugSystem* gDebugSystem = nullptr;
}

DebugSystem* DebugSystem::getInstance()
{
    return GetSystemSingleton(gDebugSystem, kName);
}

DebugSystemNull* DebugSystemNull::instance()
{
    static DebugSystemNull null;
    return &null;
}

void DebugSystem::initialize()
{
    Log()->message(kName, "initialize");
    setDiagnosticsShown(false);
}

void DebugSystem::recordUpdateTime(const std::string& name, const int64_t& micros)
{
    updateTimes[name] = micros;
}

void DebugSystem::recordRenderTime(const std::string& name, const int64_t& micros)
{
    renderTimes[name] = micros;
}
