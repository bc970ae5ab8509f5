#include "particles/Particle.h"

#include "graphics/DrawData.h"
#include "graphics/GraphicsSystem.h"
#include "graphics/Mesh.h"

Particle::Particle(const int64_t& lifespan, const glm::vec3& position, const glm::vec3& velocity,
                   const glm::vec3& acceleration, const glm::vec4& color, const glm::vec3& scale, Texture texture,
                   const FlagMap& flags, const glm::vec3& convergePoint)
    : body(lifespan, position, velocity, acceleration, color, scale, texture, flags, convergePoint)
{
}

void Particle::update()
{
    body.advance(body.getVelocity());
}

void Particle::draw(DrawData& data)
{
    static const glm::vec4 kWhite(1.0f);
    data.texture = body.getTexture();
    // A hand-made record has no graphics system: fall back to the one that ignores uniforms.
    GraphicsSystem* graphics = data.graphics ? data.graphics : GraphicsSystemNull::instance();
    graphics->setUniform("blendColor", 1, &kWhite);
    graphics->setUniform("drawColor", 1, &kWhite);
    data.transform = body.getTransform();
    data.drawColor = body.getColor();
    body.getMesh()->draw(data, true);
}

ParticleNull* ParticleNull::instance()
{
    static ParticleNull null;
    return &null;
}
