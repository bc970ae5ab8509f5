#version 330 core
// Textured or flat-coloured world sprites. The texture coordinate is first nine-sliced
// (fixed corners, stretched or repeated middle) within the sprite, then mapped into the
// animation cell given by textureUVOffset and textureUVDimension. Choices are selects, not
// branches: on the software renderer a branch costs every pixel both of its sides.

in vec2 vTexCoord;
flat in vec2 vLowScale;
flat in vec2 vHighScale;
flat in vec2 vMiddleScale;
out vec4 fragColour;

uniform sampler2D spriteTexture;
uniform int useTexture;
uniform int useBlending;
uniform vec4 blendColor;
uniform vec4 drawColor;
uniform vec2 textureUVOffset;
uniform vec2 textureUVDimension;
uniform uint sliceType;
uniform vec4 texBorder;
uniform vec4 spriteBorder;

vec2 sliceCoordinate(vec2 s)
{
    vec2 middle = (s - spriteBorder.xy) * vMiddleScale;
    vec2 tile = texBorder.zw - texBorder.xy;
    vec2 sliced = texBorder.xy + (sliceType == 2u ? fract(middle) * tile : middle);
    sliced = mix(sliced, s * vLowScale, lessThan(s, spriteBorder.xy));
    sliced = mix(sliced, texBorder.zw + (s - spriteBorder.zw) * vHighScale, greaterThan(s, spriteBorder.zw));
    return sliceType == 0u ? s : sliced;
}

void main()
{
    vec4 sampled = texture(spriteTexture, textureUVOffset + sliceCoordinate(vTexCoord) * textureUVDimension);
    vec4 colour = (useTexture != 0 ? sampled : drawColor) * blendColor;
    // The opaque pass has no blending: cut transparent texels out and keep the rest solid.
    // Fully transparent texels in the blended pass must not write depth over what lies behind.
    bool blended = useBlending != 0;
    if (colour.a < (blended ? 0.01 : 0.5))
        discard;
    fragColour = vec4(colour.rgb, blended ? colour.a : 1.0);
}
