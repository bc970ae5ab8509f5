#pragma once
// A moving body. Every quantity is per fixed step of 10 ms: velocity, the acceleration added
// once by integrate and cleared by move, gravity, drag, a fall-speed limit, and the motion
// carried over from the body it stands on.

#include "world/Component.h"

#include <glm/glm.hpp>

class TransformComp;

class PhysicsComp : public Component
{
public:
    static inline const std::string kName{"PhysicsComp"};
    static constexpr float kDefaultGravity = -0.006f;

    void debugPrint() const override;
    Component* clone() const override { return new PhysicsComp(*this); }
    std::string getName() const override { return kName; }

    virtual void move(TransformComp* transform);
    virtual void integrate(const glm::vec3& drag);
    virtual glm::vec3 getVelocity() const { return velocity; }
    virtual void setVelocity(const glm::vec3& value) { velocity = value; }
    virtual void setVelocity(float x, float y, float z) { velocity = glm::vec3(x, y, z); }
    virtual void setMaxVelocity(const glm::vec3& value) { maxVelocity = value; }
    virtual glm::vec3 getMaxVelocity() const { return maxVelocity; }
    virtual glm::vec3 getAcceleration() const { return acceleration; }
    virtual void setAcceleration(const glm::vec3& value) { acceleration = value; }
    virtual void setAcceleration(float x, float y, float z) { acceleration = glm::vec3(x, y, z); }
    virtual void addAcceleration(float x, float y, float z) { acceleration += glm::vec3(x, y, z); }
    virtual float getGravity() const { return gravity; }
    virtual void setGravity(float value) { gravity = value; }
    virtual glm::vec3 getAirDrag() const { return airDrag; }
    virtual void setAirDrag(const glm::vec3& value) { airDrag = value; }
    virtual void addCarried(const glm::vec3& value) { carriedPending += value; }
    virtual void commitCarried();
    virtual glm::vec3 getCarried() const { return carried; }

private:
    glm::vec3 velocity{0.0f};
    glm::vec3 acceleration{0.0f};
    glm::vec3 maxVelocity{1000.0f};
    float gravity = kDefaultGravity;
    glm::vec3 carried{0.0f};
    glm::vec3 carriedPending{0.0f};
    glm::vec3 airDrag{0.01f, 0.0f, 0.01f};
};

class PhysicsCompNull : public PhysicsComp
{
public:
    static PhysicsCompNull* instance();

    void debugPrint() const override {}
    Component* clone() const override { return instance(); }
    std::string getName() const override { return "PhysicsCompNull"; }
    bool isNull() const override { return true; }

    void move(TransformComp*) override {}
    void integrate(const glm::vec3&) override {}
    glm::vec3 getVelocity() const override { return glm::vec3(0.0f); }
    void setVelocity(const glm::vec3&) override {}
    void setVelocity(float, float, float) override {}
    void setMaxVelocity(const glm::vec3&) override {}
    glm::vec3 getMaxVelocity() const override { return glm::vec3(0.0f); }
    glm::vec3 getAcceleration() const override { return glm::vec3(0.0f); }
    void setAcceleration(const glm::vec3&) override {}
    void setAcceleration(float, float, float) override {}
    void addAcceleration(float, float, float) override {}
    float getGravity() const override { return 0.0f; }
    void setGravity(float) override {}
    glm::vec3 getAirDrag() const override { return glm::vec3(0.0f); }
    void setAirDrag(const glm::vec3&) override {}
    void addCarried(const glm::vec3&) override {}
    void commitCarried() override {}
    glm::vec3 getCarried() const override { return glm::vec3(0.0f); }
};
