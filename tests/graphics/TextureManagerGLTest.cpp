#include "graphics/TextureManager.h"
#include "support/GLContext.h"
#include "support/TestSupport.h"

#include <GL/glew.h>
#include <gtest/gtest.h>
#include <stb/stb_image_write.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <stdexcept>

namespace
{
// A picture whose bottom row is a different colour from the rest, to tell the flip.
void WriteImage(const std::string& path, int width, int height, int channels, uint8_t shade = 200)
{
    std::vector<uint8_t> pixels(static_cast<size_t>(width) * height * channels, shade);
    for (int x = 0; x < width * channels; ++x)
        pixels[static_cast<size_t>(height - 1) * width * channels + x] = 10;
    stbi_write_png(path.c_str(), width, height, channels, pixels.data(), width * channels);
}

void PatchByte(const std::string& path, std::streamoff offset, char value)
{
    std::fstream file(path, std::ios::in | std::ios::out | std::ios::binary);
    file.seekp(offset);
    file.put(value);
}

std::string BadDepthMessage(int channels)
{
    const std::string folder = test::ScratchFolder("TextureDepth" + std::to_string(channels));
    WriteImage(folder + "/Flat.png", 4, 4, channels);
    TextureManager textures;
    test::ConsoleCapture console;
    EXPECT_THROW(
        {
            try
            {
                textures.loadFolder(folder, TextureKind::Opaque);
            }
            catch (const std::invalid_argument& error)
            {
                EXPECT_STREQ(error.what(), "Incorrect bit depth.");
                throw;
            }
        },
        std::invalid_argument);
    EXPECT_FALSE(textures.hasTexture("Flat"));
    return console.err();
}
}

TEST(TextureManagerGL, TheFolderDecidesTheKindAndTheFirstImageOfAStemWins)
{
    test::GLContext gl;
    ASSERT_TRUE(gl.ok());
    const std::string folder = test::ScratchFolder("TextureKinds");
    std::filesystem::create_directories(folder + "/opaque");
    std::filesystem::create_directories(folder + "/blended");
    WriteImage(folder + "/opaque/Rock.png", 8, 4, 4);
    WriteImage(folder + "/opaque/a.b.png", 2, 2, 4);
    WriteImage(folder + "/opaque/NO_TEXTURE.png", 2, 2, 4);
    WriteImage(folder + "/blended/Rock.png", 16, 16, 4);
    WriteImage(folder + "/blended/Glass.png", 3, 5, 4);

    TextureManager textures;
    textures.loadFolder(folder + "/opaque", TextureKind::Opaque);
    textures.loadFolder(folder + "/blended", TextureKind::Blended);

    EXPECT_EQ(textures.getOpaqueTextureNames(), (std::vector<std::string>{"NO_TEXTURE", "Rock", "a.b"}));
    EXPECT_EQ(textures.getBlendedTextureNames(), (std::vector<std::string>{"Glass"}));
    const Texture rock = textures.getTexture("Rock");
    EXPECT_EQ(rock.kind, TextureKind::Opaque);
    EXPECT_EQ(rock.width, 8.0f);
    EXPECT_EQ(rock.height, 4.0f);
    EXPECT_TRUE(glIsTexture(rock.id));
    const Texture glass = textures.getTexture("Glass");
    EXPECT_EQ(glass.kind, TextureKind::Blended);
    EXPECT_EQ(glass.height, 5.0f);

    // The shadowed blended Rock was never uploaded: the next texture name follows the
    // highest one in use.
    GLuint highest = 0;
    for (const char* name : {"NO_TEXTURE", "Rock", "a.b", "Glass"})
        highest = std::max(highest, textures.getTexture(name).id);
    GLuint next = 0;
    glGenTextures(1, &next);
    EXPECT_EQ(next, highest + 1);
    glDeleteTextures(1, &next);
    textures.shutdown();
}

TEST(TextureManagerGL, TwoFormatsOfOneStemInAFolderKeepTheOneListedFirst)
{
    test::GLContext gl;
    ASSERT_TRUE(gl.ok());
    const std::string folder = test::ScratchFolder("TextureSameStem");
    const std::vector<uint8_t> bmp(4 * 2 * 4, 120);
    ASSERT_NE(stbi_write_bmp((folder + "/Stone.bmp").c_str(), 4, 2, 4, bmp.data()), 0);
    WriteImage(folder + "/Stone.png", 8, 8, 4);

    TextureManager textures;
    textures.loadFolder(folder, TextureKind::Opaque);
    // The listing is sorted, so "Stone.bmp" comes before "Stone.png".
    EXPECT_EQ(textures.getOpaqueTextureNames(), (std::vector<std::string>{"Stone"}));
    const Texture stone = textures.getTexture("Stone");
    EXPECT_EQ(stone.width, 4.0f);
    EXPECT_EQ(stone.height, 2.0f);
    EXPECT_EQ(stone.kind, TextureKind::Opaque);
    textures.shutdown();
}

