#include "particles/ComplexParticle.h"
#include "particles/Particle.h"
#include "particles/ParticleEmitter.h"
#include "particles/ParticleTestWorld.h"
#include "engine/TimeHelpers.h"

#include <gtest/gtest.h>

#include <cmath>
#include <memory>

namespace
{
using test::ParticleWorld;

std::unique_ptr<ParticleEmitter> BoxEmitter()
{
    auto emitter = std::make_unique<ParticleEmitter>();
    emitter->setPosition({2.0f, 3.0f, 7.0f});
    emitter->setVelocity({0.1f, 0.2f, 0.9f});
    emitter->setVelocityDeviationX(0.05f);
    emitter->setVelocityDeviationY(0.02f);
    emitter->setColor({0.5f, 0.4f, 0.3f, 1.0f});
    emitter->setColorDeviation({0.1f, 0.1f, 0.1f, 0.0f});
    emitter->setParticleLifespan(500);
    emitter->setParticleLifespanDeviation(100);
    emitter->setBaseParticleScale({0.2f, 0.3f, 0.5f});
    emitter->setParticleScaleDeviation({0.05f, 0.05f, 0.05f});
    emitter->setSpawnRangeX(-1.0f, 1.0f);
    emitter->setSpawnRangeY(-0.5f, 0.5f);
    emitter->setPositionOffset({0.5f, 1.0f, 0.25f});
    emitter->setNumParticles(2);
    emitter->setNumComplexParticles(1);
    return emitter;
}

// Bursts replay bit for bit from their seed, so the drawn values are compared exactly. Only
// circle positions get a hair of room: they go through the library's sine and cosine.
void ExpectBody(const ParticleBody& body, glm::vec2 velocity, glm::vec4 color, int64_t lifespan, glm::vec2 scale,
                glm::vec3 position, float positionTolerance = 0.0f)
{
    EXPECT_EQ(body.getVelocity().x, velocity.x);
    EXPECT_EQ(body.getVelocity().y, velocity.y);
    EXPECT_EQ(body.getVelocity().z, 0.0f);
    for (int channel = 0; channel < 4; ++channel)
        EXPECT_EQ(body.getColor()[channel], color[channel]) << "channel " << channel;
    EXPECT_EQ(body.getLifespan(), lifespan);
    EXPECT_EQ(body.getScale().x, scale.x);
    EXPECT_EQ(body.getScale().y, scale.y);
    EXPECT_EQ(body.getScale().z, 1.0f);
    EXPECT_NEAR(body.getPosition().x, position.x, positionTolerance);
    EXPECT_NEAR(body.getPosition().y, position.y, positionTolerance);
    EXPECT_EQ(body.getPosition().z, position.z);
}
}

TEST(ParticleEmitter, ConstructorDefaultsWithAndWithoutAnEngine)
{
    ParticleEmitter bare;
    EXPECT_EQ(bare.getColor(), glm::vec4(0.0f));
    EXPECT_EQ(bare.getTextureName(), "");
    EXPECT_EQ(bare.getParticleLifespan(), 1000);
    EXPECT_TRUE(bare.isActive());
    EXPECT_TRUE(bare.getLoop());
    bare.setPosition({1.0f, 2.0f, 3.0f});
    EXPECT_EQ(bare.getPosition(), glm::vec3(0.0f)) << "no transform of its own without an engine";

    ParticleWorld world;
    ParticleEmitter live;
    EXPECT_EQ(live.getColor(), glm::vec4(1.0f, 0.0f, 0.0f, 1.0f));
    EXPECT_EQ(live.getTextureName(), "Null");
    EXPECT_EQ(live.getName(), "ParticleEmitter");
    EXPECT_EQ(live.getStartTime(), ParticleWorld::kStartMs);
    EXPECT_EQ(live.getLastBurstTime(), ParticleWorld::kStartMs);
    live.setPosition({1.0f, 2.0f, 3.0f});
    EXPECT_EQ(live.getPosition(), glm::vec3(1.0f, 2.0f, 3.0f));
}

