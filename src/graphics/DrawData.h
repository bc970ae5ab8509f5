#pragma once
// The parameters of one mesh draw. Callers never build one from nothing: they copy the
// template of the current render context (GraphicsSystem::getDrawData), fill in what they
// need and hand it to Mesh::draw, which draws it at once or queues it for the blended pass.

#include "graphics/Texture.h"
#include "world/TransformComp.h"

#include <glm/glm.hpp>

#include <cstdint>
#include <string>

class GraphicsSystem;

struct DrawData
{
    // A blend alpha at or below this sends a deferrable draw to the blended pass.
    static constexpr float kOpaqueAlphaLimit = 0.95f;

    TransformComp transform;
    GraphicsSystem* graphics = nullptr;
    Texture texture;
    glm::vec4 blendColor{1.0f, 1.0f, 1.0f, 1.0f};
    glm::vec4 drawColor{0.0f, 0.0f, 0.0f, 0.0f};
    glm::vec2 textureUVOffset{0.0f, 0.0f};
    glm::vec2 textureUVDimension{1.0f, 1.0f};
    // Culling applies only when this is exactly 1.
    uint32_t frustumCulling = 0;
    glm::vec3 viewTopLeft{0.0f};     // x: left bound, y: top bound
    glm::vec3 viewBottomRight{0.0f}; // x: right bound, y: bottom bound
    float viewDepth = 0.0f;          // the depth the culling margins are measured from
    glm::vec4 texBorder{0.0f};
    glm::vec4 spriteBorder{0.0f};
    glm::vec2 spriteTextureRatio{1.0f, 1.0f};
    uint32_t sliceType = 0; // nine-slice: 0 none, 1 stretched middle, 2 repeated middle
    // Set only on records queued for the blended pass: the context they were drawn in.
    std::string contextName;

    // A blended texture or a translucent blend colour.
    bool isTranslucent() const;
    // Whether an object at this world position and scale lies wholly outside the culling
    // rectangle. The margin grows with the depth difference from viewDepth, three times as
    // fast sideways as vertically.
    bool isOutsideView(const glm::vec3& position, const glm::vec3& scale) const;
    // Sets the culling rectangle from the world points under the window's top-left and
    // bottom-right pixels, widened by a quarter of the visible size on every side.
    void setViewRectangle(const glm::vec3& topLeft, const glm::vec3& bottomRight);
};
