#pragma once
// A component that would carry a behaviour of its own, outside any trigger. The game gives
// its behaviours to triggers (TriggerComp) instead, so only the null object exists and
// nothing looks it up. Its two id queries answer "none": all bits set.

#include "world/Component.h"

#include <cstdint>

class BehaviorComp : public Component
{
public:
    virtual uint32_t getBehaviorId() const = 0;
    virtual uint32_t getTargetId() const = 0;
};

class BehaviorCompNull : public BehaviorComp
{
public:
    static BehaviorCompNull* instance();

    Component* clone() const override { return instance(); }
    std::string getName() const override { return "BehaviorNull"; }
    bool isNull() const override { return true; }
    uint32_t getBehaviorId() const override { return UINT32_MAX; }
    uint32_t getTargetId() const override { return UINT32_MAX; }
};
