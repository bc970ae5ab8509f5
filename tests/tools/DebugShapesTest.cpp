#include "tools/DebugShapes.h"

#include <glm/gtc/constants.hpp>
#include <gtest/gtest.h>

using namespace DebugShapes;

namespace
{
void ExpectBar(const Bar& bar, glm::vec3 position, glm::vec3 scale, const char* which)
{
    EXPECT_NEAR(bar.position.x, position.x, 1e-5f) << which;
    EXPECT_NEAR(bar.position.y, position.y, 1e-5f) << which;
    EXPECT_EQ(bar.position.z, position.z) << which;
    EXPECT_NEAR(bar.scale.x, scale.x, 1e-5f) << which;
    EXPECT_NEAR(bar.scale.y, scale.y, 1e-5f) << which;
}
}

TEST(DebugShapes, ColliderBoxBarsSitOnTheEdges)
{
    const auto bars = BoxOutline(Box{{2.0f, 3.0f}, {1.0f, 2.0f}});
    ExpectBar(bars[0], {2.0f, 4.0f, 1.0f}, {1.0f, 0.03f, 1.0f}, "top");
    ExpectBar(bars[1], {2.0f, 2.0f, 1.0f}, {1.0f, 0.03f, 1.0f}, "bottom");
    ExpectBar(bars[2], {2.5f, 3.0f, 1.0f}, {0.03f, 2.0f, 1.0f}, "right");
    ExpectBar(bars[3], {1.5f, 3.0f, 1.0f}, {0.03f, 2.0f, 1.0f}, "left");
}

TEST(DebugShapes, SpawnBoxSpansFromLowerToUpperBound)
{
    struct Case
    {
        glm::vec3 entity;
        glm::vec3 offset;
        glm::vec2 x;
        glm::vec2 y;
        glm::vec2 centre;
        glm::vec2 size;
    };
    const Case cases[] = {
        {{0, 0, 0}, {0, 0, 0}, {-1, 3}, {-2, 2}, {1, 0}, {4, 4}},
        {{5, 1, 0}, {0.5f, -1, 0.3f}, {-1, 1}, {0, 2}, {5.5f, 1}, {2, 2}},
        {{0, 0, 0}, {0, 0, 0}, {0, 0}, {0, 0}, {0, 0}, {0, 0}},
    };
    for (const Case& c : cases)
    {
        const Box box = EmitterSpawnBox(c.entity, c.offset, c.x, c.y);
        EXPECT_FLOAT_EQ(box.centre.x, c.centre.x);
        EXPECT_FLOAT_EQ(box.centre.y, c.centre.y);
        EXPECT_FLOAT_EQ(box.size.x, c.size.x);
        EXPECT_FLOAT_EQ(box.size.y, c.size.y);
    }
}

TEST(DebugShapes, VelocityBarPointsAlongTheVelocity)
{
    EXPECT_NEAR(VelocityBarAngle({0.0f, -1.0f, 0.0f}), -glm::half_pi<float>(), 1e-5f) << "straight down";
    EXPECT_NEAR(VelocityBarAngle({0.0f, 1.0f, 0.0f}), glm::half_pi<float>(), 1e-5f) << "straight up";
    EXPECT_NEAR(VelocityBarAngle({-1.0f, 0.0f, 0.0f}), glm::pi<float>(), 1e-5f) << "left";
    EXPECT_NEAR(VelocityBarAngle({1.0f, 1.0f, 0.0f}), glm::quarter_pi<float>(), 1e-5f);

    EXPECT_NEAR(VelocityBarLength(glm::vec3(0.0f)), 0.0f, 1e-5f) << "at rest";
    EXPECT_NEAR(VelocityBarLength({0.6f, 0.8f, 0.0f}), 2.7f, 1e-4f) << "speed 1";
    EXPECT_LT(VelocityBarLength({100.0f, 0.0f, 0.0f}), 3.0f);
    EXPECT_GT(VelocityBarLength({100.0f, 0.0f, 0.0f}), 2.99f);
}

TEST(DebugShapes, VelocityBarStartsAtTheBody)
{
    const glm::mat4 model = VelocityBarModel({1.0f, 2.0f, 0.5f}, 2.0f, glm::pi<float>());
    const glm::vec4 start = model * glm::vec4(-0.5f, 0.0f, 0.0f, 1.0f);
    const glm::vec4 end = model * glm::vec4(0.5f, 0.0f, 0.0f, 1.0f);
    EXPECT_NEAR(start.x, 1.0f, 1e-5f);
    EXPECT_NEAR(start.y, 2.0f, 1e-5f);
    EXPECT_NEAR(end.x, -1.0f, 1e-5f) << "two units to the left";
    EXPECT_NEAR(end.z, 0.5f, 1e-5f);
}