TEST(TextureManagerGL, ImagesAreFlippedSoTheBottomRowComesFirst)
{
    test::GLContext gl;
    ASSERT_TRUE(gl.ok());
    const std::string folder = test::ScratchFolder("TextureFlip");
    WriteImage(folder + "/Striped.png", 4, 4, 4);
    TextureManager textures;
    textures.loadFolder(folder, TextureKind::Opaque);
    std::vector<uint8_t> pixels(4 * 4 * 4);
    glBindTexture(GL_TEXTURE_2D, textures.getTexture("Striped").id);
    glGetTexImage(GL_TEXTURE_2D, 0, GL_RGBA, GL_UNSIGNED_BYTE, pixels.data());
    EXPECT_EQ(pixels[0], 10);  // first row in GL: the image's bottom row
    EXPECT_EQ(pixels[4 * 4 * 3], 200);
    GLint filter = 0;
    glGetTexParameteriv(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, &filter);
    EXPECT_EQ(filter, GL_NEAREST);
    textures.shutdown();
}

TEST(TextureManagerGL, MissingNamesFallBackToThePlaceholderAndThenToTheNullRecord)
{
    test::GLContext gl;
    ASSERT_TRUE(gl.ok());
    const std::string folder = test::ScratchFolder("TextureFallback");
    WriteImage(folder + "/NO_TEXTURE.png", 2, 2, 4);
    test::WriteText(folder + "/Broken.png", "this is not an image");
    TextureManager textures;
    {
        test::ConsoleCapture console;
        textures.loadFolder(folder, TextureKind::Opaque);
        EXPECT_NE(console.err().find("ERROR Texture " + folder + "/Broken.png Failed to load"), std::string::npos);
    }
    EXPECT_FALSE(textures.hasTexture("Broken"));
    {
        test::ConsoleCapture console;
        EXPECT_EQ(textures.getTexture(""), textures.getTexture("NO_TEXTURE"));
        EXPECT_NE(console.err().find("Texture, , searched for but not found!"), std::string::npos);
    }
    textures.shutdown();
    test::ConsoleCapture console;
    EXPECT_EQ(textures.getTexture("NO_TEXTURE"), Texture::Null());
    const std::string err = console.err();
    EXPECT_NE(err.find("No texture or defaulting texture found!\nERROR! : The placeholder is an image named NO_TEXTURE "
                       "(any image extension) in [assets/textures/opaque] or [assets/textures/blended]."),
              std::string::npos)
        << err;
}

TEST(TextureManagerGL, ImagesWithoutFourChannelsStopTheLoad)
{
    test::GLContext gl;
    ASSERT_TRUE(gl.ok());
    EXPECT_NE(BadDepthMessage(3).find("has an incorrect bit depth of: 24. All graphical assets MUST have a bit depth of 32!"),
              std::string::npos);
    EXPECT_NE(BadDepthMessage(2).find("incorrect bit depth of: 16."), std::string::npos);

    // An image whose stem is taken is never stored, yet a bad one stops the load all the same.
    const std::string folder = test::ScratchFolder("TextureDepthShadowed");
    std::filesystem::create_directories(folder + "/shadowed");
    WriteImage(folder + "/Rock.png", 4, 4, 4);
    WriteImage(folder + "/shadowed/Rock.png", 4, 4, 3);
    TextureManager textures;
    textures.loadFolder(folder, TextureKind::Opaque);
    test::ConsoleCapture console;
    EXPECT_THROW(textures.loadFolder(folder + "/shadowed", TextureKind::Blended), std::invalid_argument);
    EXPECT_NE(console.err().find(folder + "/shadowed/Rock.png' has an incorrect bit depth of: 24"), std::string::npos);
    EXPECT_EQ(textures.getTexture("Rock").kind, TextureKind::Opaque);
    textures.shutdown();
}

TEST(TextureManagerGL, TheGameTexturesLoadIntoTheirPasses)
{
    test::GLContext gl;
    ASSERT_TRUE(gl.ok());
    TextureManager textures;
    textures.initialize();
    const std::vector<std::string> opaque = textures.getOpaqueTextureNames();
    const std::vector<std::string> blended = textures.getBlendedTextureNames();
    for (const char* name : {"NO_TEXTURE", "ButtonDefault"})
        EXPECT_NE(std::find(opaque.begin(), opaque.end(), name), opaque.end()) << name;
    for (const char* name : {"Transition1", "Transition2", "Transition3", "SpritePackage", "SpriteNoPackage"})
        EXPECT_NE(std::find(blended.begin(), blended.end(), name), blended.end()) << name;
    EXPECT_EQ(textures.getTexture("SpritePackage").width, textures.getTexture("SpriteNoPackage").width);
    textures.shutdown();
}

