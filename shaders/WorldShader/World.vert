#version 330 core
// World-space meshes: the model, view and projection matrices place each vertex. The
// nine-slice's line pieces are worked out here, once per vertex, because the software
// renderer pays for every division in the fragment stage on every pixel.

layout(location = 0) in vec3 aPosition;
layout(location = 1) in vec2 aTexCoord;
layout(location = 2) in vec3 aNormal;
layout(location = 3) in vec4 aColour;

uniform mat4 projection;
uniform mat4 view;
uniform mat4 model;

uniform uint sliceType;          // 0 none, 1 stretched middle, 2 repeated middle
uniform vec4 texBorder;          // where the margins end inside the texture (left, bottom, right, top)
uniform vec4 spriteBorder;       // where the margins end on the sprite, same order
uniform vec2 spriteTextureRatio; // how many textures fit across the sprite

out vec2 vTexCoord;
flat out vec2 vLowScale;
flat out vec2 vHighScale;
flat out vec2 vMiddleScale;

void main()
{
    vTexCoord = aTexCoord;
    vec2 spriteLow = max(spriteBorder.xy, vec2(1e-5));
    vec2 spriteHigh = spriteBorder.zw;
    vLowScale = texBorder.xy / spriteLow;
    vHighScale = (1.0 - texBorder.zw) / max(1.0 - spriteHigh, vec2(1e-5));
    // A repeated middle is measured in tiles, so the fragment stage wraps it with fract.
    vec2 tile = max(texBorder.zw - texBorder.xy, vec2(1e-5));
    vMiddleScale = sliceType == 2u ? spriteTextureRatio / tile
                                   : tile / max(spriteHigh - spriteBorder.xy, vec2(1e-5));
    gl_Position = projection * view * model * vec4(aPosition, 1.0);
}
