#include "gameplay/PackageIndicator.h"

#include "gameplay/PlayStateFixture.h"

#include <glm/gtc/quaternion.hpp>
#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace
{
using playtest::PlayStateFixture;

constexpr int32_t kW = 800;
constexpr int32_t kH = 600;

// Window pixels with y up from the bottom edge, as WorldToScreen gives them.
struct Case
{
    const char* name;
    glm::vec3 screen;
    int32_t x;
    int32_t y;
    float angle;
};
}

TEST(PackageIndicator, SitsAtTheNearestEdgeAndPointsAtThePackage)
{
    const Case cases[] = {
        {"right, mid height", {900.0f, 300.0f, 0.5f}, kW - 70, 300, 0.0f},
        {"left, mid height", {-50.0f, 300.0f, 0.5f}, 70, 300, 180.0f},
        {"above", {400.0f, 700.0f, 0.5f}, 400, 70, 270.0f},
        {"below", {400.0f, -20.0f, 0.5f}, 400, kH - 70, 90.0f},
        {"above left", {-10.0f, 650.0f, 0.5f}, 70, 70, 225.0f},
        {"above right", {950.0f, 650.0f, 0.5f}, kW - 70, 70, 315.0f},
        {"below left", {-10.0f, -10.0f, 0.5f}, 70, kH - 70, 135.0f},
        {"below right", {950.0f, -10.0f, 0.5f}, kW - 70, kH - 70, 45.0f},
        // Inside the margin but outside the window on the other axis.
        {"right, near the top", {810.0f, 580.0f, 0.5f}, kW - 70, 70, 315.0f},
        {"truncated, not rounded", {-0.5f, 300.9f, 0.5f}, 70, 300, 180.0f},
    };
    for (const Case& c : cases)
    {
        SCOPED_TRACE(c.name);
        const IndicatorPlacement place = PlaceIndicator(c.screen, kW, kH);
        EXPECT_TRUE(place.shown);
        EXPECT_EQ(place.x, c.x);
        EXPECT_EQ(place.y, c.y);
        EXPECT_FLOAT_EQ(place.angle, c.angle);
    }
}

TEST(PackageIndicator, AVisiblePackageOrOneOnTheBorderShowsNothing)
{
    for (const glm::vec3& screen : {glm::vec3(400.0f, 300.0f, 0.5f), glm::vec3(0.0f, 0.0f, 0.5f),
                                    glm::vec3(800.0f, 600.0f, 0.5f), glm::vec3(800.0f, 0.0f, 0.5f)})
        EXPECT_FALSE(PlaceIndicator(screen, kW, kH).shown) << screen.x << ", " << screen.y;
}

// A point at the camera's own depth projects to infinities or not-a-number.
TEST(PackageIndicator, UnprojectablePointsNeverBecomeWildIntegers)
{
    const float nan = std::numeric_limits<float>::quiet_NaN();
    const float inf = std::numeric_limits<float>::infinity();
    EXPECT_FALSE(PlaceIndicator({nan, 300.0f, 0.0f}, kW, kH).shown);
    EXPECT_FALSE(PlaceIndicator({300.0f, nan, 0.0f}, kW, kH).shown);

    const IndicatorPlacement far = PlaceIndicator({inf, -inf, 0.0f}, kW, kH);
    EXPECT_TRUE(far.shown);
    EXPECT_EQ(far.x, kW - 70);
    EXPECT_EQ(far.y, kH - 70);
    EXPECT_FLOAT_EQ(far.angle, 45.0f);

    const IndicatorPlacement huge = PlaceIndicator({-3.0e12f, 5.0e12f, 0.0f}, kW, kH);
    EXPECT_EQ(huge.x, 70);
    EXPECT_EQ(huge.y, 70);
    EXPECT_FLOAT_EQ(huge.angle, 225.0f);
}

class PackageIndicatorDraw : public PlayStateFixture
{
protected:
    void SetUp() override
    {
        PlayStateFixture::SetUp();
        package = makeEntity({900.0f, 200.0f, 0.0f}, "package");
    }

    // The default play camera projects world points straight to interface pixels (y down
    // from the top edge), so world positions here are where the indicator ends up.
    Entity* package = nullptr;
};

TEST_F(PackageIndicatorDraw, AHeldVisibleOrMissingPackageDrawsNothing)
{
    controller.packageHeld = true;
    DrawPackageIndicator();
    EXPECT_TRUE(meshes.quad.draws.empty());

    controller.packageHeld = false;
    transformOf(package)->setPosition(400.0f, 200.0f, 0.0f);
    DrawPackageIndicator();
    EXPECT_TRUE(meshes.quad.draws.empty());

    // The origin is below the window for this camera: a missing package must not point there.
    PlayState().playCamera.setPosition({0.0f, -1000.0f, 0.0f});
    entities->clearActive();
    DrawPackageIndicator();
    EXPECT_TRUE(meshes.quad.draws.empty());
}

TEST_F(PackageIndicatorDraw, IconThenTurnedArrowInInterfacePixels)
{
    transformOf(package)->setPosition(-100.0f, 100.0f, 0.0f);
    DrawPackageIndicator();
    ASSERT_EQ(meshes.quad.draws.size(), 2u);
    EXPECT_EQ(graphics.contexts, (std::vector<std::string>{"UIShader", "UIShader"}));
    EXPECT_EQ(meshes.asked, (std::vector<std::string>{"quad", "quad"}));

    const DrawData& icon = meshes.quad.draws[0];
    const DrawData& arrow = meshes.quad.draws[1];
    EXPECT_EQ(textures.nameOf(icon.texture), "PACKINDICATOR");
    EXPECT_EQ(textures.nameOf(arrow.texture), "PACKINDICATOR_ARROW");
    for (const DrawData* draw : {&icon, &arrow})
    {
        EXPECT_EQ(draw->transform.getPosition(), glm::vec3(70.0f, 100.0f, 0.0f));
        EXPECT_EQ(draw->transform.getScale(), glm::vec3(140.0f, 140.0f, 1.0f));
    }
    EXPECT_EQ(meshes.quad.deferred, (std::vector<bool>{true, true}));

    const glm::quat none = icon.transform.getRotation();
    EXPECT_NEAR(glm::angle(none), 0.0f, 1e-5f) << "the icon never turns";
    const glm::quat turned = arrow.transform.getRotation();
    EXPECT_NEAR(glm::degrees(glm::angle(turned)), 180.0f, 1e-3f);
    EXPECT_NEAR(std::fabs(glm::axis(turned).z), 1.0f, 1e-5f);
}
