#include "graphics/Camera.h"
#include "graphics/Picking.h"

#include <glm/gtc/matrix_transform.hpp>
#include <gtest/gtest.h>

namespace
{
void ExpectNear(const glm::vec3& actual, const glm::vec3& expected, float tolerance = 1e-3f)
{
    EXPECT_NEAR(actual.x, expected.x, tolerance);
    EXPECT_NEAR(actual.y, expected.y, tolerance);
    EXPECT_NEAR(actual.z, expected.z, tolerance);
}

void ExpectIdentity(const glm::mat4& m, float tolerance = 1e-4f)
{
    for (int c = 0; c < 4; ++c)
        for (int r = 0; r < 4; ++r)
            EXPECT_NEAR(m[c][r], c == r ? 1.0f : 0.0f, tolerance) << c << "," << r;
}

Camera WorldCamera(uint32_t projection, const glm::vec3& position)
{
    Camera camera;
    camera.setProjectionMode(projection);
    camera.setPosition(position);
    camera.setSize(1280.0f, 720.0f);
    return camera;
}
}

TEST(Camera, DefaultsAreAScreenPixelProjectionAndAnIdentityView)
{
    Camera camera;
    EXPECT_EQ(camera.getProjectionMode(), ProjectionMode::Screen);
    EXPECT_EQ(camera.getViewMode(), ViewMode::Euler);
    EXPECT_EQ(camera.getSize(), glm::vec2(1920.0f, 1080.0f));
    EXPECT_EQ(camera.getFov(), 70.0f);
    EXPECT_EQ(camera.getFarPlane(), 1000.0f);

    const glm::mat4 projection = camera.getProjection();
    const glm::vec4 topLeft = projection * glm::vec4(0.0f, 0.0f, 0.0f, 1.0f);
    const glm::vec4 bottomRight = projection * glm::vec4(1920.0f, 1080.0f, 0.0f, 1.0f);
    EXPECT_NEAR(topLeft.x, -1.0f, 1e-6f);
    EXPECT_NEAR(topLeft.y, 1.0f, 1e-6f);
    EXPECT_NEAR(bottomRight.x, 1.0f, 1e-6f);
    EXPECT_NEAR(bottomRight.y, -1.0f, 1e-6f);
    ExpectIdentity(camera.getView());
}

TEST(Camera, OrthographicAndPerspectiveProjectionsUseTheStatedNumbers)
{
    Camera camera;
    camera.setProjectionMode(ProjectionMode::Orthographic);
    const glm::mat4 ortho = camera.getProjection();
    // 38.4 by 21.6 world units centred on the camera.
    EXPECT_NEAR((ortho * glm::vec4(19.2f, 10.8f, 0.0f, 1.0f)).x, 1.0f, 1e-5f);
    EXPECT_NEAR((ortho * glm::vec4(19.2f, 10.8f, 0.0f, 1.0f)).y, 1.0f, 1e-5f);
    EXPECT_NEAR((ortho * glm::vec4(0.0f, 0.0f, -1000.0f, 1.0f)).z, 1.0f, 1e-5f);

    camera.setProjectionMode(ProjectionMode::Perspective);
    camera.setFarPlane(500.0f);
    const glm::mat4 p = camera.getProjection();
    const float half = 70.0f * 0.017453292f / 2.0f;
    EXPECT_NEAR(p[0][0], 1.0f / ((1920.0f / 1080.0f) * std::tan(half)), 1e-5f);
    EXPECT_NEAR(p[1][1], 1.0f / std::tan(half), 1e-5f);
    EXPECT_NEAR(p[2][2], -(500.0f + 0.1f) / (500.0f - 0.1f), 1e-5f);
    EXPECT_NEAR(p[2][3], -1.0f, 1e-6f);
    EXPECT_NEAR(p[3][2], -(2.0f * 500.0f * 0.1f) / (500.0f - 0.1f), 1e-5f);
}

TEST(Camera, SizeIsKeptAboveOnePixelAndAnUnchangedSizeLeavesTheMatrixClean)
{
    Camera camera;
    camera.getProjection();
    camera.setSize(1920.0f, 1080.0f);
    EXPECT_FALSE(camera.isProjectionDirty());
    camera.setSize(0.0f, -5.0f);
    EXPECT_TRUE(camera.isProjectionDirty());
    EXPECT_EQ(camera.getSize(), glm::vec2(1.0f, 1.0f));
}

