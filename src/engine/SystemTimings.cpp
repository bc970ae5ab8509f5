#include "engine/SystemTimings.h"

SystemTimings* SystemTimings::fallback()
{
    static SystemTimings table;
    return &table;
}

void SystemTimings::recordUpdateTime(const std::string& name, const int64_t& micros)
{
    updateTimes[name] = micros;
}

void SystemTimings::recordRenderTime(const std::string& name, const int64_t& micros)
{
    renderTimes[name] = micros;
}
