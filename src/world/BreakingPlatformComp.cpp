#include "world/BreakingPlatformComp.h"

#include "audio/SoundManager.h"
#include "engine/Engine.h"
#include "engine/TimeHelpers.h"
#include "world/Entity.h"
#include "world/EntityFlags.h"

#include <algorithm>

namespace
{
uint64_t NowMs()
{
    return static_cast<uint64_t>(GetTimeMs());
}
}

Component* BreakingPlatformComp::clone() const
{
    auto* copy = new BreakingPlatformComp(*this);
    copy->breakTime = 0;
    return copy;
}

void BreakingPlatformComp::trigger()
{
    if (triggered)
        return;
    triggered = true;
    triggerTime = NowMs();
}

void BreakingPlatformComp::reset()
{
    triggered = false;
    triggerTime = 0;
    breakTime = 0;
}

void BreakingPlatformComp::setTimeTillBreak(int32_t milliseconds)
{
    timeTillBreak = std::max(milliseconds, 0);
}

void BreakingPlatformComp::setTimeTillRespawn(int32_t milliseconds)
{
    timeTillRespawn = std::max(milliseconds, 0);
}

void BreakingPlatformComp::update()
{
    if (!triggered || NowMs() - triggerTime <= static_cast<uint64_t>(timeTillBreak))
        return;
    getOwner()->setFlag(EntityFlags::kInactive, true);
    breakTime = NowMs();
    static const std::string soundName = SoundManager::kName;
    Engine::getSystem<SoundManager>(soundName, SoundManagerNull::instance())->playPreset("BreakingPlatformSound");
}

void BreakingPlatformComp::updateInactive()
{
    if (NowMs() - breakTime <= static_cast<uint64_t>(timeTillRespawn))
        return;
    getOwner()->setFlag(EntityFlags::kInactive, false);
    reset();
}

BreakingPlatformCompNull* BreakingPlatformCompNull::instance()
{
    static BreakingPlatformCompNull null;
    return &null;
}
