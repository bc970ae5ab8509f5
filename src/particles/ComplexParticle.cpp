#include "particles/ComplexParticle.h"

#include "graphics/DrawData.h"
#include "graphics/Mesh.h"

namespace
{
// A fading particle sinks a hair behind the plain ones.
constexpr float kSinkSpeed = -0.00001f;
constexpr float kFade = 0.98f;
// Alpha at or below this snaps to 0; at or below kInvisible it is not drawn at all.
constexpr float kFadeFloor = 0.05f;
constexpr float kInvisible = 0.01f;
}

void ComplexParticle::update()
{
    glm::vec3 velocity = body.getVelocity();
    velocity.z = kSinkSpeed;
    body.advance(velocity);
    const float alpha = body.getColor().a * kFade;
    body.setAlpha(alpha <= kFadeFloor ? 0.0f : alpha);
}

void ComplexParticle::draw(DrawData& data)
{
    if (body.getColor().a <= kInvisible)
        return;
    data.transform = body.getTransform();
    data.blendColor = body.getColor();
    data.texture = body.getTexture();
    body.getMesh()->draw(data, true);
}

ComplexParticleNull* ComplexParticleNull::instance()
{
    static ComplexParticleNull null;
    return &null;
}
