// The interface shader in window pixels: a quad on the near plane (z = 1, where the screen
// wipes draw) is drawn, a larger z lies in front, and transparent texels are discarded so a
// wipe frame shows what lies behind it only through its transparent part.

#include "graphics/GraphicsSystem.h"
#include "graphics/Mesh.h"
#include "support/TestSupport.h"
#include "ui/UIManager.h"

#include "../graphics/RenderRig.h"

#include <GL/glew.h>
#include <gtest/gtest.h>
#include <stb/stb_image_write.h>

#include <filesystem>

namespace
{
using Pixel = std::vector<uint8_t>;
const Pixel kTeal{0x3A, 0xAF, 0xA9, 255};
const Pixel kPlum{0x6B, 0x2D, 0x5C, 255};
const Pixel kCoral{0xE4, 0x57, 0x2E, 255};
constexpr int kSide = 16;

void WriteImage(const std::string& path, const Pixel& colour, bool hole)
{
    std::vector<uint8_t> pixels;
    for (int y = 0; y < kSide; ++y)
        for (int x = 0; x < kSide; ++x)
        {
            const bool inHole = hole && x >= kSide / 4 && x < kSide * 3 / 4 && y >= kSide / 4 && y < kSide * 3 / 4;
            const Pixel texel = inHole ? Pixel{0, 0, 0, 0} : colour;
            pixels.insert(pixels.end(), texel.begin(), texel.end());
        }
    stbi_write_png(path.c_str(), kSide, kSide, 4, pixels.data(), kSide * 4);
}

// The same three pictures in both folders: a solid teal, a solid plum and a coral card with a
// transparent middle half.
void LoadPictures(test::RenderRig& rig)
{
    const std::string folder = test::ScratchFolder("UIShader");
    for (const char* kind : {"opaque", "blended"})
    {
        const std::string sub = folder + "/" + kind;
        std::filesystem::create_directories(sub);
        const std::string suffix = kind == std::string("opaque") ? "O" : "B";
        WriteImage(sub + "/Teal" + suffix + ".png", kTeal, false);
        WriteImage(sub + "/Plum" + suffix + ".png", kPlum, false);
        WriteImage(sub + "/Card" + suffix + ".png", kCoral, true);
    }
    rig.textures.loadFolder(folder + "/opaque", TextureKind::Opaque);
    rig.textures.loadFolder(folder + "/blended", TextureKind::Blended);
}

void DrawQuad(test::RenderRig& rig, const glm::vec3& position, float width, float height, const std::string& texture)
{
    rig.graphics.setContext(UIManager::kContextName, Camera());
    DrawData data = rig.graphics.getDrawData();
    data.transform.setPosition(position);
    data.transform.setScale(width, height, 1.0f);
    data.texture = rig.textures.getTexture(texture);
    rig.meshes.getMesh("quad")->draw(data, true);
}

// A pixel in window coordinates (y down).
Pixel At(test::RenderRig& rig, int x, int y)
{
    Pixel pixel = rig.gl.readPixel(x, test::RenderRig::kHeight - 1 - y);
    pixel[3] = 255;
    return pixel;
}

void BeginFrame(test::RenderRig& rig)
{
    rig.graphics.render();
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
}
}

TEST(UIShaderGL, QuadsAtEveryInterfaceDepthDrawTheNearPlaneIncluded)
{
    test::RenderRig rig;
    ASSERT_TRUE(rig.gl.ok());
    rig.startGraphics();
    LoadPictures(rig);
    for (const char* suffix : {"O", "B"})
        for (float z : {1.0f, 0.75f, 0.5f, 0.2f, 0.1f, 0.0f, -0.1f, -0.3f})
        {
            BeginFrame(rig);
            DrawQuad(rig, {640.0f, 360.0f, z}, 200.0f, 200.0f, std::string("Teal") + suffix);
            rig.graphics.render();
            EXPECT_EQ(At(rig, 640, 360), kTeal) << "z " << z << ", kind " << suffix;
            EXPECT_EQ(At(rig, 100, 100), (Pixel{0, 0, 0, 255})) << "z " << z;
        }
    EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
}

// The wipe's draw order past frame 77: the current frame at z 1, frame 77 at 0.5, the title
// card at 0.75. The title shows through the frame's transparent part and in front of frame 77.
TEST(UIShaderGL, WipeFrameShowsWhatLiesBehindOnlyThroughItsTransparentPart)
{
    test::RenderRig rig;
    ASSERT_TRUE(rig.gl.ok());
    rig.startGraphics();
    LoadPictures(rig);
    for (const char* suffix : {"O", "B"})
    {
        const std::string kind(suffix);
        BeginFrame(rig);
        DrawQuad(rig, {640.0f, 360.0f, 1.0f}, 400.0f, 400.0f, "Card" + kind);
        DrawQuad(rig, {640.0f, 360.0f, 0.5f}, 1280.0f, 720.0f, "Plum" + kind);
        DrawQuad(rig, {640.0f, 360.0f, 0.75f}, 100.0f, 100.0f, "Teal" + kind);
        rig.graphics.render();
        EXPECT_EQ(At(rig, 640, 360), kTeal) << kind << ": the title through the hole";
        EXPECT_EQ(At(rig, 570, 360), kPlum) << kind << ": frame 77 through the hole beside the title";
        EXPECT_EQ(At(rig, 460, 360), kCoral) << kind << ": the frame's solid border in front";
        EXPECT_EQ(At(rig, 640, 180), kCoral) << kind;
        EXPECT_EQ(At(rig, 100, 100), kPlum) << kind << ": frame 77 beyond the frame";
        EXPECT_TRUE(test::SavePNG(test::OutputFolder() + "/UIShaderWipe" + kind + ".png", test::RenderRig::kWidth,
                                  test::RenderRig::kHeight, rig.gl.readPixels()));
    }
}
