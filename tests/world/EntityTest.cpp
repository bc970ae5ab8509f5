#include "world/Entity.h"

#include "WorldFixture.h"
#include "world/BehaviorComp.h"
#include "world/Component.h"
#include "world/TransformComp.h"

#include <gtest/gtest.h>

namespace
{
// Counts its own destruction so ownership can be checked.
class CountedComp : public Component
{
public:
    explicit CountedComp(int& deaths, std::string name = "CountedComp") : deaths(deaths), name(std::move(name)) {}
    ~CountedComp() override { ++deaths; }
    Component* clone() const override { return new CountedComp(deaths, name); }
    std::string getName() const override { return name; }
    void update() override { ++updates; }
    void updateInactive() override { ++inactiveUpdates; }

    int& deaths;
    std::string name;
    int updates = 0;
    int inactiveUpdates = 0;
};
}

TEST(EntityTest, FlagsReadFalseUntilSetTrue)
{
    Entity entity(false);
    EXPECT_FALSE(entity.getFlag("foo"));
    entity.setFlag("foo", false);
    EXPECT_FALSE(entity.getFlag("foo"));
    entity.setFlag("foo", true);
    EXPECT_TRUE(entity.getFlag("foo"));
}

TEST(EntityTest, ComponentsAreFoundByNameWithTypedFallback)
{
    Entity entity(false);
    auto* transform = new TransformComp();
    entity.addComponent(transform);
    EXPECT_EQ(entity.getComponent<TransformComp>(TransformComp::kName, TransformCompNull::instance()), transform);
    EXPECT_EQ(transform->getOwner(), &entity);
    EXPECT_EQ(entity.getComponent<TransformComp>(std::string("PhysicsComp"), TransformCompNull::instance()),
              TransformCompNull::instance());

    int deaths = 0;
    entity.addComponentAs(new CountedComp(deaths), TransformComp::kName);
    // The entry under the name is of another class than asked for: the fallback, never a bad cast.
    EXPECT_EQ(entity.getComponent<TransformComp>(TransformComp::kName, TransformCompNull::instance()), transform);
    EXPECT_EQ(deaths, 1);
}

TEST(EntityTest, ComponentUnderTakenNameIsDeletedAndOwnerLeftAlone)
{
    int deaths = 0;
    {
        Entity entity(false);
        auto* first = new CountedComp(deaths);
        entity.addComponent(first);
        entity.addComponent(new CountedComp(deaths));
        EXPECT_EQ(deaths, 1);
        EXPECT_EQ(entity.getComponent<CountedComp>(std::string("CountedComp"), nullptr), first);
        // Offering the stored component again changes nothing.
        entity.addComponent(first);
        EXPECT_EQ(deaths, 1);
    }
    EXPECT_EQ(deaths, 2);
}

TEST(EntityTest, NullEntityStoresNothingAndClonesToNothingRegistered)
{
    EntityNull* null = EntityNull::instance();
    int deaths = 0;
    null->addComponent(new CountedComp(deaths));
    EXPECT_EQ(deaths, 1);
    EXPECT_TRUE(null->getComponents().empty());
    null->setFlag("player", true);
    EXPECT_FALSE(null->getFlag("player"));
    EXPECT_EQ(null->cloneRegistered(), nullptr);

    Entity* copy = null->clone();
    ASSERT_NE(copy, nullptr);
    EXPECT_FALSE(copy->isNull());
    EXPECT_TRUE(copy->getComponents().empty());
    delete copy;
}

TEST(EntityTest, CloneTurnsEveryFlagOnAndClonesEveryComponent)
{
    int deaths = 0;
    Entity source(false);
    source.setFlag("foo", false);
    source.setFlag("player", true);
    auto* transform = new TransformComp();
    transform->setPosition(1.0f, 2.0f, 3.0f);
    source.addComponent(transform);
    source.addComponent(new CountedComp(deaths));

    Entity* copy = source.clone();
    EXPECT_TRUE(copy->getFlag("foo"));
    EXPECT_TRUE(copy->getFlag("player"));
    TransformComp* copied = copy->getComponent<TransformComp>(TransformComp::kName, TransformCompNull::instance());
    ASSERT_NE(copied, transform);
    EXPECT_EQ(copied->getPosition(), glm::vec3(1.0f, 2.0f, 3.0f));
    EXPECT_EQ(copied->getOwner(), copy);
    delete copy;
    EXPECT_EQ(deaths, 1);
}

TEST(EntityTest, InactiveUpdateReachesEveryComponentAndNothingElse)
{
    int deaths = 0;
    Entity entity(false);
    auto* counted = new CountedComp(deaths);
    entity.addComponent(counted);
    entity.updateInactive();
    EXPECT_EQ(counted->inactiveUpdates, 1);
    EXPECT_EQ(counted->updates, 0);
    entity.update();
    EXPECT_EQ(counted->updates, 1);
}

TEST(EntityTest, NewComponentBelongsToTheNullEntity)
{
    TransformComp transform;
    EXPECT_EQ(transform.getOwner(), EntityNull::instance());
    const std::pair<Component*, const char*> nulls[] = {{ComponentNull::instance(), "ComponentNull"},
                                                        {BehaviorCompNull::instance(), "BehaviorNull"}};
    for (const auto& [null, name] : nulls)
    {
        EXPECT_EQ(null->getName(), name);
        EXPECT_TRUE(null->isNull()) << name;
        EXPECT_EQ(null->clone(), null) << name;
        EXPECT_EQ(null->getOwner(), EntityNull::instance()) << name;
    }
    EXPECT_EQ(BehaviorCompNull::instance()->getBehaviorId(), UINT32_MAX);
    EXPECT_EQ(BehaviorCompNull::instance()->getTargetId(), UINT32_MAX);
}

// Runs in a fresh process: the manager found by the first registration is kept for the run.
TEST(EntityDeathTest, EntityBuiltBeforeManagerIsRegisteredKeepsTheNullManager)
{
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    EXPECT_EXIT(
        {
            Engine engine("T", 800, 600, 10000);
            engine.makeCurrent();
            Entity early;
            engine.registerSystem(EntityManager::getInstance());
            Entity late;
            const bool ok = EntityManager::getInstance()->isEmpty();
            std::exit(ok ? 0 : 1);
        },
        ::testing::ExitedWithCode(0), "");
}

using EntityRegistrationTest = test::WorldFixture;

TEST_F(EntityRegistrationTest, RegisteredEntitiesAndClonesGetConsecutiveIds)
{
    auto* first = new Entity();
    auto* second = new Entity();
    EXPECT_EQ(second->getId(), first->getId() + 1);
    Entity* copy = second->cloneRegistered();
    EXPECT_EQ(copy->getId(), second->getId() + 1);
    EXPECT_EQ(manager->findById(copy->getId()), copy);
    Entity archetype(false);
    EXPECT_EQ(manager->getEntityCount(), 3u);
}
