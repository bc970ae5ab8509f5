#include "graphics/AnimationManager.h"
#include "graphics/GraphicsSystem.h"
#include "graphics/Mesh.h"
#include "graphics/Picking.h"
#include "support/TestSupport.h"

#include "RenderRig.h"

#include <GL/glew.h>
#include <gtest/gtest.h>
#include <stb/stb_image_write.h>

#include <filesystem>

namespace
{
const std::vector<uint8_t> kTeal{0x3A, 0xAF, 0xA9, 255};
const std::vector<uint8_t> kCoral{0xE4, 0x57, 0x2E, 128};

void WriteSolid(const std::string& path, const std::vector<uint8_t>& rgba)
{
    std::vector<uint8_t> pixels;
    for (int i = 0; i < 16; ++i)
        pixels.insert(pixels.end(), rgba.begin(), rgba.end());
    stbi_write_png(path.c_str(), 4, 4, 4, pixels.data(), 16);
}

void ExpectColour(const std::vector<uint8_t>& pixel, int r, int g, int b, const char* where)
{
    ASSERT_EQ(pixel.size(), 4u);
    EXPECT_NEAR(pixel[0], r, 3) << where;
    EXPECT_NEAR(pixel[1], g, 3) << where;
    EXPECT_NEAR(pixel[2], b, 3) << where;
}

// Two 4x4 solids of our own beside the game's textures: a teal one in the opaque set and a
// half-transparent coral one in the blended set.
void LoadTexturesWithTwoSolids(test::RenderRig& rig)
{
    const std::string folder = test::ScratchFolder("RenderIntegration");
    std::filesystem::create_directories(folder + "/opaque");
    std::filesystem::create_directories(folder + "/blended");
    WriteSolid(folder + "/opaque/PlainTeal.png", kTeal);
    WriteSolid(folder + "/blended/HalfCoral.png", kCoral);
    rig.textures.loadFolder(folder + "/opaque", TextureKind::Opaque);
    rig.textures.loadFolder(TextureManager::kOpaqueFolder, TextureKind::Opaque);
    rig.textures.loadFolder(folder + "/blended", TextureKind::Blended);
    rig.textures.loadFolder(TextureManager::kBlendedFolder, TextureKind::Blended);
}

// The current context's template record, moved, sized and textured.
DrawData Placed(GraphicsSystem& graphics, const glm::vec3& position, const glm::vec2& size, const Texture& texture)
{
    DrawData record = graphics.getDrawData();
    record.transform.setPosition(position);
    record.transform.setScale(size.x, size.y, 1.0f);
    record.texture = texture;
    return record;
}

int Blend(uint8_t source, uint8_t destination)
{
    const float alpha = kCoral[3] / 255.0f;
    return static_cast<int>(source * alpha + destination * (1.0f - alpha) + 0.5f);
}
}

