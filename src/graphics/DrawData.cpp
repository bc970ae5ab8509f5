#include "graphics/DrawData.h"

#include <cmath>

bool DrawData::isTranslucent() const
{
    return texture.kind == TextureKind::Blended || blendColor.a <= kOpaqueAlphaLimit;
}

bool DrawData::isOutsideView(const glm::vec3& position, const glm::vec3& scale) const
{
    const float depthGap = std::abs(position.z - viewDepth);
    const float halfWidth = scale.x * 0.5f;
    const float halfHeight = scale.y * 0.5f;
    return viewTopLeft.x - 3.0f * depthGap > position.x + halfWidth ||
           position.x - halfWidth > viewBottomRight.x + 3.0f * depthGap ||
           viewBottomRight.y - depthGap > position.y + halfHeight ||
           position.y - halfHeight > viewTopLeft.y + depthGap;
}

void DrawData::setViewRectangle(const glm::vec3& topLeft, const glm::vec3& bottomRight)
{
    const float width = bottomRight.x - topLeft.x;
    const float height = topLeft.y - bottomRight.y;
    viewTopLeft = {topLeft.x - width / 4.0f, topLeft.y + height / 4.0f, topLeft.z};
    viewBottomRight = {bottomRight.x + width / 4.0f, bottomRight.y - height / 4.0f, bottomRight.z};
}