TEST(Camera, EulerRotationClampsPitchAndIgnoresRoll)
{
    Camera camera;
    camera.rotate({1.0f, 0.0f, 0.0f}, 200.0f);
    EXPECT_FLOAT_EQ(camera.getEulerAngles().x, 1.5707964f);

    Camera rolled;
    rolled.setPosition({1.0f, 2.0f, 3.0f});
    const glm::mat4 before = rolled.getView();
    rolled.rotate({0.0f, 0.0f, 1.0f}, 45.0f);
    EXPECT_NEAR(rolled.getEulerAngles().z, 45.0f * 0.017453292f, 1e-6f);
    EXPECT_EQ(rolled.getView(), before);

    Camera turned;
    turned.rotate({0.0f, 2.0f, 0.0f}, 90.0f); // the axis is normalised
    EXPECT_NEAR(turned.getEulerAngles().y, 1.5707964f, 1e-6f);
    turned.rotate({0.0f, 0.0f, 0.0f}, 90.0f); // no axis, no turn
    EXPECT_NEAR(turned.getEulerAngles().y, 1.5707964f, 1e-6f);
}

TEST(Camera, ViewModesConvertBetweenEulerAnglesAndTheTransformRotation)
{
    Camera camera;
    camera.setRotation({0.3f, 0.5f, 0.0f});
    camera.setViewMode(ViewMode::Euler); // already Euler: the angles go into the transform
    const glm::quat expected(glm::vec3(0.3f, 0.5f, 0.0f));
    const glm::quat stored = camera.getTransform().getRotation();
    EXPECT_NEAR(stored.w, expected.w, 1e-6f);
    EXPECT_NEAR(stored.x, expected.x, 1e-6f);
    EXPECT_NEAR(stored.y, expected.y, 1e-6f);

    camera.setViewMode(ViewMode::Quaternion);
    camera.setRotation({0.2f, 0.4f, 0.0f});
    camera.setViewMode(ViewMode::Euler);
    EXPECT_NEAR(camera.getEulerAngles().x, 0.2f, 1e-5f);
    EXPECT_NEAR(camera.getEulerAngles().y, 0.4f, 1e-5f);
    EXPECT_EQ(camera.getEulerAngles().z, 0.0f);

    // Quaternion view: rotation times translation by minus the position.
    Camera quaternion;
    quaternion.setViewMode(ViewMode::Quaternion);
    quaternion.setPosition({0.0f, 0.0f, 10.0f});
    quaternion.setRotation({0.0f, 0.5f, 0.0f});
    const glm::mat4 view = glm::mat4_cast(glm::quat(glm::vec3(0.0f, 0.5f, 0.0f))) *
                           glm::translate(glm::mat4(1.0f), glm::vec3(0.0f, 0.0f, -10.0f));
    const glm::mat4 actual = quaternion.getView();
    for (int c = 0; c < 4; ++c)
        for (int r = 0; r < 4; ++r)
            EXPECT_NEAR(actual[c][r], view[c][r], 1e-5f);
}

TEST(Camera, InversesAreRebuiltWheneverTheirMatrixIs)
{
    Camera camera;
    camera.setProjectionMode(ProjectionMode::Perspective);
    camera.setPosition({3.0f, -2.0f, 12.0f});
    camera.rotate({1.0f, 0.0f, 0.0f}, 20.0f);
    // Matrix first, inverse later: the inverse must match the matrix that is in use.
    const glm::mat4 projection = camera.getProjection();
    const glm::mat4 view = camera.getView();
    ExpectIdentity(camera.getInverseProjection() * projection);
    ExpectIdentity(camera.getInverseView() * view);

    camera.setSize(800.0f, 600.0f);
    camera.move({1.0f, 1.0f, 1.0f});
    const glm::mat4 projection2 = camera.getProjection();
    const glm::mat4 view2 = camera.getView();
    ExpectIdentity(camera.getInverseProjection() * projection2);
    ExpectIdentity(camera.getInverseView() * view2);
}

