#include "tools/DebugSystem.h"

#include "engine/SystemSingleton.h"
#include "engine/TraceLog.h"

#include <string_view>

// The main loop finds its timing table under this name.
static_assert(std::string_view(DebugSystem::kName) == SystemTimings::kRegistryName);

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

void DebugSystem::drawMenuBar(DebugMenuMap) {}

void DebugSystem::drawDiagnostics() {}
