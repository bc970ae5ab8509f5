#pragma once
// What both kinds of particle share: the motion, the steering towards a convergence point,
// the age test and the flags. A particle moves by velocity + its own constant acceleration
// every fixed step; a converging one is braked, sped up or pushed towards its target.

#include "graphics/Texture.h"
#include "world/PhysicsComp.h"
#include "world/TransformComp.h"

#include <glm/glm.hpp>

#include <cstdint>
#include <map>
#include <string>

class Mesh;

class ParticleBody
{
public:
    using FlagMap = std::map<std::string, bool, std::less<>>;
    // Flag the emitter passes on: steer towards the convergence point and die on arrival.
    static inline const std::string kConvergeFlag{"converge"};

    ParticleBody();
    ParticleBody(const int64_t& lifespan, const glm::vec3& position, const glm::vec3& velocity,
                 const glm::vec3& acceleration, const glm::vec4& color, const glm::vec3& scale,
                 const Texture& texture, const FlagMap& flags, const glm::vec3& convergePoint);

    glm::vec3 getVelocity() const { return physics.getVelocity(); }
    // One fixed step with the given starting velocity: steer when converging, then move.
    void advance(glm::vec3 velocity);
    bool isDead() const;

    void setFlag(const std::string& name, bool value);
    bool getFlag(const std::string& name) const;

    const TransformComp& getTransform() const { return transform; }
    glm::vec3 getPosition() const { return transform.getPosition(); }
    glm::vec3 getAcceleration() const { return acceleration; }
    glm::vec3 getScale() const { return transform.getScale(); }
    int64_t getLifespan() const { return lifespan; }
    glm::vec3 getConvergePoint() const { return convergePoint; }
    glm::vec4 getColor() const { return color; }
    void setAlpha(float alpha) { color.a = alpha; }
    const Texture& getTexture() const { return texture; }
    Mesh* getMesh() const { return mesh; }

private:
    void steer(glm::vec3& velocity);
    void steerAxis(int axis, const glm::vec3& offset, glm::vec3& velocity);

    PhysicsComp physics;
    TransformComp transform;
    glm::vec3 acceleration{0.0f};
    glm::vec4 color{1.0f, 0.0f, 0.0f, 1.0f};
    int64_t lifespan = 1000;
    int64_t spawnTime = 0;
    Mesh* mesh = nullptr;
    Texture texture;
    FlagMap flags;
    glm::vec3 convergePoint{0.0f};
    // Mirrors kConvergeFlag: asked twice per step for every live particle.
    bool converging = false;
};