TEST(Picking, WorldToScreenCountsYFromTheBottomEdge)
{
    const glm::vec3 screen = ProjectToWindow({100.0f, 50.0f, 0.0f}, Camera(), {800.0f, 600.0f});
    ExpectNear(screen, {100.0f, 550.0f, 0.5f});
}

TEST(Picking, CentreRayOfAnOrthographicCameraHitsThePlayerPlaneStraightAhead)
{
    const Camera camera = WorldCamera(ProjectionMode::Orthographic, {4.0f, 2.0f, 20.0f});
    glm::vec3 hit(-99.0f);
    ASSERT_TRUE(CastToPlane(camera, {640.0f, 360.0f}, {1280.0f, 720.0f}, {0.0f, 0.0f, -3.0f}, false, &hit));
    ExpectNear(hit, {4.0f, 2.0f, -3.0f});
}

// After a resize the stored camera keeps its old size until it is set again; picking inverts
// it as it is, so the window's corner maps to the corner of that camera's view.
TEST(Picking, PickingInvertsTheCameraAtItsOwnSizeNotTheWindows)
{
    Camera camera = WorldCamera(ProjectionMode::Orthographic, {4.0f, 2.0f, 20.0f});
    camera.setSize(1920.0f, 1080.0f);
    glm::vec3 corner(0.0f);
    ASSERT_TRUE(CastToPlane(camera, {0.0f, 0.0f}, {800.0f, 600.0f}, {0.0f, 0.0f, 0.0f}, false, &corner));
    ExpectNear(corner, {4.0f - 19.2f, 2.0f + 10.8f, 0.0f});
}

TEST(Picking, ScreenToWorldAndWorldToScreenRoundTrip)
{
    const glm::vec2 window(1280.0f, 720.0f);
    for (uint32_t mode : {ProjectionMode::Orthographic, ProjectionMode::Perspective})
    {
        Camera camera = WorldCamera(mode, {1.0f, 2.0f, 15.0f});
        camera.rotate({0.0f, 1.0f, 0.0f}, 10.0f);
        for (const glm::vec2 pixel : {glm::vec2(1.0f, 1.0f), glm::vec2(640.0f, 200.0f), glm::vec2(1279.0f, 719.0f)})
        {
            glm::vec3 world(0.0f);
            ASSERT_TRUE(CastToPlane(camera, pixel, window, {0.0f, 0.0f, 0.5f}, false, &world));
            EXPECT_NEAR(world.z, 0.5f, 1e-3f);
            const glm::vec3 back = ProjectToWindow(world, camera, window);
            EXPECT_NEAR(back.x, pixel.x, 0.05f) << mode;
            EXPECT_NEAR(back.y, window.y - pixel.y, 0.05f) << mode;
        }
    }
}

TEST(Picking, FailedPicksLeaveTheOutputUntouched)
{
    const Camera camera = WorldCamera(ProjectionMode::Perspective, {0.0f, 0.0f, 10.0f});
    const glm::vec3 untouched(7.0f, 8.0f, 9.0f);
    glm::vec3 out = untouched;
    // A minimised window is 0 by 0.
    EXPECT_FALSE(CastToPlane(camera, {0.0f, 0.0f}, {0.0f, 0.0f}, {0.0f, 0.0f, 0.0f}, false, &out));
    EXPECT_FALSE(CastToPlane(camera, {10.0f, 10.0f}, {0.5f, 720.0f}, {0.0f, 0.0f, 0.0f}, false, &out));
    // Camera at the player's depth: no plane facing it.
    EXPECT_FALSE(CastToPlane(camera, {640.0f, 360.0f}, {1280.0f, 720.0f}, {0.0f, 0.0f, 10.0f}, false, &out));
    // The plane behind the camera.
    EXPECT_FALSE(CastToPlane(camera, {640.0f, 360.0f}, {1280.0f, 720.0f}, {0.0f, 0.0f, 20.0f}, false, &out));
    EXPECT_EQ(out, untouched);
    // Without an engine there is no window to pick in.
    EXPECT_FALSE(ScreenToWorld({1.0f, 1.0f}, &out, false));
    EXPECT_EQ(out, untouched);
}
