#include "engine/GameClock.h"
#include "graphics/AnimationManager.h"
#include "graphics/Camera.h"
#include "graphics/Picking.h"
#include "graphics/RenderRig.h"
#include "support/TestSupport.h"
#include "world/BreakingPlatformComp.h"
#include "world/ColliderComp.h"
#include "world/Entity.h"
#include "world/EntityManager.h"
#include "world/MovingPlatformComp.h"
#include "world/SceneManager.h"
#include "world/TransformComp.h"

#include <GL/glew.h>
#include <gtest/gtest.h>

#include <filesystem>
#include <set>

namespace
{
Entity* FirstWith(EntityManager* manager, const std::string& componentName)
{
    for (uint32_t id : manager->getActiveIds())
    {
        Entity* entity = manager->findById(id);
        if (entity->getComponents().count(componentName) != 0 && !entity->getFlag("deathwall"))
            return entity;
    }
    return EntityNull::instance();
}

glm::vec3 PositionOf(Entity* entity)
{
    return entity->getComponent<TransformComp>(TransformComp::kName, TransformCompNull::instance())->getPosition();
}

// The world systems as the game registers them, over the game's textures and animation sheets.
class WorldIntegrationGL : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(rig.gl.ok());
        rig.startGraphics();
        rig.textures.loadFolder(TextureManager::kOpaqueFolder, TextureKind::Opaque);
        rig.textures.loadFolder(TextureManager::kBlendedFolder, TextureKind::Blended);
        animations.setName(AnimationManager::kName);
        animations.loadAnimationSheets(AnimationManager::kSheetFile);
        rig.engine.registerSystem(&animations);
        rig.engine.registerSystem(manager);
        rig.engine.registerSystem(scenes);
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

    void startWorld()
    {
        manager->initialize();
        scenes->initialize();
    }

    // Clears the window, then draws the world seen from the given point through both passes.
    void drawWorldFrom(const glm::vec3& cameraPosition)
    {
        rig.graphics.render();
        glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
        Camera camera;
        camera.setProjectionMode(ProjectionMode::Perspective);
        camera.setPosition(cameraPosition);
        rig.graphics.setContext("WorldShader");
        rig.graphics.setCamera(camera);
        manager->render();
        rig.graphics.render();
    }

    test::RenderRig rig;
    AnimationManager animations;
    EntityManager* manager = EntityManager::getInstance();
    SceneManager* scenes = SceneManager::getInstance();
    bool started = false;
};
}

// The "Test Map" level as the game runs it: 200 fixed steps of the world, then one frame
// drawn through both passes and written out as a picture.
TEST_F(WorldIntegrationGL, TestMapRunsTwoHundredStepsAndDraws)
{
    GameClock::setManualSeconds(10.0);
    startWorld();
    scenes->loadScene("Test Map");

    Entity* player = manager->getPlayer();
    Entity* breaking = FirstWith(manager, BreakingPlatformComp::kName);
    Entity* moving = FirstWith(manager, MovingPlatformComp::kName);
    ASSERT_FALSE(player->isNull());
    ASSERT_FALSE(breaking->isNull());
    ASSERT_FALSE(moving->isNull());
    const glm::vec3 movingStart = PositionOf(moving);

    int landedOnPlatformAt = -1;
    int landedOnGroundAt = -1;
    int brokeAt = -1;
    int returnedAt = -1;
    float farthestX = movingStart.x;
    auto* collider = player->getComponent<ColliderComp>(ColliderComp::kName, ColliderCompNull::instance());
    for (int step = 0; step < 200; ++step)
    {
        GameClock::advanceManualSeconds(0.01);
        manager->update();
        if (landedOnPlatformAt < 0 && collider->isCollidingDown())
            landedOnPlatformAt = step;
        if (brokeAt < 0 && breaking->getFlag("inactive"))
            brokeAt = step;
        if (brokeAt >= 0 && step > brokeAt && landedOnGroundAt < 0 && collider->isCollidingDown())
            landedOnGroundAt = step;
        if (brokeAt >= 0 && returnedAt < 0 && !breaking->getFlag("inactive"))
            returnedAt = step;
        farthestX = std::max(farthestX, PositionOf(moving).x);
        EXPECT_NEAR(PositionOf(moving).y, movingStart.y, 1e-4f);
    }

    // The player starts on the breaking platform, which gives way half a second later; the
    // player then falls four units to the ground and stays there while the platform comes back.
    EXPECT_EQ(landedOnPlatformAt, 0);
    EXPECT_NEAR(brokeAt, 50, 2);
    EXPECT_GT(landedOnGroundAt, brokeAt + 20);
    EXPECT_LT(landedOnGroundAt, brokeAt + 80);
    EXPECT_NEAR(returnedAt - brokeAt, 120, 2);
    EXPECT_NEAR(PositionOf(player).y, -11.0f + 0.75f, 1e-3f);
    EXPECT_TRUE(collider->isCollidingDown());
    // The moving platform travels from waypoint 1 to waypoint 2, six units on at 0.05 a step.
    EXPECT_NEAR(farthestX, movingStart.x + 6.0f, 1e-3f);

    drawWorldFrom({12.0f, -5.0f, 24.0f});
    EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));

    const std::vector<uint8_t> pixels = rig.gl.readPixels();
    std::set<uint32_t> colours;
    for (size_t i = 0; i + 3 < pixels.size(); i += 4 * 97)
        colours.insert(pixels[i] << 16 | pixels[i + 1] << 8 | pixels[i + 2]);
    EXPECT_GT(colours.size(), 8u) << "the level should show more than a few flat colours";

    const glm::vec3 ground = WorldToScreen({12.0f, -12.0f, 0.0f}, rig.graphics.getCamera("WorldShader"));
    const std::vector<uint8_t> groundPixel = rig.gl.readPixel(static_cast<int>(ground.x), static_cast<int>(ground.y));
    EXPECT_GT(groundPixel[0] + groundPixel[1] + groundPixel[2], 30) << "ground drawn";

    const std::string png = test::OutputFolder() + "/WorldIntegration.png";
    EXPECT_TRUE(test::SavePNG(png, rig.gl.getWidth(), rig.gl.getHeight(), pixels));
    EXPECT_TRUE(std::filesystem::exists(png));
}

// Every game level loads and draws whole; the pictures let a designer see the layout.
TEST_F(WorldIntegrationGL, EveryLevelDrawsWhole)
{
    startWorld();
    for (const char* level : {"Level1", "Level2", "Level3"})
    {
        scenes->loadScene(level);
        ASSERT_FALSE(manager->getPlayer()->isNull()) << level;
        drawWorldFrom({50.0f, -2.0f, 44.0f});
        EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR)) << level;
        const std::string png = test::OutputFolder() + "/World" + level + ".png";
        EXPECT_TRUE(test::SavePNG(png, rig.gl.getWidth(), rig.gl.getHeight(), rig.gl.readPixels()));
    }
}
