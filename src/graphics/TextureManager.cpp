#include "graphics/TextureManager.h"

#include "engine/FileHelpers.h"
#include "engine/SystemSingleton.h"
#include "engine/TraceLog.h"
#include "graphics/AssetFolder.h"

#include <GL/glew.h>
#include <stb/stb_image.h>

#include <algorithm>
#include <stdexcept>

namespace
{
TextureManager* gTextureManager = nullptr;

constexpr int kRequiredChannels = 4;
// No image of ours comes near this; anything larger would cost gigabytes to decode.
constexpr int kMaxImageSide = 8192;

int MaxImageSide()
{
    GLint glMax = 0;
    glGetIntegerv(GL_MAX_TEXTURE_SIZE, &glMax);
    return glMax > 0 ? std::min(glMax, kMaxImageSide) : kMaxImageSide;
}

// Reads only the image's header, so an oversized file is refused before any pixel is decoded.
bool FitsTextureLimit(const std::string& path)
{
    int width = 0;
    int height = 0;
    int channels = 0;
    if (!stbi_info(path.c_str(), &width, &height, &channels))
        return true;
    const int limit = MaxImageSide();
    if (width <= limit && height <= limit)
        return true;
    Log()->error("ERROR Texture " + path + " is " + std::to_string(width) + "x" + std::to_string(height) +
                 " pixels; images may be at most " + std::to_string(limit) + " pixels on a side.");
    return false;
}

// Nearest filtering keeps the pixel art crisp at any zoom.
GLuint UploadRgba(int width, int height, const unsigned char* pixels)
{
    GLuint id = 0;
    glGenTextures(1, &id);
    glBindTexture(GL_TEXTURE_2D, id);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_NEAREST);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_NEAREST);
    glPixelStorei(GL_UNPACK_ALIGNMENT, 4);
    glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA, width, height, 0, GL_RGBA, GL_UNSIGNED_BYTE, pixels);
    glGenerateMipmap(GL_TEXTURE_2D);
    return id;
}
}

TextureManager* TextureManager::getInstance()
{
    return GetSystemSingleton(gTextureManager, kName);
}

TextureManagerNull* TextureManagerNull::instance()
{
    static TextureManagerNull null;
    return &null;
}

void TextureManager::initialize()
{
    loadFolder(kOpaqueFolder, TextureKind::Opaque);
    loadFolder(kBlendedFolder, TextureKind::Blended);
    Log()->message(kName, "initialize");
}

void TextureManager::update() {}

void TextureManager::render() {}

void TextureManager::shutdown()
{
    for (const auto& [name, texture] : textures)
        glDeleteTextures(1, &texture.id);
    textures.clear();
    Log()->message(kName, "shutdown");
}

void TextureManager::loadFolder(const std::string& folder, TextureKind kind)
{
    for (const std::string& path : ListAssetFolder(folder, false, true))
        loadTexture(path, StripExtension(GetFileName(path)), kind);
}

void TextureManager::loadTexture(const std::string& path, const std::string& stem, TextureKind kind)
{
    // The first image of a stem wins; decoding and uploading a later one would only leak a GL
    // texture that nothing can reach.
    if (hasTexture(stem) || !FitsTextureLimit(path))
        return;

    stbi_set_flip_vertically_on_load(1);
    int width = 0;
    int height = 0;
    int channels = 0;
    unsigned char* pixels = stbi_load(path.c_str(), &width, &height, &channels, 0);
    if (!pixels)
    {
        Log()->error("ERROR Texture " + path + " Failed to load");
        return;
    }
    if (channels != kRequiredChannels)
    {
        stbi_image_free(pixels);
        Log()->error("File: '" + path + "' has an incorrect bit depth of: " + std::to_string(channels * 8) +
                     ". All graphical assets MUST have a bit depth of 32!");
        throw std::invalid_argument("Incorrect bit depth.");
    }

    const GLuint id = UploadRgba(width, height, pixels);
    stbi_image_free(pixels);

    textures[stem] = {id, kind, static_cast<float>(width), static_cast<float>(height)};
}

Texture TextureManager::getTexture(const std::string& name)
{
    const auto found = textures.find(name);
    if (found != textures.end())
        return found->second;
    const auto fallback = textures.find(kFallbackName);
    if (fallback != textures.end())
    {
        Log()->error("Texture, " + name + ", searched for but not found!");
        return fallback->second;
    }
    Log()->error("No texture or defaulting texture found!");
    return Texture::Null();
}

std::vector<std::string> TextureManager::getBlendedTextureNames()
{
    return namesOfKind(TextureKind::Blended);
}

std::vector<std::string> TextureManager::getOpaqueTextureNames()
{
    return namesOfKind(TextureKind::Opaque);
}

std::vector<std::string> TextureManager::namesOfKind(TextureKind kind) const
{
    std::vector<std::string> names;
    for (const auto& [name, texture] : textures)
        if (texture.kind == kind)
            names.push_back(name);
    return names;
}
