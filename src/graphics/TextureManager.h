#pragma once
// Loads every 32-bit image of "assets/textures/opaque" and "assets/textures/blended" once and
// hands the textures out by file stem. The folder decides the pass: blended images are queued
// for the sorted blended pass. A missing name falls back to "NO_TEXTURE" so a typo shows a
// placeholder instead of stopping the game. TextureComp, the emitters and the interface copy
// the Texture records it returns; the GL textures themselves stay owned here.
// Images are decoded on worker threads while this thread uploads the ones decoded before;
// uploads, error lines and GL names still follow the sorted listing, opaque folder first. The
// program starts that decoding before it opens the window (StartDecodingEarly), so the slow
// part of making a GL context and the image decoding overlap.

#include "engine/IEngineSystem.h"
#include "engine/Observer.h"
#include "graphics/Texture.h"

#include <map>
#include <memory>
#include <string>
#include <vector>

class DecodedImage;
class ImageDecodePool;

class TextureManager : public IEngineSystem, public Observer
{
public:
    static constexpr const char* kName = "TextureManager";
    static constexpr const char* kOpaqueFolder = "assets/textures/opaque";
    static constexpr const char* kBlendedFolder = "assets/textures/blended";
    static constexpr const char* kFallbackName = "NO_TEXTURE";
    static TextureManager* getInstance();
    // Lists both folders and starts decoding them; needs no GL context. The next initialize
    // uploads those images instead of decoding them again.
    static void StartDecodingEarly();

    void initialize() override;
    void update() override;
    void render() override;
    void shutdown() override;

    virtual Texture getTexture(const std::string& name);
    virtual std::vector<std::string> getBlendedTextureNames();
    virtual std::vector<std::string> getOpaqueTextureNames();

    // Loads the regular files directly inside the folder in name order. Opaque folders are
    // loaded before blended ones so that an opaque image shadows a blended one of its stem.
    void loadFolder(const std::string& folder, TextureKind kind);
    // Throws std::invalid_argument "Incorrect bit depth." for an image without four channels,
    // even when its stem is taken already and it would not be stored.
    void loadTexture(const std::string& path, const std::string& stem, TextureKind kind);
    bool hasTexture(const std::string& name) const { return textures.count(name) != 0; }

private:
    struct Source
    {
        std::string path;
        std::string stem;
        TextureKind kind = TextureKind::None;
    };
    // Images chosen for loading, in upload order, and the pool decoding them.
    struct PendingLoad
    {
        std::vector<Source> sources;
        std::unique_ptr<ImageDecodePool> decoder;
    };

    static std::vector<Source> listFolder(const std::string& folder, TextureKind kind);
    static std::vector<Source> listGameFolders();
    static PendingLoad startLoad(const std::vector<Source>& listed);
    void finishLoad(PendingLoad& load);
    void storeImage(const Source& source, const DecodedImage& image);
    std::vector<std::string> namesOfKind(TextureKind kind) const;

    std::map<std::string, Texture> textures;
    static std::unique_ptr<PendingLoad> earlyLoad;
};

class TextureManagerNull : public TextureManager
{
public:
    static TextureManagerNull* instance();
    void initialize() override {}
    void update() override {}
    void render() override {}
    void shutdown() override {}
    bool isNull() const override { return true; }
    Texture getTexture(const std::string&) override { return Texture::Null(); }
    std::vector<std::string> getBlendedTextureNames() override { return {}; }
    std::vector<std::string> getOpaqueTextureNames() override { return {}; }
};
