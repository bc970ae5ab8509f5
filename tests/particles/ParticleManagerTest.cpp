#include "particles/ComplexParticle.h"
#include "particles/Particle.h"
#include "particles/ParticleEmitter.h"
#include "particles/ParticleTestWorld.h"

#include <gtest/gtest.h>

#include <memory>

namespace
{
using test::ParticleWorld;

const char* const kTwoArchetypes = R"({
    "b": {"Name": "Spark", "NumParticles": 4},
    "a": {"Name": "Dash", "NumParticles": 2}
})";

Particle* NewParticle(float x, int64_t lifespan = 1000)
{
    return new Particle(lifespan, {x, 0.0f, 0.0f}, {0.01f, 0.0f, 0.0f}, glm::vec3(0.0f), glm::vec4(1.0f),
                        glm::vec3(1.0f), Texture{}, {}, glm::vec3(0.0f));
}

ComplexParticle* NewComplex()
{
    return new ComplexParticle(1000, glm::vec3(0.0f), glm::vec3(0.0f), glm::vec3(0.0f), glm::vec4(1.0f),
                               glm::vec3(1.0f), Texture{}, {}, glm::vec3(0.0f));
}
}

TEST(ParticleManager, EachListStopsAtItsOwnCap)
{
    ParticleWorld world;
    for (int i = 0; i < ParticleManager::kParticleLimit; ++i)
        ASSERT_TRUE(world.manager.addParticle(NewParticle(0.0f)));
    EXPECT_FALSE(world.manager.addParticle(NewParticle(0.0f)));
    EXPECT_EQ(world.manager.getParticleCount(), 10000u);

    for (int i = 0; i < ParticleManager::kParticleLimit; ++i)
        ASSERT_TRUE(world.manager.addComplexParticle(NewComplex()));
    EXPECT_FALSE(world.manager.addComplexParticle(NewComplex()));
    EXPECT_EQ(world.manager.getComplexParticleCount(), 10000u);
}

TEST(ParticleManager, RefusesEverythingBeforeInitialize)
{
    test::ConsoleCapture console;
    ParticleManager fresh;
    EXPECT_FALSE(fresh.addParticle(NewParticle(0.0f)));
    EXPECT_EQ(fresh.getParticleCount(), 0u);
}

TEST(ParticleManager, DeadParticlesLeaveInTheStepTheyDieAndTheRestKeepTheirOrder)
{
    ParticleWorld world;
    world.manager.addParticle(NewParticle(1.0f));
    world.manager.addParticle(NewParticle(2.0f, 0));
    world.manager.addParticle(NewParticle(3.0f, 0));
    world.manager.addParticle(NewParticle(4.0f));
    world.manager.addParticle(NewParticle(5.0f, 0));
    world.manager.addParticle(NewParticle(6.0f));
    world.advanceMs(1);
    world.manager.update();

    const auto& particles = world.manager.getParticles();
    ASSERT_EQ(particles.size(), 3u);
    EXPECT_FLOAT_EQ(particles[0]->getBody().getPosition().x, 1.01f);
    EXPECT_FLOAT_EQ(particles[1]->getBody().getPosition().x, 4.01f) << "the particle behind a dead one is updated";
    EXPECT_FLOAT_EQ(particles[2]->getBody().getPosition().x, 6.01f);
}

TEST(ParticleManager, ParticleThatArrivesDuringItsUpdateIsRemovedThatStep)
{
    ParticleWorld world;
    world.manager.addParticle(new Particle(1000, {0.95f, 0.0f, 0.0f}, {0.08f, 0.0f, 0.0f}, glm::vec3(0.0f),
                                           glm::vec4(1.0f), glm::vec3(1.0f), Texture{}, {{"converge", true}},
                                           {1.1f, 0.0f, 0.0f}));
    world.manager.update();
    EXPECT_EQ(world.manager.getParticleCount(), 0u);
}

TEST(ParticleManager, CreateEmitterHandsOutIndependentClones)
{
    ParticleWorld world(kTwoArchetypes);
    std::unique_ptr<ParticleEmitter> first(world.manager.createEmitter("Spark"));
    std::unique_ptr<ParticleEmitter> second(world.manager.createEmitter("Spark"));
    ASSERT_FALSE(first->isNull());
    EXPECT_NE(first.get(), second.get());
    EXPECT_NE(first.get(), world.manager.getArchetypes().at("Spark"));
    EXPECT_EQ(first->getNumParticles(), 4);

    first->setNumParticles(40);
    first->setActive(false);
    EXPECT_EQ(second->getNumParticles(), 4);
    EXPECT_TRUE(second->isActive());
    EXPECT_EQ(world.manager.getArchetypes().at("Spark")->getNumParticles(), 4);
}