TEST(ParticleEmitter, BurstDrawsEveryValueInItsFixedOrder)
{
    ParticleWorld world;
    auto emitter = BoxEmitter();
    emitter->update();

    // Seed = emitter id 0 + 100000 ms; the values follow from the draw order
    // velocity x, y; colour r, g, b, a; lifespan; scale x, y; u; offset x, y.
    const auto& plain = world.manager.getParticles();
    const auto& complex = world.manager.getComplexParticles();
    ASSERT_EQ(plain.size(), 2u);
    ASSERT_EQ(complex.size(), 1u);
    ExpectBody(plain[0]->getBody(), {0.078756087f, 0.21757789f}, {0.50164962f, 0.38713998f, 0.29960823f, 1.0f}, 557,
               {0.24452008f, 0.26224035f}, {2.0797148f, 3.7567191f, 0.25f});
    ExpectBody(plain[1]->getBody(), {0.052718453f, 0.20212324f}, {0.51339746f, 0.36157939f, 0.29368109f, 1.0f}, 498,
               {0.24274179f, 0.34117267f}, {2.7823272f, 3.7137632f, 0.25f});
    ExpectBody(complex[0]->getBody(), {0.090222001f, 0.20866904f}, {0.41743883f, 0.30703285f, 0.34118333f, 1.0f},
               487, {0.20763275f, 0.27212793f}, {3.1190703f, 4.4067655f, 0.25f});
    EXPECT_EQ(world.manager.nextEmitterId(), 1u) << "one burst uses one emitter id";
}

TEST(ParticleEmitter, CircleAndFirewallBurstKeepsTheDrawOrder)
{
    ParticleWorld world;
    auto emitter = BoxEmitter();
    emitter->setPosition({1.0f, 1.0f, 7.0f});
    emitter->setPositionOffset({0.5f, -0.25f, 0.5f});
    emitter->setSpawnType(1);
    emitter->setRadius(2.0f);
    emitter->setFlag("firewall", true);
    emitter->setLoopDelayDeviation(20);
    // Ids 0 to 2 go elsewhere: this burst is seeded with 3 + 100000.
    for (int id = 0; id < 3; ++id)
        world.manager.nextEmitterId();
    emitter->update();

    // Per particle: velocity x, y; colour r, g, b, a; lifespan; scale x, y; u (distance and
    // angle at once, no offset draws); the digit. Then the loop delay jitter.
    const auto& plain = world.manager.getParticles();
    const auto& complex = world.manager.getComplexParticles();
    ASSERT_EQ(plain.size(), 2u);
    ASSERT_EQ(complex.size(), 1u);
    ExpectBody(plain[0]->getBody(), {0.0803284422f, 0.181409851f}, {0.557031929f, 0.422999561f, 0.35686931f, 1.0f},
               427, {0.181220695f, 0.251794338f}, {2.84455013f, -0.554531217f, 0.5f}, 1e-6f);
    ExpectBody(plain[1]->getBody(), {0.12900202f, 0.204061136f}, {0.40109548f, 0.309810698f, 0.229850337f, 1.0f}, 505,
               {0.181193143f, 0.258040547f}, {1.82421052f, -0.985641241f, 0.5f}, 1e-6f);
    ExpectBody(complex[0]->getBody(), {0.132846326f, 0.21181488f},
               {0.401369482f, 0.325297475f, 0.346811116f, 1.0f}, 539, {0.176902473f, 0.311091661f},
               {2.64682817f, -0.702662587f, 0.5f}, 1e-6f);
    EXPECT_EQ(plain[0]->getBody().getTexture().id, 101u) << "TempOne";
    EXPECT_EQ(plain[1]->getBody().getTexture().id, 100u) << "TempZero";
    EXPECT_EQ(complex[0]->getBody().getTexture().id, 101u) << "TempOne";
    EXPECT_EQ(emitter->getLastBurstTime(), ParticleWorld::kStartMs + 17);
}

