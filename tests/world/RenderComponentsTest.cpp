#include "graphics/AnimationManager.h"
#include "graphics/Texture.h"
#include "world/AnimationComp.h"
#include "world/StatsComp.h"
#include "world/TextureComp.h"
#include "world/TextureSlicerComp.h"
#include "world/TransformComp.h"

#include "WorldFixture.h"

#include <gtest/gtest.h>

namespace
{
void ExpectNear(const glm::vec4& actual, const glm::vec4& expected)
{
    for (int i = 0; i < 4; ++i)
        EXPECT_NEAR(actual[i], expected[i], 1e-5f) << i;
}
}

TEST(TextureSlicerCompTest, BordersAndRepeatCountsFollowTheObjectSize)
{
    TextureSlicerComp slicer;
    slicer.setBorder(8.0f, 4.0f, 8.0f, 4.0f);
    const Texture texture{1, TextureKind::Opaque, 40.0f, 25.0f};
    TransformComp transform;
    transform.setScale(4.0f, 1.0f, 1.0f);

    ExpectNear(slicer.getBorderUV(texture), glm::vec4(0.2f, 0.16f, 0.8f, 0.84f));
    ExpectNear(slicer.getBorderWorld(transform), glm::vec4(0.04f, 0.08f, 0.96f, 0.92f));
    EXPECT_EQ(slicer.getRepeatCount(texture, transform), glm::vec2(5.0f, 2.0f));

    slicer.setSliceScale(glm::vec2(2.0f, 2.0f));
    ExpectNear(slicer.getBorderWorld(transform), glm::vec4(0.08f, 0.16f, 0.92f, 0.84f));
    EXPECT_EQ(slicer.getRepeatCount(texture, transform), glm::vec2(2.5f, 1.0f));
}

TEST(TextureSlicerCompTest, NullSlicerDrawsPlainly)
{
    TextureSlicerCompNull* null = TextureSlicerCompNull::instance();
    EXPECT_EQ(null->getSliceType(), SLICE_NONE);
    EXPECT_EQ(null->getBorderUV(Texture()), glm::vec4(0.0f, 0.0f, 1.0f, 1.0f));
    EXPECT_EQ(null->getRepeatCount(Texture(), TransformComp()), glm::vec2(1.0f));
    EXPECT_EQ(TextureSlicerComp().getSliceType(), SLICE_STRETCH);
}

TEST(TextureCompTest, CloneKeepsTheTextureItWasGiven)
{
    TextureComp texture;
    const Texture ground{7, TextureKind::Blended, 32.0f, 16.0f};
    texture.setTexture(ground);
    Component* copy = texture.clone();
    EXPECT_EQ(static_cast<TextureComp*>(copy)->getTexture(), ground);
    delete copy;
    EXPECT_EQ(TextureCompNull::instance()->getTexture(), Texture::Null());
}

TEST(StatsCompTest, CloneKeepsTuningButNotPlaceOrNextLevel)
{
    StatsComp stats;
    EXPECT_EQ(stats.getJumpingForce(), 0.0f);
    EXPECT_EQ(stats.getNextLevel(), "");
    stats.setJumpingForce(0.25f);
    stats.setDashCooldown(500);
    stats.setSpawnPoint(glm::vec3(1.0f, 2.0f, 3.0f));
    stats.setNextLevel("Level2");
    Component* copy = stats.clone();
    auto* copied = static_cast<StatsComp*>(copy);
    EXPECT_FLOAT_EQ(copied->getJumpingForce(), 0.25f);
    EXPECT_EQ(copied->getDashCooldown(), 500);
    EXPECT_EQ(copied->getSpawnPoint(), glm::vec3(0.0f));
    EXPECT_EQ(copied->getNextLevel(), "");
    delete copy;
    StatsCompNull::instance()->setJumpingForce(1.0f);
    EXPECT_EQ(StatsCompNull::instance()->getJumpingForce(), 0.0f);
}

TEST(AnimationCompTest, WithoutASheetItAnswersLikeTheNullComponent)
{
    AnimationComp animation;
    animation.update();
    EXPECT_EQ(animation.getFrameUV(), glm::vec2(0.0f));
    EXPECT_EQ(animation.getSheetDimensions(), glm::vec2(1.0f));
    EXPECT_TRUE(animation.isFinished());
    EXPECT_FLOAT_EQ(animation.getFrameDuration(), 1.0f);
    EXPECT_EQ(animation.setFrame(4), 0);
}

using AnimationCompPlayTest = test::WorldFixture;

TEST_F(AnimationCompPlayTest, FramesAdvanceOncePerDueUpdateAndSwitchingKeepsTheFrame)
{
    AnimationManager* animations = AnimationManager::getInstance();
    engine.registerSystem(animations);
    animations->initialize();
    AnimationComp animation;
    animation.setSheet("Player");
    animation.play("Walk_Left");
    const float duration = animation.getFrameDuration();
    ASSERT_GT(duration, 0.0f);

    GameClock::advanceManualSeconds(duration / 1000.0);
    animation.update();
    EXPECT_EQ(animation.getFrame(), 0);
    GameClock::advanceManualSeconds(0.002);
    animation.update();
    EXPECT_EQ(animation.getFrame(), 1);
    // Long overdue: still one frame per update.
    GameClock::advanceManualSeconds(duration * 10.0 / 1000.0);
    animation.update();
    EXPECT_EQ(animation.getFrame(), 2);

    animation.play("Walk_Left");
    EXPECT_EQ(animation.getFrame(), 2);
    animation.play("Jump_Left");
    EXPECT_EQ(animation.getAnimationName(), "Jump_Left");
    animation.pause();
    animation.restart();
    EXPECT_TRUE(animation.isPlaying());
    EXPECT_EQ(animation.getFrame(), 0);
    animations->shutdown();
}
