#include "engine/EngineStateManager.h"
#include "engine/GameClock.h"
#include "gameplay/EngineStateKestrin.h"
#include "gameplay/PlayStateRecord.h"
#include "graphics/AnimationManager.h"
#include "graphics/Picking.h"
#include "graphics/RenderRig.h"
#include "support/TestSupport.h"
#include "world/Entity.h"
#include "world/EntityManager.h"
#include "world/SceneManager.h"
#include "world/TransformComp.h"

#include <GL/glew.h>
#include <gtest/gtest.h>

#include <cstdlib>

namespace
{
TransformComp* TransformOf(const Entity* entity)
{
    return entity->getComponent<TransformComp>(TransformComp::kName, TransformCompNull::instance());
}

// Within a few steps of 255 per channel: texture filtering blurs edges, not flat areas.
void ExpectColour(const std::vector<uint8_t>& pixel, uint32_t rgb, const char* what)
{
    ASSERT_EQ(pixel.size(), 4u);
    EXPECT_NEAR(pixel[0], (rgb >> 16) & 0xFF, 12) << what;
    EXPECT_NEAR(pixel[1], (rgb >> 8) & 0xFF, 12) << what;
    EXPECT_NEAR(pixel[2], rgb & 0xFF, 12) << what;
}

// The play state over the game's first level, textures and shaders, driven by a real state
// manager as the game drives it.
class EngineStateKestrinGL : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(rig.gl.ok());
        GameClock::setManualSeconds(10.0);
        PlayState() = PlayStateRecord();
        rig.startGraphics();
        rig.textures.loadFolder(TextureManager::kOpaqueFolder, TextureKind::Opaque);
        rig.textures.loadFolder(TextureManager::kBlendedFolder, TextureKind::Blended);
        animations.setName(AnimationManager::kName);
        animations.loadAnimationSheets(AnimationManager::kSheetFile);
        states.setName(EngineStateManager::kName);
        rig.engine.registerSystem(&animations);
        rig.engine.registerSystem(&states);
        rig.engine.registerSystem(manager);
        rig.engine.registerSystem(scenes);
        manager->initialize();
        scenes->initialize();
        EngineStateKestrin::instance()->setPaused(false);
        started = true;
    }

    void TearDown() override
    {
        if (started)
        {
            manager->shutdown();
            animations.shutdown();
        }
        GameClock::useRealClock();
    }

    // One frame in the engine's order: opaque set-up, clear, the state, the world, the
    // blended pass.
    void drawFrame()
    {
        rig.graphics.render();
        glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
        states.render();
        manager->render();
        rig.graphics.render();
    }

    std::vector<uint8_t> pixelAt(const glm::vec3& world)
    {
        const glm::vec3 screen = WorldToScreen(world, PlayState().playCamera);
        return rig.gl.readPixel(static_cast<int>(screen.x), static_cast<int>(screen.y));
    }

    test::RenderRig rig;
    AnimationManager animations;
    EngineStateManager states;
    EntityManager* manager = EntityManager::getInstance();
    SceneManager* scenes = SceneManager::getInstance();
    bool started = false;
};
}

// Entering the state shows the comic centred on the player once the camera has settled; a
// parcel thrown far to the right gets its badge and arrow at the right edge.
TEST_F(EngineStateKestrinGL, ComicFramesThePlayerAndTheIndicatorPointsRight)
{
    states.setNextState(EngineStateKestrin::instance());
    states.update();
    const Entity* player = manager->getPlayer();
    ASSERT_FALSE(player->isNull());
    for (int step = 0; step < 150; ++step)
    {
        GameClock::advanceManualSeconds(0.01);
        manager->update();
        states.update();
    }
    const glm::vec3 centre = TransformOf(player)->getPosition();
    Entity* package = manager->cloneArchetype("Package");
    TransformOf(package)->setPosition(centre + glm::vec3(60.0f, 0.0f, 0.0f));

    drawFrame();
    EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
    const std::vector<uint8_t> pixels = rig.gl.readPixels();
    EXPECT_TRUE(test::SavePNG(test::OutputFolder() + "/PlayStateComic.png", rig.gl.getWidth(), rig.gl.getHeight(),
                              pixels));

    // Below the caption of the middle panel (texture pixel 1024, 1258 of 2048).
    ExpectColour(pixelAt({centre.x, centre.y + 9.0f - 18.0f * 1258.0f / 2048.0f, 5.0f}), 0xF7F4EA, "panel paper");
    // The page's top and bottom edges (texture rows 698 and 1350) lie inside the window.
    for (float row : {698.0f, 1350.0f})
    {
        const glm::vec3 edge =
            WorldToScreen({centre.x, centre.y + 9.0f - 18.0f * row / 2048.0f, 5.0f}, PlayState().playCamera);
        EXPECT_GT(edge.y, 0.0f) << row;
        EXPECT_LT(edge.y, static_cast<float>(rig.kHeight)) << row;
    }

    // The arrow's tip region lies 52 pixels right of the badge centre at the right edge.
    const glm::vec3 parcel = WorldToScreen(TransformOf(package)->getPosition(), PlayState().playCamera);
    const int arrowY = static_cast<int>(parcel.y);
    ExpectColour(rig.gl.readPixel(rig.kWidth - 70 + 52, arrowY), 0xE4572E, "arrow");
}