TEST(ParticleEmitter, BurstSizeWithAndWithoutDensity)
{
    ParticleWorld world;
    ParticleEmitter emitter;
    emitter.setNumParticles(3);
    EXPECT_EQ(emitter.burstCount(3), 3);
    emitter.update();
    EXPECT_EQ(world.manager.getParticleCount(), 3u);
    EXPECT_EQ(world.manager.getComplexParticleCount(), 0u);
    EXPECT_EQ(emitter.burstCount(0), 0);
    EXPECT_EQ(emitter.burstCount(-4), -4) << "a negative count spawns nothing";

    emitter.setUseDensity(true);
    emitter.setSpawnRangeX(-0.1f, 0.1f);
    emitter.setSpawnRangeY(-0.1f, 0.1f);
    EXPECT_EQ(emitter.burstCount(1), 1) << "a tiny area still gives one";
    emitter.setSpawnRangeX(-1.0f, 1.0f);
    emitter.setSpawnRangeY(-0.5f, 0.5f);
    EXPECT_EQ(emitter.burstCount(1), 2) << "area factor 2";
    EXPECT_EQ(emitter.burstCount(5), 10);
    emitter.setSpawnType(1);
    emitter.setRadius(1.5f);
    EXPECT_EQ(emitter.burstCount(4), 9) << "circle: radius squared";
    emitter.setNumParticles(0);
    emitter.setNumComplexParticles(4);
    emitter.update();
    EXPECT_EQ(world.manager.getParticleCount(), 3u);
    EXPECT_EQ(world.manager.getComplexParticleCount(), 9u);

    // Bursts far past the room left build only what fits; each firewall particle built asks for a texture.
    emitter.setUseDensity(false);
    emitter.setFlag(ParticleEmitter::kFirewallFlag, true);
    emitter.setNumParticles(50000);
    emitter.setNumComplexParticles(50000);
    emitter.update();
    EXPECT_EQ(world.textures.requested.size(), 2u * ParticleManager::kParticleLimit - 3u - 9u);
}

TEST(ParticleEmitter, LoopDelayTimesTheBursts)
{
    ParticleWorld world;
    ParticleEmitter everyStep;
    everyStep.setNumParticles(1);
    for (int step = 0; step < 3; ++step)
    {
        everyStep.update();
        world.advanceMs(10);
    }
    EXPECT_EQ(world.manager.getParticleCount(), 3u) << "loop delay 0 bursts every step";

    world.manager.clearParticles();
    auto delayed = std::unique_ptr<ParticleEmitter>(everyStep.clone());
    delayed->setLoopDelay(50);
    for (int step = 0; step <= 10; ++step)
    {
        delayed->update();
        world.advanceMs(10);
    }
    EXPECT_EQ(world.manager.getParticleCount(), 2u) << "bursts at 50 and 100 ms";

    ParticleEmitter ahead;
    ahead.setNumParticles(1);
    ahead.setLastBurstTime(GetTimeMs() + 5);
    world.manager.clearParticles();
    ahead.update();
    EXPECT_EQ(world.manager.getParticleCount(), 0u) << "a last burst in the future is not due yet";
}

TEST(ParticleEmitter, LoopDelayDeviationJittersTheNextBurst)
{
    ParticleWorld world;
    ParticleEmitter emitter;
    emitter.setNumParticles(1);
    emitter.setLoopDelayDeviation(20);
    for (int burst = 0; burst < 20; ++burst)
    {
        emitter.update();
        const int64_t offset = emitter.getLastBurstTime() - GetTimeMs();
        EXPECT_GE(offset, -20);
        EXPECT_LE(offset, 20);
        world.advanceMs(25);
    }
}

TEST(ParticleEmitter, ExpiryRules)
{
    ParticleWorld world;
    ParticleEmitter forever;
    ParticleEmitter minusOne;
    minusOne.setLifespan(-1);
    ParticleEmitter pinned;
    pinned.setLifespan(10);
    pinned.setNeverExpires(true);
    ParticleEmitter short500;
    short500.setLifespan(500);

    world.advanceMs(500);
    short500.update();
    EXPECT_TRUE(short500.isActive()) << "exactly 500 ms is not past the lifespan";
    world.advanceMs(1);
    for (ParticleEmitter* emitter : {&forever, &minusOne, &pinned, &short500})
        emitter->update();
    EXPECT_TRUE(forever.isActive());
    EXPECT_TRUE(minusOne.isActive());
    EXPECT_TRUE(pinned.isActive());
    EXPECT_FALSE(short500.isActive());

    // Switched back on at once, it has not aged while off: it expires again.
    short500.setActive(true);
    short500.update();
    EXPECT_FALSE(short500.isActive());
    // One inactive update restarts its lifespan.
    short500.update();
    short500.setActive(true);
    world.advanceMs(100);
    short500.update();
    EXPECT_TRUE(short500.isActive());
}

