#include "particles/EmitterListComp.h"
#include "particles/ParticleEmitter.h"
#include "particles/ParticleTestWorld.h"
#include "world/Entity.h"

#include <gtest/gtest.h>

#include <memory>

namespace
{
using test::ParticleWorld;

class CountedEmitter : public ParticleEmitter
{
public:
    explicit CountedEmitter(int* deletions) : deletions(deletions) {}
    ~CountedEmitter() override { ++*deletions; }

private:
    int* deletions;
};

ParticleEmitter* Named(const std::string& archetype, int32_t particles = 1)
{
    auto* emitter = new ParticleEmitter();
    emitter->setArchetypeName(archetype);
    emitter->setNumParticles(particles);
    return emitter;
}
}

TEST(EmitterListComp, HoldsEmittersByNameAndFallsBackToTheNullEmitter)
{
    ParticleWorld world;
    EmitterListComp list;
    EXPECT_EQ(list.getName(), "EmitterListComp");
    list.addEmitter("Dash", Named("Dash"));
    list.addEmitter("Checkpoit", Named("Checkpoit"));
    EXPECT_EQ(list.count(), 2u);
    EXPECT_EQ(list.getEmitter("Dash")->getArchetypeName(), "Dash");

    ParticleEmitter* missing = list.getEmitter("Nope");
    EXPECT_EQ(missing, ParticleEmitterNull::instance());
    missing->setActive(true);
    EXPECT_FALSE(missing->isActive());

    const std::vector<ParticleEmitter*> all = list.getEmitters();
    ASSERT_EQ(all.size(), 2u);
    EXPECT_EQ(all[0]->getArchetypeName(), "Checkpoit") << "name order";
}

// Callers drop their pointer after offering an emitter, so a refused one must be deleted here.
TEST(EmitterListComp, RejectedEmittersAreDeletedAndTheNullEmitterIsNeverStored)
{
    ParticleWorld world;
    int deleted = 0;
    EmitterListComp list;
    ParticleEmitter* first = Named("Dash", 1);
    list.addEmitter("Dash", first);
    list.addEmitter("Dash", new CountedEmitter(&deleted));
    EXPECT_EQ(deleted, 1) << "a second emitter under a taken name";
    EXPECT_EQ(list.getEmitter("Dash"), first);
    EXPECT_EQ(list.count(), 1u);
    list.addEmitter("Dash", first);
    EXPECT_EQ(list.getEmitter("Dash")->getNumParticles(), 1) << "offering the stored emitter again is harmless";

    EmitterListCompNull::instance()->addEmitter("Dash", new CountedEmitter(&deleted));
    EXPECT_EQ(deleted, 2) << "the null list takes nothing";

    list.addEmitter("Ghost", ParticleEmitterNull::instance());
    list.addEmitter("Nothing", nullptr);
    EXPECT_EQ(list.count(), 1u);
    EXPECT_FALSE(ParticleEmitterNull::instance()->isActive());
}

TEST(EmitterListComp, UpdateStepsEveryEmitter)
{
    ParticleWorld world;
    EmitterListComp list;
    list.addEmitter("A", Named("A", 2));
    list.addEmitter("B", Named("B", 3));
    list.update();
    EXPECT_EQ(world.manager.getParticleCount(), 5u);
    list.updateInactive();
    EXPECT_EQ(world.manager.getParticleCount(), 5u) << "an inactive entity's emitters are not stepped";
}

TEST(EmitterListComp, PositionToggleAndArchetypeSwitches)
{
    ParticleWorld world;
    EmitterListComp list;
    list.addEmitter("Glow", Named("Checkpoit"));
    list.addEmitter("Other", Named("Checkpoit"));
    list.addEmitter("Trail", Named("PTrail"));

    list.setPosition({1.0f, 2.0f, 3.0f});
    for (ParticleEmitter* emitter : list.getEmitters())
        EXPECT_EQ(emitter->getPosition(), glm::vec3(1.0f, 2.0f, 3.0f));

    list.deactivateByArchetype("Checkpoit");
    EXPECT_FALSE(list.getEmitter("Glow")->isActive());
    EXPECT_FALSE(list.getEmitter("Other")->isActive());
    EXPECT_TRUE(list.getEmitter("Trail")->isActive());

    list.activateByArchetype("Checkpoint");
    EXPECT_FALSE(list.getEmitter("Glow")->isActive()) << "the exact name only";
    list.activateByArchetype("Checkpoit");
    EXPECT_TRUE(list.getEmitter("Glow")->isActive());
    EXPECT_TRUE(list.getEmitter("Other")->isActive());

    EmitterListComp elsewhere;
    elsewhere.addEmitter("Glow", Named("Checkpoit"));
    elsewhere.getEmitter("Glow")->setActive(false);
    list.activateByArchetype("Checkpoit");
    EXPECT_FALSE(elsewhere.getEmitter("Glow")->isActive()) << "other lists are never touched";

    list.getEmitter("Trail")->setActive(false);
    list.toggleAll();
    EXPECT_FALSE(list.getEmitter("Glow")->isActive());
    EXPECT_TRUE(list.getEmitter("Trail")->isActive());
    list.toggleAll();
    EXPECT_TRUE(list.getEmitter("Glow")->isActive());
    EXPECT_FALSE(list.getEmitter("Trail")->isActive());
}

TEST(EmitterListComp, CloneHoldsIndependentEmitters)
{
    ParticleWorld world;
    EmitterListComp list;
    list.addEmitter("Pack", Named("Pack"));
    list.getEmitter("Pack")->setPosition({5.0f, 0.0f, 0.0f});
    std::unique_ptr<EmitterListComp> copy(static_cast<EmitterListComp*>(list.clone()));
    ASSERT_EQ(copy->count(), 1u);
    EXPECT_NE(copy->getEmitter("Pack"), list.getEmitter("Pack"));
    EXPECT_EQ(copy->getEmitter("Pack")->getPosition(), glm::vec3(5.0f, 0.0f, 0.0f));
    copy->getEmitter("Pack")->setActive(false);
    EXPECT_TRUE(list.getEmitter("Pack")->isActive());
    EXPECT_TRUE(copy->getOwner()->isNull());
}

TEST(EmitterListComp, DebugPrintListsTheNames)
{
    ParticleWorld world;
    EmitterListComp empty;
    {
        test::ConsoleCapture console;
        empty.debugPrint();
        EXPECT_EQ(console.out(), "This map contains the following emitters:\n");
    }
    EmitterListComp list;
    list.addEmitter("b", Named("b"));
    list.addEmitter("a", Named("a"));
    test::ConsoleCapture console;
    list.debugPrint();
    EXPECT_EQ(console.out(), "This map contains the following emitters:\na\nb\n");
}

TEST(EmitterListComp, NullListIgnoresEverything)
{
    ParticleWorld world;
    EmitterListCompNull* null = EmitterListCompNull::instance();
    null->addEmitter("Dash", Named("Dash"));
    EXPECT_EQ(null->count(), 0u);
    EXPECT_EQ(null->getEmitter("Dash"), ParticleEmitterNull::instance());
    EXPECT_TRUE(null->getEmitters().empty());
    EXPECT_EQ(null->clone(), null);
    EXPECT_EQ(null->getName(), "EmitterListCompNull");
    EXPECT_TRUE(null->isNull());
    null->activateByArchetype("Dash");
    null->toggleAll();
    null->update();
    EXPECT_EQ(world.manager.getParticleCount(), 0u);
}
