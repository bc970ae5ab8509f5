#pragma once
// Makes its entity vanish a set time after the player first lands on it and come back a set
// time after that. While broken the owner carries "inactive": not drawn, not collided with.

#include "world/Component.h"

#include <cstdint>

enum BreakType : uint32_t
{
    BREAK_TIMED = 0,
    BREAK_ON_LEAVE = 1,
};

class BreakingPlatformComp : public Component
{
public:
    static inline const std::string kName{"BreakingPlatformComp"};
    static constexpr int32_t kDefaultDelayMs = 3000;

    void update() override;
    void updateInactive() override;
    Component* clone() const override;
    std::string getName() const override { return kName; }

    virtual void trigger();
    virtual void reset();
    // A negative delay counts as 0: the platform breaks (or returns) on the next update.
    virtual void setTimeTillBreak(int32_t milliseconds);
    virtual void setTimeTillRespawn(int32_t milliseconds);
    virtual void setBreakType(BreakType type) { breakType = type; }

    BreakType getBreakType() const { return breakType; }
    bool isTriggered() const { return triggered; }
    int32_t getTimeTillBreak() const { return timeTillBreak; }
    int32_t getTimeTillRespawn() const { return timeTillRespawn; }

private:
    BreakType breakType = BREAK_TIMED;
    bool triggered = false;
    uint64_t triggerTime = 0;
    int32_t timeTillBreak = kDefaultDelayMs;
    uint64_t breakTime = 0;
    int32_t timeTillRespawn = kDefaultDelayMs;
};

class BreakingPlatformCompNull : public BreakingPlatformComp
{
public:
    static BreakingPlatformCompNull* instance();

    Component* clone() const override { return instance(); }
    std::string getName() const override { return "BreakingPlatformCompNull"; }
    bool isNull() const override { return true; }

    void trigger() override {}
    void reset() override {}
    void setTimeTillBreak(int32_t) override {}
    void setTimeTillRespawn(int32_t) override {}
    void setBreakType(BreakType) override {}
};