TEST(ParticleManager, AnEmitterThatCannotBeMadeIsLoggedAndGivesTheNullEmitter)
{
    ParticleWorld world(kTwoArchetypes);
    world.manager.registerArchetype("Hollow", ParticleEmitterNull::instance());
    const struct
    {
        const char* name;
        const char* logged;
    } cases[] = {
        {"Sparkle", "ERROR! : Emitter Archetype, Sparkle, Not Found!\nERROR! : Emitter Not Created Successfully!\n"},
        {"Hollow", "ERROR! : Emitter Not Created Successfully!\n"},
    };
    for (const auto& c : cases)
    {
        test::ConsoleCapture console;
        EXPECT_EQ(world.manager.createEmitter(c.name), ParticleEmitterNull::instance()) << c.name;
        EXPECT_EQ(console.err(), c.logged) << c.name;
    }
    test::ConsoleCapture console;
    std::unique_ptr<ParticleEmitter> made(world.manager.createEmitter("Spark"));
    EXPECT_EQ(console.err(), "") << "a made emitter logs nothing";
}

TEST(ParticleManager, FirstRegistrationOfANameWins)
{
    ParticleWorld world(kTwoArchetypes);
    ParticleEmitter replacement;
    replacement.setNumParticles(99);
    world.manager.registerArchetype("Spark", &replacement);
    EXPECT_EQ(world.manager.getArchetypes().at("Spark")->getNumParticles(), 4);

    world.manager.registerArchetype("Fresh", &replacement);
    ParticleEmitter* stored = world.manager.getArchetypes().at("Fresh");
    EXPECT_NE(stored, &replacement) << "the manager keeps a clone; the caller keeps its emitter";
    EXPECT_EQ(stored->getNumParticles(), 99);

    world.manager.registerArchetype("Nothing", ParticleEmitterNull::instance());
    EXPECT_EQ(world.manager.getArchetypes().at("Nothing"), ParticleEmitterNull::instance());
    world.manager.shutdown();
    EXPECT_TRUE(world.manager.getArchetypes().empty()) << "shutdown skips the shared null emitter";
}

TEST(ParticleManager, EmitterIdsCountUpAndRestartResetsThemAndRereadsTheFile)
{
    ParticleWorld world(kTwoArchetypes);
    EXPECT_EQ(world.manager.nextEmitterId(), 0u);
    EXPECT_EQ(world.manager.nextEmitterId(), 1u);
    EXPECT_EQ(world.manager.nextEmitterId(), 2u);
    world.manager.addParticle(NewParticle(0.0f));
    std::unique_ptr<ParticleEmitter> held(world.manager.createEmitter("Dash"));

    test::WriteText(world.archetypePath, R"([{"Name": "Goal", "NumParticles": 1}])");
    world.manager.restart();
    EXPECT_EQ(world.manager.nextEmitterId(), 0u);
    EXPECT_EQ(world.manager.getParticleCount(), 0u);
    const auto archetypes = world.manager.getArchetypes();
    ASSERT_EQ(archetypes.size(), 1u);
    EXPECT_EQ(archetypes.begin()->first, "Goal");
    EXPECT_EQ(held->getNumParticles(), 2) << "emitters made earlier belong to their holders";
    EXPECT_TRUE(world.manager.addParticle(NewParticle(0.0f))) << "the caps are set again";
}

TEST(ParticleManager, ClearParticlesKeepsTheArchetypes)
{
    ParticleWorld world(kTwoArchetypes);
    world.manager.addParticle(NewParticle(0.0f));
    world.manager.addComplexParticle(NewComplex());
    world.manager.clearParticles();
    EXPECT_EQ(world.manager.getParticleCount(), 0u);
    EXPECT_EQ(world.manager.getComplexParticleCount(), 0u);
    EXPECT_EQ(world.manager.getArchetypes().size(), 2u);
}

TEST(ParticleManager, PausedParticlesFreezeAndResume)
{
    ParticleWorld world;
    world.manager.addParticle(NewParticle(0.0f));
    world.manager.setPaused(true);
    world.engine.advance(10000);
    EXPECT_FLOAT_EQ(world.manager.getParticles()[0]->getBody().getPosition().x, 0.0f);
    world.manager.setPaused(false);
    world.engine.advance(10000);
    EXPECT_FLOAT_EQ(world.manager.getParticles()[0]->getBody().getPosition().x, 0.01f);
}

TEST(ParticleManager, NullManagerStoresNothing)
{
    ParticleManagerNull* null = ParticleManagerNull::instance();
    EXPECT_TRUE(null->isNull());
    EXPECT_FALSE(null->addParticle(NewParticle(0.0f)));
    EXPECT_FALSE(null->addComplexParticle(NewComplex()));
    EXPECT_FALSE(null->canAddParticle());
    EXPECT_FALSE(null->canAddComplexParticle());
    EXPECT_EQ(null->getParticleCount(), 0u);
    EXPECT_EQ(null->createEmitter("Dash"), ParticleEmitterNull::instance());
    EXPECT_TRUE(null->getArchetypes().empty());
    EXPECT_EQ(null->nextEmitterId(), 0u);
    EXPECT_EQ(null->nextEmitterId(), 0u);
}

TEST(ParticleManager, InitializeAndShutdownAreLogged)
{
    test::ConsoleCapture console;
    {
        ParticleWorld world(R"([{"Name": "Spark"}])");
    }
    EXPECT_EQ(console.out(), "ParticleManager : initialize\nParticleManager : shutdown\n");
}

TEST(ParticleManager, RenderBeforeInitializeIsHarmless)
{
    ParticleManager manager;
    manager.render();
    EXPECT_EQ(manager.getParticleCount(), 0u);
    EXPECT_EQ(manager.getComplexParticleCount(), 0u);
}
