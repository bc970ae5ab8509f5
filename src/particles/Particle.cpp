#include "particles/Particle.h"

#include "graphics/DrawData.h"
#include "graphics/GraphicsSystem.h"
#include "graphics/Mesh.h"
#include "graphics/UniformNames.h"

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
    graphics->setUniform(UniformNames::kBlendColor, 1, &kWhite);
    graphics->setUniform(UniformNames::kDrawColor, 1, &kWhite);
    data.transform = body.getTransform();
    data.drawColor = body.getColor();
    body.getMesh()->draw(data, true);
}

ParticleNull* ParticleNull::instance()
{
    static ParticleNull null;
    return &null;
}
