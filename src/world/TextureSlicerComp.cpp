#include "world/TextureSlicerComp.h"

#include "graphics/Texture.h"
#include "world/TransformComp.h"

void TextureSlicerComp::setBorder(float left, float bottom, float right, float top)
{
    border = glm::vec4(left, bottom, right, top);
}

glm::vec2 TextureSlicerComp::pixelSize(const TransformComp& transform) const
{
    const glm::vec3 scale = transform.getScale();
    return glm::vec2(scale.x * kPixelsPerUnit / sliceScale.x, scale.y * kPixelsPerUnit / sliceScale.y);
}

glm::vec4 TextureSlicerComp::getBorderUV(const Texture& texture) const
{
    return glm::vec4(border.x / texture.width, border.y / texture.height, 1.0f - border.z / texture.width,
                     1.0f - border.w / texture.height);
}

glm::vec4 TextureSlicerComp::getBorderWorld(const TransformComp& transform) const
{
    const glm::vec2 p = pixelSize(transform);
    return glm::vec4(border.x / p.x, border.y / p.y, 1.0f - border.z / p.x, 1.0f - border.w / p.y);
}

glm::vec2 TextureSlicerComp::getRepeatCount(const Texture& texture, const TransformComp& transform) const
{
    const glm::vec2 p = pixelSize(transform);
    return glm::vec2(p.x / texture.width, p.y / texture.height);
}

TextureSlicerCompNull* TextureSlicerCompNull::instance()
{
    static TextureSlicerCompNull null;
    return &null;
}