TEST(ParticleEmitter, InactiveEmitterNeitherBurstsNorAges)
{
    ParticleWorld world;
    ParticleEmitter emitter;
    emitter.setNumParticles(1);
    emitter.setLoopDelay(30);
    emitter.setActive(false);
    world.advanceMs(1000);
    emitter.update();
    EXPECT_EQ(emitter.getStartTime(), GetTimeMs());
    EXPECT_EQ(emitter.getLastBurstTime(), GetTimeMs());
    EXPECT_EQ(world.manager.getParticleCount(), 0u);

    emitter.setActive(true);
    emitter.update();
    EXPECT_EQ(world.manager.getParticleCount(), 0u) << "first burst one loop delay after switching on";
    world.advanceMs(30);
    emitter.update();
    EXPECT_EQ(world.manager.getParticleCount(), 1u);
}

TEST(ParticleEmitter, DeviationsAreClampedAtZero)
{
    ParticleWorld world;
    ParticleEmitter emitter;
    emitter.setNumParticles(200);
    emitter.setColor({0.1f, 0.1f, 0.1f, 0.1f});
    emitter.setColorDeviation({1.0f, 1.0f, 1.0f, 1.0f});
    emitter.setParticleLifespan(100);
    emitter.setParticleLifespanDeviation(200);
    emitter.setBaseParticleScale({0.1f, 0.1f, 0.0f});
    emitter.setParticleScaleDeviation({0.5f, 0.5f, 0.0f});
    emitter.update();

    int64_t shortest = 1000;
    int64_t longest = 0;
    for (const auto& particle : world.manager.getParticles())
    {
        const ParticleBody& body = particle->getBody();
        for (int channel = 0; channel < 4; ++channel)
            EXPECT_GE(body.getColor()[channel], 0.0f);
        EXPECT_GE(body.getScale().x, 0.0f);
        EXPECT_GE(body.getScale().y, 0.0f);
        shortest = std::min(shortest, body.getLifespan());
        longest = std::max(longest, body.getLifespan());
    }
    EXPECT_EQ(shortest, 0);
    EXPECT_LE(longest, 300);
    EXPECT_GT(longest, 250);
}

TEST(ParticleEmitter, HugeLifespansAndDeviationsDoNotOverflow)
{
    ParticleWorld world;
    ParticleEmitter emitter;
    emitter.setNumParticles(20);
    emitter.setParticleLifespan(INT64_MAX);
    emitter.setParticleLifespanDeviation(INT64_MIN);
    emitter.setLoopDelayDeviation(INT64_MAX);
    emitter.setLastBurstTime(INT64_MIN);
    emitter.update();
    ASSERT_EQ(world.manager.getParticleCount(), 20u);
    for (const auto& particle : world.manager.getParticles())
        EXPECT_GT(particle->getBody().getLifespan(), 0);

    emitter.setParticleLifespan(-1);
    emitter.setParticleLifespanDeviation(0);
    world.manager.clearParticles();
    emitter.setLastBurstTime(0);
    emitter.update();
    ASSERT_EQ(world.manager.getParticleCount(), 20u);
    EXPECT_EQ(world.manager.getParticles()[0]->getBody().getLifespan(), 0) << "negative lifespans become 0";
}

TEST(ParticleEmitter, FirewallParticlesShowEitherDigit)
{
    ParticleWorld world;
    ParticleEmitter emitter;
    emitter.setFlag("firewall", true);
    emitter.setNumParticles(400);
    emitter.update();
    int zeros = 0;
    int ones = 0;
    for (const auto& particle : world.manager.getParticles())
    {
        const uint32_t id = particle->getBody().getTexture().id;
        ASSERT_TRUE(id == 100 || id == 101);
        (id == 100 ? zeros : ones)++;
    }
    EXPECT_NEAR(zeros, 200, 50);
    EXPECT_NEAR(ones, 200, 50);
}

