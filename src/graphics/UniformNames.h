#pragma once
// The uniform names the shaders declare and the code uploads by name. Built once: a name made
// from a literal at the call cost a string construction per uniform per draw, and a misspelt
// literal would fail silently (the context ignores names its program lacks).

#include <string>

namespace UniformNames
{
inline const std::string kProjection = "projection";
inline const std::string kView = "view";
inline const std::string kModel = "model";
inline const std::string kUseTexture = "useTexture";
inline const std::string kUseBlending = "useBlending";
inline const std::string kBlendColor = "blendColor";
inline const std::string kDrawColor = "drawColor";
inline const std::string kTextureUVOffset = "textureUVOffset";
inline const std::string kTextureUVDimension = "textureUVDimension";
inline const std::string kSliceType = "sliceType";
inline const std::string kTexBorder = "texBorder";
inline const std::string kSpriteBorder = "spriteBorder";
inline const std::string kSpriteTextureRatio = "spriteTextureRatio";
}
