#include "graphics/TextureManager.h"

#include "engine/FileHelpers.h"
#include "engine/SystemSingleton.h"
#include "engine/TraceLog.h"
#include "graphics/AssetFolder.h"
#include "graphics/DecodedImage.h"
#include "graphics/ImageDecodePool.h"

#include <GL/glew.h>

#include <stdexcept>

namespace
{
TextureManager* gTextureManager = nullptr;

constexpr int kRequiredChannels = 4;

// Nearest filtering keeps the pixel art crisp at any zoom. With a minifying filter that never
// reads a mipmap there is no point building one, and on a software GL building them was most
// of the start-up time.
GLuint UploadRgba(int width, int height, const unsigned char* pixels)
{
    GLuint id = 0;
    glGenTextures(1, &id);
    glBindTexture(GL_TEXTURE_2D, id);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_NEAREST);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_NEAREST);
    glPixelStorei(GL_UNPACK_ALIGNMENT, 4);
    glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA, width, height, 0, GL_RGBA, GL_UNSIGNED_BYTE, pixels);
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

std::unique_ptr<TextureManager::PendingLoad> TextureManager::earlyLoad;

void TextureManager::StartDecodingEarly()
{
    earlyLoad = std::make_unique<PendingLoad>(startLoad(listGameFolders()));
}

void TextureManager::initialize()
{
    std::unique_ptr<PendingLoad> load = std::move(earlyLoad);
    if (!load)
        load = std::make_unique<PendingLoad>(startLoad(listGameFolders()));
    finishLoad(*load);
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
    PendingLoad load = startLoad(listFolder(folder, kind));
    finishLoad(load);
}

void TextureManager::loadTexture(const std::string& path, const std::string& stem, TextureKind kind)
{
    storeImage({path, stem, kind}, DecodedImage::FromFile(path));
}

std::vector<TextureManager::Source> TextureManager::listFolder(const std::string& folder, TextureKind kind)
{
    std::vector<Source> sources;
    for (const std::string& path : ListAssetFolder(folder, false, true))
        sources.push_back({path, StripExtension(GetFileName(path)), kind});
    return sources;
}

std::vector<TextureManager::Source> TextureManager::listGameFolders()
{
    std::vector<Source> sources = listFolder(kOpaqueFolder, TextureKind::Opaque);
    const std::vector<Source> blended = listFolder(kBlendedFolder, TextureKind::Blended);
    sources.insert(sources.end(), blended.begin(), blended.end());
    return sources;
}

TextureManager::PendingLoad TextureManager::startLoad(const std::vector<Source>& listed)
{
    PendingLoad load;
    load.sources = listed;
    std::vector<std::string> paths;
    for (const Source& source : listed)
        paths.push_back(source.path);
    load.decoder = std::make_unique<ImageDecodePool>(paths);
    return load;
}

void TextureManager::finishLoad(PendingLoad& load)
{
    for (const Source& source : load.sources)
        storeImage(source, load.decoder->next());
}

void TextureManager::storeImage(const Source& source, const DecodedImage& image)
{
    if (!image.getRefusal().empty())
    {
        Log()->error("ERROR Texture " + source.path + " " + image.getRefusal());
        return;
    }
    if (!image.ok())
    {
        Log()->error("ERROR Texture " + source.path + " Failed to load");
        return;
    }
    if (image.getChannels() != kRequiredChannels)
    {
        Log()->error("File: '" + source.path + "' has an incorrect bit depth of: " +
                     std::to_string(image.getChannels() * 8) + ". All graphical assets MUST have a bit depth of 32!");
        throw std::invalid_argument("Incorrect bit depth.");
    }
    // The first image of a stem wins. A later one is still checked above, so a bad image
    // stops the start wherever it stands; uploading it would only leak a texture nothing
    // can reach or delete.
    if (hasTexture(source.stem))
        return;
    const GLuint id = UploadRgba(image.getWidth(), image.getHeight(), image.getPixels());
    textures[source.stem] = {id, source.kind, static_cast<float>(image.getWidth()),
                             static_cast<float>(image.getHeight())};
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
    Log()->error("The placeholder is an image named " + std::string(kFallbackName) + " (any image extension) in [" +
                 kOpaqueFolder + "] or [" + kBlendedFolder + "].");
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
