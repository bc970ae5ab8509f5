#include "graphics/GraphicsSystem.h"
#include "graphics/Mesh.h"
#include "support/TestSupport.h"

#include "RenderRig.h"

#include <GL/glew.h>
#include <gtest/gtest.h>
#include <stb/stb_image_write.h>

namespace
{
using Pixel = std::vector<uint8_t>;
const Pixel kRed{255, 0, 0, 255};
const Pixel kGreen{0, 255, 0, 255};
const Pixel kBlue{0, 0, 255, 255};
const Pixel kYellow{255, 255, 0, 255};

// 8 by 8 with 2-texel margins: red corners, green edges, and a middle whose left half is
// blue and right half yellow.
void WriteSliceTexture(const std::string& path)
{
    std::vector<uint8_t> pixels;
    for (int y = 0; y < 8; ++y)
        for (int x = 0; x < 8; ++x)
        {
            const bool edgeX = x < 2 || x > 5;
            const bool edgeY = y < 2 || y > 5;
            const Pixel& colour = edgeX && edgeY ? kRed : (edgeX || edgeY) ? kGreen : (x < 4 ? kBlue : kYellow);
            pixels.insert(pixels.end(), colour.begin(), colour.end());
        }
    stbi_write_png(path.c_str(), 8, 8, 4, pixels.data(), 32);
}

class ShaderDraw : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(rig.gl.ok());
        rig.startGraphics();
        const std::string folder = test::ScratchFolder("ShaderDraw");
        WriteSliceTexture(folder + "/Sliced.png");
        rig.textures.loadFolder(folder, TextureKind::Opaque);
        rig.graphics.render();
        quad = rig.meshes.getMesh("quad");
    }

    void clear() { glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT); }

    // A 400 by 200 pixel interface quad in the middle of the window with 40-pixel margins.
    DrawData slicedQuad(uint32_t sliceType)
    {
        rig.graphics.setContext("UIShader");
        DrawData record = rig.graphics.getDrawData();
        record.transform.setPosition(640.0f, 360.0f, 0.0f);
        record.transform.setScale(400.0f, 200.0f, 1.0f);
        record.texture = rig.textures.getTexture("Sliced");
        record.sliceType = sliceType;
        record.texBorder = {0.25f, 0.25f, 0.75f, 0.75f};
        record.spriteBorder = {0.1f, 0.2f, 0.9f, 0.8f};
        record.spriteTextureRatio = {1.25f, 1.25f};
        return record;
    }

    test::RenderRig rig;
    Mesh* quad = nullptr;
};
}

TEST_F(ShaderDraw, StretchSlicingKeepsTheMarginsAndStretchesTheMiddle)
{
    clear();
    quad->draw(slicedQuad(1), true);
    EXPECT_EQ(rig.gl.readPixel(445, 265), kRed);
    EXPECT_EQ(rig.gl.readPixel(835, 455), kRed);
    EXPECT_EQ(rig.gl.readPixel(445, 360), kGreen);
    EXPECT_EQ(rig.gl.readPixel(640, 265), kGreen);
    EXPECT_EQ(rig.gl.readPixel(540, 360), kBlue);
    EXPECT_EQ(rig.gl.readPixel(660, 360), kYellow);
    EXPECT_EQ(rig.gl.readPixel(740, 360), kYellow);
    test::SavePNG(test::OutputFolder() + "/SliceStretch.png", rig.gl.getWidth(), rig.gl.getHeight(),
                  rig.gl.readPixels());
}

TEST_F(ShaderDraw, RepeatSlicingTilesTheMiddle)
{
    clear();
    quad->draw(slicedQuad(2), true);
    EXPECT_EQ(rig.gl.readPixel(445, 265), kRed);
    EXPECT_EQ(rig.gl.readPixel(445, 360), kGreen);
    EXPECT_EQ(rig.gl.readPixel(540, 360), kBlue);
    // Where a stretched middle would show its right half, the second tile starts again.
    EXPECT_EQ(rig.gl.readPixel(660, 360), kBlue);
    EXPECT_EQ(rig.gl.readPixel(720, 360), kYellow);
}

TEST_F(ShaderDraw, UnslicedTexturesAndUntexturedDraws)
{
    clear();
    DrawData plain = slicedQuad(0);
    quad->draw(plain, true);
    // Without slicing the margins take a fifth of the width: 80 pixels of red.
    EXPECT_EQ(rig.gl.readPixel(500, 265), kRed);

    clear();
    DrawData flat = slicedQuad(0);
    flat.texture = Texture();
    flat.drawColor = {0.0f, 1.0f, 0.0f, 1.0f};
    quad->draw(flat, true);
    EXPECT_EQ(rig.gl.readPixel(640, 360), kGreen);
    EXPECT_EQ(rig.gl.readPixel(10, 10), (Pixel{0, 0, 0, 255}));
}

TEST_F(ShaderDraw, TransparentTexelsOfTheInterfaceWriteNoDepth)
{
    const std::string folder = test::ScratchFolder("ShaderDepth");
    const std::vector<uint8_t> halfClear{0, 0, 0, 0, 255, 0, 0, 255};
    stbi_write_png((folder + "/HalfClear.png").c_str(), 2, 1, 4, halfClear.data(), 8);
    rig.textures.loadFolder(folder, TextureKind::Blended);
    clear();

    DrawData front = slicedQuad(0);
    front.texture = rig.textures.getTexture("HalfClear");
    front.transform.setPosition(640.0f, 360.0f, 0.9f);
    quad->draw(front, false);
    DrawData behind = slicedQuad(0);
    behind.texture = Texture();
    behind.drawColor = {0.0f, 0.0f, 1.0f, 1.0f};
    quad->draw(behind, false);

    EXPECT_EQ(rig.gl.readPixel(540, 360), kBlue);
    EXPECT_EQ(rig.gl.readPixel(740, 360), kRed);
}

TEST_F(ShaderDraw, PicturesReadTheRightWayUpInBothContexts)
{
    // The file's top row is red, the rest blue.
    const std::string folder = test::ScratchFolder("ShaderUpright");
    std::vector<uint8_t> pixels;
    for (int y = 0; y < 4; ++y)
        for (int x = 0; x < 4; ++x)
            pixels.insert(pixels.end(), (y == 0 ? kRed : kBlue).begin(), (y == 0 ? kRed : kBlue).end());
    stbi_write_png((folder + "/Upright.png").c_str(), 4, 4, 4, pixels.data(), 16);
    rig.textures.loadFolder(folder, TextureKind::Opaque);

    clear();
    DrawData screen = slicedQuad(0);
    screen.texture = rig.textures.getTexture("Upright");
    quad->draw(screen, true);
    // GL rows count from the bottom: the quad spans rows 260 to 460.
    EXPECT_EQ(rig.gl.readPixel(640, 450), kRed);
    EXPECT_EQ(rig.gl.readPixel(640, 270), kBlue);

    clear();
    Camera camera;
    camera.setProjectionMode(ProjectionMode::Orthographic);
    rig.graphics.setContext("WorldShader");
    rig.graphics.setCamera(camera);
    rig.graphics.setContext("WorldShader");
    DrawData world = rig.graphics.getDrawData();
    world.transform.setScale(8.0f, 8.0f, 1.0f);
    world.texture = rig.textures.getTexture("Upright");
    quad->draw(world, true);
    EXPECT_EQ(rig.gl.readPixel(640, 360 + 120), kRed);
    EXPECT_EQ(rig.gl.readPixel(640, 360 - 120), kBlue);
}