// Decoding runs ahead on other threads, but what the load leaves behind must not depend on it:
// errors in listing order, and a bad image stops the load with exactly the images before it.
TEST(TextureManagerGL, AnImageThatStopsTheLoadKeepsTheImagesListedBeforeIt)
{
    test::GLContext gl;
    ASSERT_TRUE(gl.ok());
    const std::string folder = test::ScratchFolder("TextureStopOrder");
    for (const char* name : {"a", "b", "d", "f", "g", "h"})
        WriteImage(folder + "/" + name + ".png", 4, 4, 4);
    test::WriteText(folder + "/c.png", "broken");
    test::WriteText(folder + "/e.png", "broken too");
    WriteImage(folder + "/f2.png", 4, 4, 3);

    TextureManager textures;
    test::ConsoleCapture console;
    EXPECT_THROW(textures.loadFolder(folder, TextureKind::Blended), std::invalid_argument);
    EXPECT_EQ(textures.getBlendedTextureNames(), (std::vector<std::string>{"a", "b", "d", "f"}));
    const std::string errors = console.err();
    const size_t first = errors.find(folder + "/c.png Failed to load");
    const size_t second = errors.find(folder + "/e.png Failed to load");
    const size_t depth = errors.find(folder + "/f2.png' has an incorrect bit depth of: 24");
    ASSERT_NE(depth, std::string::npos);
    EXPECT_LT(first, second);
    EXPECT_LT(second, depth);
    textures.shutdown();
}

// The game starts decoding before its window exists; what initialize then holds must be what a
// plain initialize gives, and a restart must read the folders afresh rather than reuse it.
TEST(TextureManagerGL, DecodingStartedEarlyLoadsWhatAPlainStartLoads)
{
    test::GLContext gl;
    ASSERT_TRUE(gl.ok());
    TextureManager plain;
    plain.initialize();
    TextureManager::StartDecodingEarly();
    TextureManager early;
    early.initialize();
    EXPECT_EQ(early.getOpaqueTextureNames(), plain.getOpaqueTextureNames());
    EXPECT_EQ(early.getBlendedTextureNames(), plain.getBlendedTextureNames());
    for (const std::string& name : plain.getBlendedTextureNames())
        EXPECT_EQ(early.getTexture(name).width, plain.getTexture(name).width) << name;
    early.restart();
    EXPECT_EQ(early.getBlendedTextureNames(), plain.getBlendedTextureNames());
    plain.shutdown();
    early.shutdown();
}

// An early load chose its images for an empty manager; one that already holds textures keeps
// its first image of each stem.
TEST(TextureManagerGL, DecodingStartedEarlyNeverReplacesLoadedTextures)
{
    test::GLContext gl;
    ASSERT_TRUE(gl.ok());
    const std::string folder = test::ScratchFolder("TextureEarlyShadow");
    WriteImage(folder + "/Transition1.png", 2, 3, 4);
    TextureManager textures;
    textures.loadFolder(folder, TextureKind::Opaque);
    TextureManager::StartDecodingEarly();
    textures.initialize();
    const Texture wipe = textures.getTexture("Transition1");
    EXPECT_EQ(wipe.kind, TextureKind::Opaque);
    EXPECT_EQ(wipe.width, 2.0f);
    EXPECT_TRUE(textures.hasTexture("NO_TEXTURE"));
    textures.shutdown();
}

// The size is read from the header, so even a file that only claims 16384 by 16384 is
// refused without decoding, and lookups of it fall back to the placeholder.
TEST(TextureManagerGL, ImagesPastTheSizeLimitAreRefusedBeforeDecoding)
{
    test::GLContext gl;
    ASSERT_TRUE(gl.ok());
    const std::string folder = test::ScratchFolder("TextureTooLarge");
    WriteImage(folder + "/NO_TEXTURE.png", 2, 2, 4);
    WriteImage(folder + "/Widest.png", 8192, 1, 4);
    WriteImage(folder + "/Wide.png", 8193, 1, 4);
    WriteImage(folder + "/Tall.png", 1, 8193, 4);
    std::vector<uint8_t> header(16 * 16 * 4, 0);
    stbi_write_png((folder + "/Huge.png").c_str(), 16, 16, 4, header.data(), 16 * 4);
    // The width and height stand big-endian in the IHDR chunk at bytes 16 and 20.
    for (const std::streamoff side : {16, 20})
    {
        PatchByte(folder + "/Huge.png", side + 2, 0x40);
        PatchByte(folder + "/Huge.png", side + 3, 0x00);
    }

    TextureManager textures;
    test::ConsoleCapture console;
    textures.loadFolder(folder, TextureKind::Opaque);
    const std::string errors = console.err();
    EXPECT_TRUE(textures.hasTexture("Widest"));
    const struct
    {
        const char* stem;
        const char* size;
    } refused[] = {{"Wide", "8193x1"}, {"Tall", "1x8193"}, {"Huge", "16384x16384"}};
    for (const auto& image : refused)
    {
        SCOPED_TRACE(image.stem);
        EXPECT_FALSE(textures.hasTexture(image.stem));
        EXPECT_NE(errors.find("ERROR Texture " + folder + "/" + image.stem + ".png is " + image.size +
                              " pixels; images may be at most 8192 pixels on a side."),
                  std::string::npos);
        EXPECT_EQ(textures.getTexture(image.stem), textures.getTexture("NO_TEXTURE"));
    }
    textures.shutdown();
}
