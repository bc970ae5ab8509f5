#pragma once
// The per-system timing tables the main loop fills. The engine owns this small base so that it
// can hand in timings without knowing the developer tools: whichever system is registered
// under kRegistryName and derives from it receives them. Recording is not virtual, so a
// fallback table works without any system at all.

#include <cstdint>
#include <map>
#include <string>

class SystemTimings
{
public:
    static constexpr const char* kRegistryName = "DebugSystem";
    // Where timings go while no timing system is registered.
    static SystemTimings* fallback();

    void recordUpdateTime(const std::string& name, const int64_t& micros);
    void recordRenderTime(const std::string& name, const int64_t& micros);
    const std::map<std::string, int64_t>& getUpdateTimes() const { return updateTimes; }
    const std::map<std::string, int64_t>& getRenderTimes() const { return renderTimes; }

private:
    std::map<std::string, int64_t> updateTimes;
    std::map<std::string, int64_t> renderTimes;
};
