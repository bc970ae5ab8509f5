#include "WorldFixture.h"
#include "engine/EventId.h"
#include "support/TestSupport.h"
#include "world/WaypointComp.h"

#include <gtest/gtest.h>

using EntityManagerTest = test::WorldFixture;

namespace
{
// Records the order of the two passes across entities.
class JournalComp : public Component
{
public:
    JournalComp(std::vector<std::string>& journal, std::string tag) : journal(journal), tag(std::move(tag)) {}
    Component* clone() const override { return new JournalComp(journal, tag); }
    std::string getName() const override { return "JournalComp"; }
    void update() override { journal.push_back(tag + ".update"); }
    void updateInactive() override { journal.push_back(tag + ".inactive"); }

    std::vector<std::string>& journal;
    std::string tag;
};
}

TEST_F(EntityManagerTest, IdsRunOnAcrossClearsAndAreNeverReused)
{
    auto* first = new Entity();
    const uint32_t firstId = first->getId();
    manager->clearActive();
    EXPECT_TRUE(manager->isEmpty());
    auto* next = new Entity();
    EXPECT_EQ(next->getId(), firstId + 1);
    EXPECT_EQ(manager->getActiveIds(), std::vector<uint32_t>{next->getId()});
}

TEST_F(EntityManagerTest, LookupsByIdAndFlagGoInIdOrder)
{
    auto* plain = new Entity();
    auto* player = new Entity();
    player->setFlag("player", true);
    auto* secondPlayer = new Entity();
    secondPlayer->setFlag("player", true);
    auto* package = new Entity();
    package->setFlag("package", true);

    EXPECT_EQ(manager->findById(plain->getId()), plain);
    EXPECT_EQ(manager->getPlayer(), player);
    EXPECT_EQ(manager->getPackage(), package);
    EXPECT_EQ(manager->findAllWithFlag("player"), (std::vector<Entity*>{player, secondPlayer}));
    EXPECT_EQ(manager->findFirstWithFlag("goal"), EntityNull::instance());
    EXPECT_EQ(manager->getEntityCount(), 4u);

    test::ConsoleCapture console;
    EXPECT_EQ(manager->findById(999999), EntityNull::instance());
    EXPECT_NE(console.err().find("Attempt to find entity in active list failed"), std::string::npos);
}

TEST_F(EntityManagerTest, DeleteTwiceLogsTheSecondTime)
{
    auto* entity = new Entity();
    const uint32_t id = entity->getId();
    {
        test::ConsoleCapture console;
        manager->deleteEntity(id);
        EXPECT_TRUE(manager->isEmpty());
        EXPECT_EQ(console.err().find("Attempt to delete"), std::string::npos);
    }
    test::ConsoleCapture console;
    manager->deleteEntity(id);
    EXPECT_NE(console.err().find("Attempt to delete entity in active list failed"), std::string::npos);
}

TEST_F(EntityManagerTest, UpdateRunsEveryPhysicsStepBeforeAnyComponentUpdate)
{
    std::vector<std::string> journal;
    auto* a = new Entity();
    a->addComponent(new JournalComp(journal, "a"));
    auto* b = new Entity();
    b->addComponent(new JournalComp(journal, "b"));
    b->setFlag("inactive", true);
    auto* c = makeBody(glm::vec3(0.0f, 5.0f, 0.0f), glm::vec3(1.0f), true);
    c->addComponent(new JournalComp(journal, "c"));

    step();
    EXPECT_EQ(journal, (std::vector<std::string>{"b.inactive", "a.update", "c.update"}));
    // c fell in its physics step and moved in its update.
    EXPECT_LT(transformOf(c)->getPosition().y, 5.0f);
}

TEST_F(EntityManagerTest, ArchetypesStayOutOfTheActiveListAndCloneIntoIt)
{
    auto* archetype = new Entity(false);
    archetype->setFlag("goal", true);
    manager->addArchetype(archetype, "Goal");
    auto* duplicate = new Entity(false);
    manager->addArchetype(duplicate, "Goal");
    delete duplicate;
    EXPECT_TRUE(manager->isEmpty());

    Entity* goal = manager->cloneArchetype("Goal");
    EXPECT_TRUE(goal->getFlag("goal"));
    EXPECT_EQ(manager->findById(goal->getId()), goal);

    test::ConsoleCapture console;
    EXPECT_EQ(manager->cloneArchetype("Nope"), EntityNull::instance());
    EXPECT_NE(console.err().find("Archetype, Nope, searched for but not found"), std::string::npos);
}

TEST_F(EntityManagerTest, CreateEventAddsOneCloneAndIgnoresNoEntity)
{
    Entity source(false);
    source.setFlag("hazard", true);
    test::ConsoleCapture console;
    manager->onNotify(&source, EVENT_CREATE);
    EXPECT_EQ(manager->getEntityCount(), 1u);
    EXPECT_TRUE(manager->findFirstWithFlag("hazard")->getFlag("hazard"));
    EXPECT_NE(console.out().find("Entity spawned in event Create"), std::string::npos);

    // The null entity clones to no entity: nothing is added and nothing breaks.
    manager->onNotify(EntityNull::instance(), EVENT_CREATE);
    manager->addEntity(nullptr);
    manager->onNotify(&source, EVENT_WIN);
    EXPECT_EQ(manager->getEntityCount(), 1u);
}

TEST_F(EntityManagerTest, FindWaypointByNumber)
{
    auto* plain = new Entity();
    auto* waypoint = new Entity();
    auto* component = new WaypointComp();
    component->setWaypointID(32);
    waypoint->addComponent(component);
    EXPECT_EQ(manager->findWaypoint(32), waypoint);
    EXPECT_EQ(manager->findWaypoint(-1), EntityNull::instance());
    EXPECT_EQ(manager->findWaypoint(0), EntityNull::instance());
    EXPECT_NE(plain, waypoint);
}

TEST_F(EntityManagerTest, NullManagerAnswersNeutrally)
{
    EntityManagerNull* null = EntityManagerNull::instance();
    EXPECT_FALSE(null->isEmpty());
    EXPECT_EQ(null->getEntityCount(), 0u);
    EXPECT_EQ(null->getPlayer(), EntityNull::instance());
    EXPECT_TRUE(null->getActiveIds().empty());
}

TEST_F(EntityManagerTest, ShutdownDeletesEverything)
{
    new Entity();
    manager->addArchetype(new Entity(false), "Thing");
    manager->shutdown();
    EXPECT_TRUE(manager->isEmpty());
    EXPECT_FALSE(manager->hasArchetype("Thing"));
}
