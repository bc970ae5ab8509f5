#include "world/PhysicsComp.h"

#include "world/ColliderComp.h"
#include "world/TransformComp.h"

#include <gtest/gtest.h>

TEST(PhysicsCompTest, IntegrateAddsAccelerationThenDragsThenStopsCrawlingAxes)
{
    PhysicsComp body;
    body.setVelocity(0.0004f, -0.1f, 0.0f);
    body.integrate(glm::vec3(0.01f, 0.0f, 0.01f));
    EXPECT_EQ(body.getVelocity().x, 0.0f);
    EXPECT_FLOAT_EQ(body.getVelocity().y, -0.1f);

    body.setVelocity(0.1f, 0.0f, 0.0f);
    body.addAcceleration(0.1f, 0.0f, 0.0f);
    body.integrate(glm::vec3(0.5f, 0.0f, 0.0f));
    EXPECT_FLOAT_EQ(body.getVelocity().x, 0.1f);
}

TEST(PhysicsCompTest, DragIsClampedToZeroAndOne)
{
    PhysicsComp body;
    body.setVelocity(0.2f, 0.2f, 0.0f);
    body.integrate(glm::vec3(1.5f, -0.2f, 0.0f));
    EXPECT_EQ(body.getVelocity().x, 0.0f);
    EXPECT_FLOAT_EQ(body.getVelocity().y, 0.2f);
}

TEST(PhysicsCompTest, MoveAddsVelocityAndCarriedThenClearsAcceleration)
{
    PhysicsComp body;
    TransformComp transform;
    transform.setPosition(1.0f, 1.0f, 0.0f);
    body.setVelocity(0.5f, 0.0f, 0.0f);
    body.addCarried(glm::vec3(0.0f, 0.25f, 0.0f));
    body.commitCarried();
    body.setAcceleration(1.0f, 1.0f, 1.0f);
    body.move(&transform);
    EXPECT_EQ(transform.getPosition(), glm::vec3(1.5f, 1.25f, 0.0f));
    EXPECT_EQ(transform.getPreviousPosition(), glm::vec3(1.0f, 1.0f, 0.0f));
    EXPECT_EQ(body.getAcceleration(), glm::vec3(0.0f));

    // The next commit without new landings clears the carried motion.
    body.commitCarried();
    EXPECT_EQ(body.getCarried(), glm::vec3(0.0f));
}

TEST(PhysicsCompTest, DefaultsAndNullObjects)
{
    PhysicsComp body;
    EXPECT_FLOAT_EQ(body.getGravity(), -0.006f);
    EXPECT_EQ(body.getMaxVelocity(), glm::vec3(1000.0f));
    EXPECT_EQ(body.getAirDrag(), glm::vec3(0.01f, 0.0f, 0.01f));
    PhysicsCompNull::instance()->setVelocity(1.0f, 1.0f, 1.0f);
    EXPECT_EQ(PhysicsCompNull::instance()->getVelocity(), glm::vec3(0.0f));
    EXPECT_EQ(PhysicsCompNull::instance()->getGravity(), 0.0f);

    ColliderComp collider;
    EXPECT_FLOAT_EQ(collider.getFriction(), 0.07f);
    EXPECT_TRUE(collider.isSolid());
    EXPECT_FALSE(ColliderCompNull::instance()->isSolid());
    EXPECT_EQ(ColliderCompNull::instance()->getName(), "ColliderNull");
}
