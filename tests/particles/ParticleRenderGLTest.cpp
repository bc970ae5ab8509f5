#include "engine/GameClock.h"
#include "graphics/Camera.h"
#include "particles/ComplexParticle.h"
#include "particles/Particle.h"
#include "particles/ParticleManager.h"
#include "support/TestSupport.h"

#include "graphics/RenderRig.h"

#include <GL/glew.h>
#include <gtest/gtest.h>

namespace
{
// Pixel (x, y) counted from the bottom-left, as GL reads them.
std::vector<uint8_t> PixelAt(const std::vector<uint8_t>& pixels, int x, int y)
{
    const size_t at = (static_cast<size_t>(y) * test::RenderRig::kWidth + static_cast<size_t>(x)) * 4;
    return {pixels[at], pixels[at + 1], pixels[at + 2]};
}
}

TEST(ParticleRender, PlainAndFadingParticlesAppearWhereTheyAre)
{
    test::RenderRig rig;
    ASSERT_TRUE(rig.gl.ok());
    GameClock::setManualSeconds(10.0);
    rig.startGraphics();
    rig.textures.loadFolder(TextureManager::kBlendedFolder, TextureKind::Blended);
    ParticleManager manager;
    manager.setName(ParticleManager::kName);
    rig.engine.registerSystem(&manager);
    manager.setArchetypePath(test::ScratchFolder("ParticleRender") + "/none.json");
    manager.initialize();

    Camera camera;
    camera.setProjectionMode(ProjectionMode::Orthographic);
    camera.setPosition({0.0f, 0.0f, 5.0f});
    rig.graphics.setContext("WorldShader", camera);

    // Left: a plain spark drawn as its texture shows; right: a half-faded coral glow.
    const Texture spark = rig.textures.getTexture("ParticleSpark");
    const Texture glow = rig.textures.getTexture("ParticleEmber");
    manager.addParticle(new Particle(1000, {-4.0f, 0.0f, 0.0f}, glm::vec3(0.0f), glm::vec3(0.0f), glm::vec4(1.0f),
                                     {4.0f, 4.0f, 1.0f}, spark, {}, glm::vec3(0.0f)));
    manager.addComplexParticle(new ComplexParticle(1000, {4.0f, 0.0f, 0.0f}, glm::vec3(0.0f), glm::vec3(0.0f),
                                                   {1.0f, 1.0f, 1.0f, 0.6f}, {4.0f, 4.0f, 1.0f}, glow, {},
                                                   glm::vec3(0.0f)));

    glClearColor(0.0f, 0.0f, 0.0f, 1.0f);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    rig.graphics.render();
    manager.render();
    EXPECT_EQ(rig.graphics.getBlendedQueueSize(), 2u) << "both use blended textures";
    rig.graphics.render();

    const std::vector<uint8_t> pixels = rig.gl.readPixels();
    test::SavePNG(test::OutputFolder() + "/ParticleRender.png", test::RenderRig::kWidth, test::RenderRig::kHeight,
                  pixels);
    // 1280 px span 25.6 world units: x = -4 is pixel 440, x = 4 is pixel 840.
    const std::vector<uint8_t> sparkCentre = PixelAt(pixels, 440, 360);
    const std::vector<uint8_t> glowCentre = PixelAt(pixels, 840, 360);
    const std::vector<uint8_t> between = PixelAt(pixels, 640, 360);
    EXPECT_GT(sparkCentre[0], 200);
    EXPECT_GT(sparkCentre[1], 200);
    EXPECT_GT(glowCentre[0], 60) << "a faded warm glow";
    EXPECT_LT(glowCentre[0], 230);
    EXPECT_EQ(between, (std::vector<uint8_t>{0, 0, 0}));

    manager.shutdown();
    GameClock::useRealClock();
}
