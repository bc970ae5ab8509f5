#pragma once
// Takes part in collision: this step's summed intrusion into solid neighbours and the sides
// touched, the surface friction handed to bodies that land here, and the last landing.

#include "world/Component.h"

#include <cstdint>
#include <glm/glm.hpp>

class ColliderComp : public Component
{
public:
    static inline const std::string kName{"ColliderComp"};
    static constexpr float kDefaultFriction = 0.07f;

    void debugPrint() const override;
    Component* clone() const override { return new ColliderComp(*this); }
    std::string getName() const override { return kName; }

    virtual glm::vec3 getPenetration() const { return penetration; }
    virtual bool isCollidingLeft() const { return collidingLeft; }
    virtual bool isCollidingRight() const { return collidingRight; }
    virtual bool isCollidingUp() const { return collidingUp; }
    virtual bool isCollidingDown() const { return collidingDown; }
    virtual float getFriction() const { return friction; }
    virtual void setFriction(float value) { friction = value; }
    virtual bool isSolid() const { return solid; }
    virtual void setSolid(bool value) { solid = value; }
    virtual float getGroundFriction() const { return groundFriction; }
    virtual void resetContacts();
    virtual int64_t getLandingTime() const { return landingTime; }
    virtual void resetLandingTime() { landingTime = 0; }
    virtual void setGroundFriction(float value) { groundFriction = value; }

    // Written by TestCollision only.
    void addPenetration(const glm::vec3& value) { penetration += value; }
    void markLeft() { collidingLeft = true; }
    void markRight() { collidingRight = true; }
    void markUp() { collidingUp = true; }
    void markDown() { collidingDown = true; }
    void setLandingTime(int64_t value) { landingTime = value; }

private:
    glm::vec3 penetration{0.0f};
    bool collidingLeft = false;
    bool collidingRight = false;
    bool collidingUp = false;
    bool collidingDown = false;
    float friction = kDefaultFriction;
    float groundFriction = 0.0f;
    int64_t landingTime = 0;
    bool solid = true;
};

class ColliderCompNull : public ColliderComp
{
public:
    static ColliderCompNull* instance();

    void debugPrint() const override {}
    Component* clone() const override { return instance(); }
    std::string getName() const override { return "ColliderNull"; }
    bool isNull() const override { return true; }

    glm::vec3 getPenetration() const override { return glm::vec3(0.0f); }
    bool isCollidingLeft() const override { return false; }
    bool isCollidingRight() const override { return false; }
    bool isCollidingUp() const override { return false; }
    bool isCollidingDown() const override { return false; }
    float getFriction() const override { return 0.0f; }
    void setFriction(float) override {}
    bool isSolid() const override { return false; }
    void setSolid(bool) override {}
    float getGroundFriction() const override { return 0.0f; }
    void resetContacts() override {}
    int64_t getLandingTime() const override { return 0; }
    void resetLandingTime() override {}
    void setGroundFriction(float) override {}
};
