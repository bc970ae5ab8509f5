#pragma once
// One stop of a platform route: its number, the number of the stop after it, and the speed
// of the leg that starts here.

#include "world/Component.h"

#include <cstdint>

class WaypointComp : public Component
{
public:
    static inline const std::string kName{"WaypointComp"};

    Component* clone() const override { return new WaypointComp(*this); }
    std::string getName() const override { return kName; }

    virtual uint32_t getWaypointID() const { return waypointId; }
    virtual void setWaypointID(uint32_t value) { waypointId = value; }
    virtual uint32_t getNextWaypointID() const { return nextWaypointId; }
    virtual void setNextWaypointID(uint32_t value) { nextWaypointId = value; }
    virtual float getSpeed() const { return speed; }
    virtual void setSpeed(float value) { speed = value; }

private:
    uint32_t waypointId = 0;
    uint32_t nextWaypointId = 0;
    float speed = 0.0f;
};

class WaypointCompNull : public WaypointComp
{
public:
    static WaypointCompNull* instance();

    Component* clone() const override { return instance(); }
    std::string getName() const override { return "WaypointCompNull"; }
    bool isNull() const override { return true; }

    uint32_t getWaypointID() const override { return UINT32_MAX; }
    void setWaypointID(uint32_t) override {}
    uint32_t getNextWaypointID() const override { return UINT32_MAX; }
    void setNextWaypointID(uint32_t) override {}
    float getSpeed() const override { return 0.0f; }
    void setSpeed(float) override {}
};