// One frame the way the engine draws it: the first render sets up the opaque pass, the world
// draws an opaque quad and a sprite-sheet frame, the interface queues a translucent quad, and
// the second render drains the queue through both contexts.
TEST(RenderIntegrationGL, OpaqueAndBlendedQuadsThroughBothContexts)
{
    test::RenderRig rig;
    ASSERT_TRUE(rig.gl.ok());
    rig.startGraphics();
    LoadTexturesWithTwoSolids(rig);
    AnimationManager animations;
    animations.loadAnimationSheets(AnimationManager::kSheetFile);
    Mesh* quad = rig.meshes.getMesh("quad");
    const int width = test::RenderRig::kWidth;
    const int height = test::RenderRig::kHeight;

    // 1. Opaque pass: the teal quad, the placeholder checker and the sprite are drawn at once.
    rig.graphics.render();
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);

    Camera worldCamera;
    worldCamera.setProjectionMode(ProjectionMode::Perspective);
    worldCamera.setPosition({0.0f, 0.0f, 10.0f});
    rig.graphics.setContext("WorldShader");
    rig.graphics.setCamera(worldCamera);
    rig.graphics.setContext("WorldShader");

    quad->draw(Placed(rig.graphics, {-2.0f, 0.0f, 0.0f}, {4.0f, 4.0f}, rig.textures.getTexture("PlainTeal")), true);
    quad->draw(Placed(rig.graphics, {4.0f, 2.0f, 0.0f}, {2.0f, 2.0f}, rig.textures.getTexture("NO_TEXTURE")), true);

    const AnimationSheet* playerSheet = animations.getAnimationSheet("Player");
    DrawData sprite =
        Placed(rig.graphics, {4.0f, -2.0f, 0.1f}, {2.0f, 2.0f}, rig.textures.getTexture("SpritePackage"));
    sprite.textureUVOffset = playerSheet->getFrameUV(0, "IdleRight");
    sprite.textureUVDimension = playerSheet->getSheetDimensions();
    quad->draw(sprite, true);
    EXPECT_EQ(rig.graphics.getBlendedQueueSize(), 1u);

    // 2. The translucent interface quad, straddling the teal quad's right edge, is queued.
    const glm::vec3 edge = WorldToScreen({0.0f, 0.0f, 0.0f}, rig.graphics.getCamera("WorldShader"));
    rig.graphics.setContext("UIShader");
    quad->draw(Placed(rig.graphics, {edge.x, height - edge.y, 0.5f}, {200.0f, 200.0f},
                      rig.textures.getTexture("HalfCoral")),
               true);
    EXPECT_EQ(rig.graphics.getBlendedQueueSize(), 2u);

    // 3. Blended pass, then the pixels of each region.
    rig.graphics.render();
    EXPECT_EQ(rig.graphics.getBlendedQueueSize(), 0u);
    EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));

    const int edgeX = static_cast<int>(edge.x);
    const int edgeY = static_cast<int>(edge.y);
    ExpectColour(rig.gl.readPixel(edgeX - 150, edgeY), kTeal[0], kTeal[1], kTeal[2], "opaque quad alone");
    ExpectColour(rig.gl.readPixel(edgeX - 50, edgeY), Blend(kCoral[0], kTeal[0]), Blend(kCoral[1], kTeal[1]),
                 Blend(kCoral[2], kTeal[2]), "blended over opaque");
    ExpectColour(rig.gl.readPixel(edgeX + 50, edgeY), Blend(kCoral[0], 0), Blend(kCoral[1], 0), Blend(kCoral[2], 0),
                 "blended over the clear colour");
    ExpectColour(rig.gl.readPixel(10, 10), 0, 0, 0, "background");

    const glm::vec3 checkerCentre = WorldToScreen({4.0f, 2.0f, 0.0f}, rig.graphics.getCamera("WorldShader"));
    const std::vector<uint8_t> placeholder = rig.gl.readPixel(static_cast<int>(checkerCentre.x) + 3,
                                                              static_cast<int>(checkerCentre.y) + 3);
    const bool magenta = placeholder[0] == 255 && placeholder[1] == 0 && placeholder[2] == 255;
    const bool ink = placeholder[0] == 0x14 && placeholder[1] == 0x12 && placeholder[2] == 0x1B;
    EXPECT_TRUE(magenta || ink) << int(placeholder[0]) << "," << int(placeholder[1]) << "," << int(placeholder[2]);

    const glm::vec3 spriteCentre = WorldToScreen({4.0f, -2.0f, 0.1f}, rig.graphics.getCamera("WorldShader"));
    const std::vector<uint8_t> body =
        rig.gl.readPixel(static_cast<int>(spriteCentre.x), static_cast<int>(spriteCentre.y));
    EXPECT_GT(body[1], 100) << "the sprite's teal body";

    const std::string png = test::OutputFolder() + "/RenderIntegration.png";
    EXPECT_TRUE(test::SavePNG(png, width, height, rig.gl.readPixels()));
    EXPECT_TRUE(std::filesystem::exists(png));
    animations.shutdown();
}
