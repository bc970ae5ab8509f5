#include "world/TestCollision.h"

#include "WorldFixture.h"

#include <gtest/gtest.h>

using CollisionTest = test::WorldFixture;

TEST_F(CollisionTest, BoxesThatOnlyTouchOrSitOnOtherLayersDoNotCollide)
{
    Entity* a = makeBody(glm::vec3(0.0f), glm::vec3(1.0f), true);
    Entity* b = makeBody(glm::vec3(1.0f, 0.0f, 0.0f), glm::vec3(1.0f), false);
    EXPECT_EQ(TestCollision(a, b), COLLISION_NONE);

    transformOf(b)->setPosition(0.5f, 0.0f, 0.6f);
    EXPECT_EQ(TestCollision(a, b), COLLISION_NONE);
    transformOf(b)->setPosition(0.5f, 0.0f, 0.5f);
    EXPECT_EQ(TestCollision(a, b), COLLISION_RIGHT);
}

TEST_F(CollisionTest, LandingRecordsPenetrationFrictionCarriedMotionAndTime)
{
    Entity* a = makeBody(glm::vec3(0.0f, 0.9f, 0.0f), glm::vec3(1.0f), true);
    Entity* b = makeBody(glm::vec3(0.0f), glm::vec3(4.0f, 1.0f, 1.0f), false);
    colliderOf(b)->setFriction(0.3f);
    bodyOf(b)->setVelocity(0.05f, 0.0f, 0.0f);

    EXPECT_EQ(TestCollision(a, b), COLLISION_DOWN);
    EXPECT_NEAR(colliderOf(a)->getPenetration().y, -0.1f, 1e-5f);
    EXPECT_TRUE(colliderOf(a)->isCollidingDown());
    EXPECT_FLOAT_EQ(colliderOf(a)->getGroundFriction(), 0.3f);
    EXPECT_EQ(colliderOf(a)->getLandingTime(), 100000);
    bodyOf(a)->commitCarried();
    EXPECT_EQ(bodyOf(a)->getCarried(), glm::vec3(0.05f, 0.0f, 0.0f));
    // Only the first entity is written.
    EXPECT_FALSE(colliderOf(b)->isCollidingUp());
}

TEST_F(CollisionTest, NonSolidPairOverlapsWithoutWriting)
{
    Entity* a = makeBody(glm::vec3(0.0f, 0.9f, 0.0f), glm::vec3(1.0f), true);
    Entity* b = makeBody(glm::vec3(0.0f), glm::vec3(4.0f, 1.0f, 1.0f), false);
    colliderOf(a)->setSolid(false);
    EXPECT_EQ(TestCollision(a, b), COLLISION_OVERLAP);
    EXPECT_EQ(colliderOf(a)->getPenetration(), glm::vec3(0.0f));
    EXPECT_FALSE(colliderOf(a)->isCollidingDown());
    EXPECT_EQ(colliderOf(a)->getLandingTime(), 0);
}

TEST_F(CollisionTest, CeilingAndSideContacts)
{
    Entity* a = makeBody(glm::vec3(0.0f), glm::vec3(1.0f), true);
    Entity* ceiling = makeBody(glm::vec3(0.0f, 0.9f, 0.0f), glm::vec3(4.0f, 1.0f, 1.0f), false);
    EXPECT_EQ(TestCollision(a, ceiling), COLLISION_UP);
    EXPECT_NEAR(colliderOf(a)->getPenetration().y, 0.1f, 1e-5f);

    colliderOf(a)->resetContacts();
    Entity* wall = makeBody(glm::vec3(-0.8f, 0.0f, 0.0f), glm::vec3(1.0f, 4.0f, 1.0f), false);
    EXPECT_EQ(TestCollision(a, wall), COLLISION_LEFT);
    EXPECT_NEAR(colliderOf(a)->getPenetration().x, -0.2f, 1e-5f);
    EXPECT_TRUE(colliderOf(a)->isCollidingLeft());
}

TEST_F(CollisionTest, StepUpLiftsOntoLowLedgeWithHalfTheOverlap)
{
    Entity* a = makePlayer(glm::vec3(0.0f));
    Entity* ledge = makeBody(glm::vec3(0.9f, -0.7f, 0.0f), glm::vec3(1.0f), false);
    EXPECT_EQ(TestCollision(a, ledge), COLLISION_DOWN);
    EXPECT_NEAR(colliderOf(a)->getPenetration().y, -0.15f, 1e-5f);
    EXPECT_EQ(colliderOf(a)->getLandingTime(), 0);

    // Rising, or without margins, the same ledge is a wall.
    colliderOf(a)->resetContacts();
    bodyOf(a)->setVelocity(0.0f, 0.1f, 0.0f);
    EXPECT_EQ(TestCollision(a, ledge), COLLISION_RIGHT);
    Entity* plain = makeBody(glm::vec3(0.0f), glm::vec3(1.0f), true);
    EXPECT_EQ(TestCollision(plain, ledge), COLLISION_RIGHT);
}

TEST_F(CollisionTest, CeilingCornerNudgesSidewaysWithHalfTheOverlap)
{
    Entity* a = makePlayer(glm::vec3(0.0f));
    Entity* corner = makeBody(glm::vec3(0.8f, 0.95f, 0.0f), glm::vec3(1.0f), false);
    EXPECT_EQ(TestCollision(a, corner), COLLISION_RIGHT);
    EXPECT_NEAR(colliderOf(a)->getPenetration().x, 0.1f, 1e-5f);
    EXPECT_FALSE(colliderOf(a)->isCollidingUp());
}
