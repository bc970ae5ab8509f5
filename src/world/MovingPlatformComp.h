#pragma once
// Steers its entity toward the waypoint it targets by setting the body's velocity each step;
// on arrival it takes the next waypoint number and the speed stored at the one it reached.

#include "world/Component.h"

#include <cstdint>
#include <glm/glm.hpp>

class Entity;

class MovingPlatformComp : public Component
{
public:
    static inline const std::string kName{"MovingPlatformComp"};

    void debugPrint() const override;
    void update() override;
    Component* clone() const override;
    std::string getName() const override { return kName; }

    virtual void setTargetSpeed(float value);
    virtual void setMoving(bool value);
    virtual void setTouchStart(bool value);
    virtual bool getTouchStart() const { return touchStart; }
    virtual void setTargetWaypointID(int32_t value);

    bool isMoving() const { return moving; }
    float getTargetSpeed() const { return targetSpeed; }
    int32_t getTargetWaypointID() const { return targetWaypointId; }

private:
    Entity* findTarget();

    glm::vec3 targetPosition{0.0f};
    float targetSpeed = 0.0f;
    int32_t waypointEntityId = -1;
    int32_t targetWaypointId = -1;
    bool moving = true;
    bool touchStart = false;
    bool dirty = true;
};

class MovingPlatformCompNull : public MovingPlatformComp
{
public:
    static MovingPlatformCompNull* instance();

    void debugPrint() const override {}
    void update() override {}
    Component* clone() const override { return instance(); }
    std::string getName() const override { return "MovingPlatformCompNull"; }
    bool isNull() const override { return true; }

    void setTargetSpeed(float) override {}
    void setMoving(bool) override {}
    void setTouchStart(bool) override {}
    bool getTouchStart() const override { return false; }
    void setTargetWaypointID(int32_t) override {}
};

// Starts the entity's platform moving (the death wall's trigger calls it).
void ActivateMovingPlatform(Entity* entity);
