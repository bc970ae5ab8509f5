#version 330 core
// Interface pictures: buttons, windows, screen wipes. The texture coordinate is first
// nine-sliced (fixed corners, stretched or repeated middle) within the picture, then mapped
// into the animation cell given by textureUVOffset and textureUVDimension.

in vec2 vTexCoord;
out vec4 fragColour;

uniform sampler2D spriteTexture;
uniform int useTexture;
uniform int useBlending;
uniform vec4 blendColor;
uniform vec4 drawColor;
uniform vec2 textureUVOffset;
uniform vec2 textureUVDimension;
uniform uint sliceType;        // 0 none, 1 stretched middle, 2 repeated middle
uniform vec4 texBorder;        // where the margins end inside the texture (left, bottom, right, top)
uniform vec4 spriteBorder;     // where the margins end on the sprite, same order
uniform vec2 spriteTextureRatio; // how many textures fit across the sprite

// One axis of the nine-slice: position on the sprite -> position in the texture.
float sliceAxis(float s, float spriteLow, float spriteHigh, float texLow, float texHigh, float ratio)
{
    if (s < spriteLow)
        return s / spriteLow * texLow;
    if (s > spriteHigh)
        return texHigh + (s - spriteHigh) / (1.0 - spriteHigh) * (1.0 - texHigh);
    if (sliceType == 2u)
    {
        float tile = max(texHigh - texLow, 1e-5);
        return texLow + mod((s - spriteLow) * ratio, tile);
    }
    float middle = max(spriteHigh - spriteLow, 1e-5);
    return mix(texLow, texHigh, (s - spriteLow) / middle);
}

vec2 sliceCoordinate(vec2 uv)
{
    if (sliceType == 0u)
        return uv;
    return vec2(sliceAxis(uv.x, spriteBorder.x, spriteBorder.z, texBorder.x, texBorder.z, spriteTextureRatio.x),
                sliceAxis(uv.y, spriteBorder.y, spriteBorder.w, texBorder.y, texBorder.w, spriteTextureRatio.y));
}

void main()
{
    vec4 colour;
    if (useTexture != 0)
    {
        vec2 uv = textureUVOffset + sliceCoordinate(vTexCoord) * textureUVDimension;
        colour = texture(spriteTexture, uv) * blendColor;
    }
    else
    {
        colour = drawColor * blendColor;
    }

    if (useBlending != 0)
    {
        // Fully transparent texels must not write depth over what lies behind them.
        if (colour.a < 0.01)
            discard;
    }
    else
    {
        // The opaque pass has no blending: cut transparent texels out, keep the rest solid.
        if (colour.a < 0.5)
            discard;
        colour.a = 1.0;
    }
    fragColour = colour;
}
