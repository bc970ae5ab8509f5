#pragma once
// One short-lived textured quad, stepped and drawn by ParticleManager, which owns it.

#include <string>

struct DrawData;

class AbstractParticle
{
public:
    virtual ~AbstractParticle() = default;
    virtual void update() = 0;
    virtual void draw(DrawData& data) = 0;
    virtual bool isDead() const = 0;
    virtual void setFlag(const std::string& name, bool value) = 0;
    virtual bool getFlag(const std::string& name) const = 0;
    virtual bool isNull() const { return false; }
};
