#pragma once
// An entity's movement tuning (from the archetype file), its respawn point and, on a goal,
// the level that follows. An entity without one reads zeros through StatsCompNull.

#include "world/Component.h"

#include <cstdint>
#include <glm/glm.hpp>

class StatsComp : public Component
{
public:
    static inline const std::string kName{"StatsComp"};

    void debugPrint() const override;
    Component* clone() const override;
    std::string getName() const override { return kName; }

    virtual int32_t getBufferedJumpMaxTiming() const { return bufferedJumpMaxTiming; }
    virtual void setBufferedJumpMaxTiming(int32_t value) { bufferedJumpMaxTiming = value; }
    virtual int32_t getBufferedDashMaxTiming() const { return bufferedDashMaxTiming; }
    virtual void setBufferedDashMaxTiming(int32_t value) { bufferedDashMaxTiming = value; }
    virtual int32_t getMaxDashCharges() const { return maxDashCharges; }
    virtual void setMaxDashCharges(int32_t value) { maxDashCharges = value; }
    virtual float getPlayerAcceleration() const { return playerAcceleration; }
    virtual void setPlayerAcceleration(float value) { playerAcceleration = value; }
    virtual int32_t getCoyoteTimeLimit() const { return coyoteTimeLimit; }
    virtual void setCoyoteTimeLimit(int32_t value) { coyoteTimeLimit = value; }
    virtual float getJumpingForce() const { return jumpingForce; }
    virtual void setJumpingForce(float value) { jumpingForce = value; }
    virtual glm::vec2 getEdgeSmudgeMargin() const { return edgeSmudgeMargin; }
    virtual void setEdgeSmudgeMargin(const glm::vec2& value) { edgeSmudgeMargin = value; }
    virtual float getDashVelocity() const { return dashVelocity; }
    virtual void setDashVelocity(float value) { dashVelocity = value; }
    virtual int32_t getDashDuration() const { return dashDuration; }
    virtual void setDashDuration(int32_t value) { dashDuration = value; }
    virtual int32_t getDashCooldown() const { return dashCooldown; }
    virtual void setDashCooldown(int32_t value) { dashCooldown = value; }
    virtual glm::vec3 getSpawnPoint() const { return spawnPoint; }
    virtual void setSpawnPoint(const glm::vec3& value) { spawnPoint = value; }
    virtual std::string getNextLevel() const { return nextLevel; }
    virtual void setNextLevel(const std::string& value) { nextLevel = value; }

private:
    int32_t bufferedJumpMaxTiming = 0;
    int32_t bufferedDashMaxTiming = 0;
    int32_t maxDashCharges = 0;
    float playerAcceleration = 0.0f;
    int32_t coyoteTimeLimit = 0;
    float jumpingForce = 0.0f;
    glm::vec2 edgeSmudgeMargin{0.0f};
    float dashVelocity = 0.0f;
    int32_t dashDuration = 0;
    int32_t dashCooldown = 0;
    glm::vec3 spawnPoint{0.0f};
    std::string nextLevel;
};

class StatsCompNull : public StatsComp
{
public:
    static StatsCompNull* instance();

    void debugPrint() const override {}
    Component* clone() const override { return instance(); }
    std::string getName() const override { return "StatsCompNull"; }
    bool isNull() const override { return true; }

    int32_t getBufferedJumpMaxTiming() const override { return 0; }
    void setBufferedJumpMaxTiming(int32_t) override {}
    int32_t getBufferedDashMaxTiming() const override { return 0; }
    void setBufferedDashMaxTiming(int32_t) override {}
    int32_t getMaxDashCharges() const override { return 0; }
    void setMaxDashCharges(int32_t) override {}
    float getPlayerAcceleration() const override { return 0.0f; }
    void setPlayerAcceleration(float) override {}
    int32_t getCoyoteTimeLimit() const override { return 0; }
    void setCoyoteTimeLimit(int32_t) override {}
    float getJumpingForce() const override { return 0.0f; }
    void setJumpingForce(float) override {}
    glm::vec2 getEdgeSmudgeMargin() const override { return glm::vec2(0.0f); }
    void setEdgeSmudgeMargin(const glm::vec2&) override {}
    float getDashVelocity() const override { return 0.0f; }
    void setDashVelocity(float) override {}
    int32_t getDashDuration() const override { return 0; }
    void setDashDuration(int32_t) override {}
    int32_t getDashCooldown() const override { return 0; }
    void setDashCooldown(int32_t) override {}
    glm::vec3 getSpawnPoint() const override { return glm::vec3(0.0f); }
    void setSpawnPoint(const glm::vec3&) override {}
    std::string getNextLevel() const override { return std::string(); }
    void setNextLevel(const std::string&) override {}
};
