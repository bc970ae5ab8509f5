#include "world/TransformComp.h"

#include <glm/gtc/matrix_transform.hpp>
#include <gtest/gtest.h>

namespace
{
void ExpectNear(const glm::vec3& actual, const glm::vec3& expected, float tolerance = 1e-5f)
{
    EXPECT_NEAR(actual.x, expected.x, tolerance);
    EXPECT_NEAR(actual.y, expected.y, tolerance);
    EXPECT_NEAR(actual.z, expected.z, tolerance);
}

void ExpectNear(const glm::quat& actual, const glm::quat& expected, float tolerance = 1e-5f)
{
    EXPECT_NEAR(actual.x, expected.x, tolerance);
    EXPECT_NEAR(actual.y, expected.y, tolerance);
    EXPECT_NEAR(actual.z, expected.z, tolerance);
    EXPECT_NEAR(actual.w, expected.w, tolerance);
}
}

TEST(TransformCompTest, DefaultsAndPreviousPosition)
{
    TransformComp transform;
    EXPECT_EQ(transform.getScale(), glm::vec3(1.0f));
    ExpectNear(transform.getRotation(), glm::quat(1.0f, 0.0f, 0.0f, 0.0f));
    transform.setPosition(1.0f, 2.0f, 3.0f);
    transform.setPosition(glm::vec3(4.0f, 5.0f, 6.0f));
    EXPECT_EQ(transform.getPreviousPosition(), glm::vec3(1.0f, 2.0f, 3.0f));
    EXPECT_EQ(transform.getPosition(), glm::vec3(4.0f, 5.0f, 6.0f));
}

TEST(TransformCompTest, ModelMatrixIsTranslateRotateScale)
{
    TransformComp transform;
    transform.setPosition(2.0f, 3.0f, 4.0f);
    transform.setScale(2.0f, 4.0f, 1.0f);
    transform.setRotation(glm::vec3(0.0f, 0.0f, glm::radians(90.0f)));
    const glm::mat4 expected = glm::scale(glm::rotate(glm::translate(glm::mat4(1.0f), glm::vec3(2.0f, 3.0f, 4.0f)),
                                                      glm::radians(90.0f), glm::vec3(0.0f, 0.0f, 1.0f)),
                                          glm::vec3(2.0f, 4.0f, 1.0f));
    const glm::mat4 actual = transform.getModelMatrix();
    for (int c = 0; c < 4; ++c)
        for (int r = 0; r < 4; ++r)
            EXPECT_NEAR(actual[c][r], expected[c][r], 1e-5f);

    // setPreviousPosition alone leaves the matrix as it was.
    transform.setPreviousPosition(9.0f, 9.0f, 9.0f);
    EXPECT_EQ(transform.getModelMatrix(), actual);
}

TEST(TransformCompTest, RotateNormalisesTheAxisAndIgnoresAZeroAxis)
{
    TransformComp unit;
    TransformComp longAxis;
    unit.rotate(glm::vec3(0.0f, 0.0f, 1.0f), 90.0f);
    longAxis.rotate(glm::vec3(0.0f, 0.0f, 2.0f), 90.0f);
    ExpectNear(longAxis.getRotation(), unit.getRotation());
    ExpectNear(unit.getRotation(), glm::angleAxis(glm::radians(90.0f), glm::vec3(0.0f, 0.0f, 1.0f)));

    const glm::quat before = unit.getRotation();
    unit.rotate(glm::vec3(0.0f), 45.0f);
    EXPECT_EQ(unit.getRotation(), before);
    EXPECT_FALSE(std::isnan(unit.getModelMatrix()[0][0]));
}

TEST(TransformCompTest, RenderPositionFollowsAndReachesTheMatrixEitherWay)
{
    TransformComp transform;
    transform.setUseRenderPosition(true);
    transform.setPosition(1.0f, 0.0f, 0.0f);
    transform.lerpRenderPosition(0.8f);
    ExpectNear(transform.getRenderPosition(), glm::vec3(0.8f, 0.0f, 0.0f));
    EXPECT_NEAR(transform.getModelMatrix()[3][0], 0.8f, 1e-6f);

    transform.setPosition(-1.0f, 0.0f, 0.0f);
    transform.lerpRenderPosition(0.5f);
    EXPECT_NEAR(transform.getModelMatrix()[3][0], -0.1f, 1e-6f);
}

TEST(TransformCompTest, ComposeAddsPositionsAndMultipliesScales)
{
    TransformComp first;
    first.setPosition(1.0f, 2.0f, 0.0f);
    first.setScale(2.0f, 3.0f, 1.0f);
    TransformComp second;
    second.setPosition(10.0f, 0.0f, 0.0f);
    second.setUseRenderPosition(true);
    second.lerpRenderPosition(0.5f);
    second.setScale(0.5f, 2.0f, 1.0f);

    const TransformComp result = first.compose(second);
    EXPECT_EQ(result.getPosition(), glm::vec3(11.0f, 2.0f, 0.0f));
    ExpectNear(result.getRenderPosition(), glm::vec3(6.0f, 2.0f, 0.0f));
    EXPECT_TRUE(result.getUseRenderPosition());
    EXPECT_EQ(result.getScale(), glm::vec3(1.0f, 6.0f, 1.0f));
}

TEST(TransformCompTest, CopiesKeepValuesButNotTheOwner)
{
    TransformComp source;
    source.setPosition(3.0f, 4.0f, 5.0f);
    source.setScale(2.0f, 2.0f, 2.0f);
    TransformComp assigned;
    assigned = source;
    EXPECT_EQ(assigned.getPosition(), source.getPosition());
    EXPECT_EQ(assigned.getScale(), source.getScale());
    EXPECT_TRUE(assigned.isDirty());

    Component* clone = source.clone();
    EXPECT_EQ(static_cast<TransformComp*>(clone)->getPreviousPosition(), source.getPreviousPosition());
    delete clone;
}

TEST(TransformCompTest, NullTransformIsZeroAndIgnoresSetters)
{
    TransformCompNull* null = TransformCompNull::instance();
    null->setPosition(1.0f, 1.0f, 1.0f);
    null->setScale(5.0f, 5.0f, 5.0f);
    EXPECT_EQ(null->getPosition(), glm::vec3(0.0f));
    EXPECT_EQ(null->getScale(), glm::vec3(0.0f));
    EXPECT_EQ(null->getModelMatrix(), glm::mat4(0.0f));
    EXPECT_EQ(null->clone(), null);
    EXPECT_EQ(null->getName(), "TransformNull");
}