TEST(ParticleEmitter, CircleSpawnsOnASpiralFromTheCentre)
{
    ParticleWorld world;
    ParticleEmitter emitter;
    emitter.setSpawnType(1);
    emitter.setRadius(2.0f);
    emitter.setPosition({1.0f, 1.0f, 0.0f});
    emitter.setNumParticles(500);
    emitter.update();
    for (const auto& particle : world.manager.getParticles())
    {
        const glm::vec3 offset = particle->getBody().getPosition() - glm::vec3(1.0f, 1.0f, 0.0f);
        const float distance = std::hypot(offset.x, offset.y);
        ASSERT_LE(distance, 2.0f + 1e-5f);
        // The distance fixes u (distance = r * sqrt(u)) and u fixes the angle.
        const float u = (distance / 2.0f) * (distance / 2.0f);
        const float angle = static_cast<float>(u * 6.283185307179586);
        EXPECT_NEAR(offset.x, distance * std::cos(angle), 1e-3f);
        EXPECT_NEAR(offset.y, distance * std::sin(angle), 1e-3f);
    }
}

TEST(ParticleEmitter, CloneCopiesTheRecipeButNotTheTimers)
{
    ParticleWorld world;
    auto source = BoxEmitter();
    source->setArchetypeName("Spark");
    source->setFlag("converge", true);
    source->setConvergePoint({4.0f, 5.0f, 6.0f});
    source->setShowBounds(true);
    source->setLoopDelay(40);
    source->setTextureName("Spark");
    world.advanceMs(70);
    std::unique_ptr<ParticleEmitter> copy(source->clone());

    EXPECT_EQ(copy->getArchetypeName(), "Spark");
    EXPECT_EQ(copy->getPosition(), glm::vec3(2.0f, 3.0f, 7.0f));
    EXPECT_TRUE(copy->getFlag("converge"));
    EXPECT_EQ(copy->getConvergePoint(), glm::vec3(4.0f, 5.0f, 6.0f));
    EXPECT_EQ(copy->getSpawnRangeY(), glm::vec2(-0.5f, 0.5f));
    EXPECT_EQ(copy->getTextureName(), "Spark");
    EXPECT_FALSE(copy->getShowBounds());
    EXPECT_EQ(copy->getStartTime(), GetTimeMs());
    EXPECT_EQ(copy->getLastBurstTime(), GetTimeMs());

    copy->setPosition({9.0f, 9.0f, 9.0f});
    copy->setFlag("converge", false);
    EXPECT_EQ(source->getPosition(), glm::vec3(2.0f, 3.0f, 7.0f));
    EXPECT_TRUE(source->getFlag("converge"));
}

TEST(ParticleEmitter, ArchetypeNameKeepsWholeCharactersWithinSixtyThreeBytes)
{
    ParticleEmitter emitter;
    emitter.setArchetypeName(std::string(70, 'a'));
    EXPECT_EQ(emitter.getArchetypeName(), std::string(63, 'a'));

    // 62 ASCII bytes and then a two-byte character: the character would be cut in half.
    emitter.setArchetypeName(std::string(62, 'b') + "\xC3\xA9" + "z");
    EXPECT_EQ(emitter.getArchetypeName(), std::string(62, 'b'));

    emitter.setArchetypeName(std::string(61, 'c') + "\xC3\xA9" + "z");
    EXPECT_EQ(emitter.getArchetypeName(), std::string(61, 'c') + "\xC3\xA9");
}

TEST(ParticleEmitter, FlagsAndPrint)
{
    ParticleEmitter emitter;
    EXPECT_FALSE(emitter.getFlag("converge"));
    emitter.setFlag("converge", true);
    emitter.setFlag("converge", false);
    EXPECT_FALSE(emitter.getFlag("converge"));

    emitter.setArchetypeName("Dash");
    test::ConsoleCapture console;
    emitter.print();
    EXPECT_EQ(console.out(), "This is an emitter of type Dash.\n");
}

TEST(ParticleEmitter, NullEmitterDoesNothingAndClonesToItself)
{
    ParticleWorld world;
    ParticleEmitterNull* null = ParticleEmitterNull::instance();
    null->setActive(true);
    null->setNumParticles(5);
    null->update();
    EXPECT_FALSE(null->isActive());
    EXPECT_TRUE(null->isExpired());
    EXPECT_TRUE(null->isNull());
    EXPECT_EQ(null->clone(), null);
    EXPECT_EQ(null->getArchetypeName(), "ParticleEmitterNull");
    EXPECT_EQ(null->getName(), "ParticleEmitterNull");
    EXPECT_EQ(world.manager.getParticleCount(), 0u);
}
