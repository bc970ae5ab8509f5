#include "graphics/DrawData.h"
#include "graphics/GraphicsSystem.h"
#include "graphics/Mesh.h"
#include "graphics/MeshManager.h"
#include "particles/ComplexParticle.h"
#include "particles/Particle.h"
#include "particles/ParticleTestWorld.h"

#include <gtest/gtest.h>

#include <vector>

namespace
{
using test::ParticleWorld;

struct RecordingMesh : Mesh
{
    void draw(const DrawData& record, bool allowDefer) override
    {
        draws.push_back(record);
        deferred.push_back(allowDefer);
    }
    std::vector<DrawData> draws;
    std::vector<bool> deferred;
};

struct QuadOnlyMeshManager : MeshManager
{
    Mesh* getMesh(const std::string& name) override { return name == "quad" ? &quad : MeshManager::getMesh(name); }
    RecordingMesh quad;
};

struct UniformRecorder : GraphicsSystem
{
    void setUniform(const std::string& name, int32_t count, const void* data) override
    {
        names.push_back(name);
        counts.push_back(count);
        values.push_back(*static_cast<const glm::vec4*>(data));
    }
    std::vector<std::string> names;
    std::vector<int32_t> counts;
    std::vector<glm::vec4> values;
};

Particle MakeParticle(glm::vec3 position, glm::vec3 velocity, glm::vec3 acceleration = glm::vec3(0.0f),
                      int64_t lifespan = 1000, Particle::FlagMap flags = {}, glm::vec3 target = glm::vec3(0.0f))
{
    return Particle(lifespan, position, velocity, acceleration, {0.2f, 0.4f, 0.6f, 0.8f}, {0.5f, 0.25f, 1.0f},
                    Texture{5, TextureKind::Blended, 4.0f, 4.0f}, flags, target);
}

ComplexParticle MakeComplex(float alpha)
{
    return ComplexParticle(1000, {0.0f, 0.0f, 0.5f}, {0.01f, 0.0f, 0.0f}, glm::vec3(0.0f), {1.0f, 0.5f, 0.25f, alpha},
                           {1.0f, 1.0f, 1.0f}, Texture{9, TextureKind::Opaque, 2.0f, 2.0f}, {}, glm::vec3(0.0f));
}

Particle::FlagMap Converge()
{
    return {{"converge", true}};
}
}

TEST(Particle, MovesByVelocityPlusItsOwnAccelerationEachStep)
{
    ParticleWorld world;
    Particle particle = MakeParticle({1.0f, 2.0f, 0.3f}, {0.01f, 0.02f, 0.0f}, {0.001f, 0.0f, 0.0f});
    EXPECT_EQ(world.manager.getParticleCount(), 0u) << "only what an emitter hands over is the manager's";
    particle.update();
    EXPECT_FLOAT_EQ(particle.getBody().getVelocity().x, 0.011f);
    EXPECT_FLOAT_EQ(particle.getBody().getPosition().x, 1.011f);
    EXPECT_FLOAT_EQ(particle.getBody().getPosition().y, 2.02f);
    EXPECT_FLOAT_EQ(particle.getBody().getPosition().z, 0.3f);
    particle.update();
    EXPECT_FLOAT_EQ(particle.getBody().getPosition().x, 1.023f);
    EXPECT_FLOAT_EQ(particle.getBody().getPosition().y, 2.04f);

    Particle creeping = MakeParticle({0.0f, 0.0f, 0.0f}, {0.0003f, 0.0f, 0.0f});
    creeping.update();
    EXPECT_EQ(creeping.getBody().getPosition(), glm::vec3(0.0f)) << "speeds below 0.0005 are rounding noise";
}

TEST(Particle, ComplexParticleFadesToZero)
{
    ParticleWorld world;
    ComplexParticle particle = MakeComplex(1.0f);
    particle.update();
    EXPECT_FLOAT_EQ(particle.getBody().getColor().a, 0.98f);
    EXPECT_FLOAT_EQ(particle.getBody().getPosition().z, 0.5f) << "the sink speed is below the rest speed";
    for (int step = 2; step <= 148; ++step)
        particle.update();
    EXPECT_GT(particle.getBody().getColor().a, 0.05f);
    particle.update();
    EXPECT_EQ(particle.getBody().getColor().a, 0.0f) << "step 149 brings it to 0.05 or below";
}

TEST(Particle, DiesWhenItsLifespanHasPassed)
{
    ParticleWorld world;
    Particle instant = MakeParticle(glm::vec3(0.0f), glm::vec3(0.0f), glm::vec3(0.0f), 0);
    Particle endless = MakeParticle(glm::vec3(0.0f), glm::vec3(0.0f), glm::vec3(0.0f), -1);
    Particle second = MakeParticle(glm::vec3(0.0f), glm::vec3(0.0f), glm::vec3(0.0f), 1000);
    EXPECT_FALSE(instant.isDead());
    world.advanceMs(1);
    EXPECT_TRUE(instant.isDead());
    world.advanceMs(999);
    EXPECT_FALSE(second.isDead());
    world.advanceMs(1);
    EXPECT_TRUE(second.isDead());
    world.advanceMs(1000000000);
    EXPECT_FALSE(endless.isDead()) << "a negative lifespan never runs out";
}

TEST(Particle, ConvergingParticleFlyingStraightAtItsTargetCruises)
{
    ParticleWorld world;
    Particle particle = MakeParticle({0.0f, 0.0f, 0.0f}, {0.06f, 0.08f, 0.0f}, {0.01f, 0.01f, 0.0f}, 1000,
                                     Converge(), {3.0f, 4.0f, 1.5f});
    particle.update();
    const ParticleBody& body = particle.getBody();
    EXPECT_FLOAT_EQ(body.getVelocity().x, 0.6f / 7.5f);
    EXPECT_FLOAT_EQ(body.getVelocity().y, 0.8f / 7.5f);
    EXPECT_FLOAT_EQ(body.getVelocity().z, 1.5f / 7.5f);
    EXPECT_EQ(body.getAcceleration(), glm::vec3(0.0f));
    EXPECT_FLOAT_EQ(body.getPosition().x, 0.08f);
}

TEST(Particle, ConvergingParticleIsSteeredPerAxis)
{
    ParticleWorld world;
    // x: too slow towards the target ahead -> five per cent faster; y: the target is level and
    // the particle drifts up -> pushed down.
    Particle slow = MakeParticle(glm::vec3(0.0f), {0.5f, 0.1f, 0.0f}, glm::vec3(0.0f), 1000, Converge(),
                                 {1.0f, 0.0f, 0.0f});
    slow.update();
    EXPECT_FLOAT_EQ(slow.getBody().getVelocity().x, 0.525f);
    EXPECT_FLOAT_EQ(slow.getBody().getVelocity().y, 0.1f - 0.00016f);
    EXPECT_FLOAT_EQ(slow.getBody().getAcceleration().y, -0.00016f);

    // x: faster than the offset still to cover -> braked to three tenths.
    Particle fast = MakeParticle(glm::vec3(0.0f), {0.5f, 0.1f, 0.0f}, glm::vec3(0.0f), 1000, Converge(),
                                 {0.2f, 0.0f, 0.0f});
    fast.update();
    EXPECT_FLOAT_EQ(fast.getBody().getVelocity().x, 0.15f);

    // Target behind: moving away -> pushed back; moving towards it slowly -> sped up;
    // overshooting towards it -> braked.
    Particle away = MakeParticle(glm::vec3(0.0f), {0.2f, 0.1f, 0.0f}, glm::vec3(0.0f), 1000, Converge(),
                                 {-1.0f, 0.0f, 0.0f});
    away.update();
    EXPECT_FLOAT_EQ(away.getBody().getAcceleration().x, -0.00016f);
    Particle back = MakeParticle(glm::vec3(0.0f), {-0.5f, 0.1f, 0.0f}, glm::vec3(0.0f), 1000, Converge(),
                                 {-1.0f, 0.0f, 0.0f});
    back.update();
    EXPECT_FLOAT_EQ(back.getBody().getVelocity().x, -0.525f);
    Particle overshoot = MakeParticle(glm::vec3(0.0f), {-2.0f, 0.1f, 0.0f}, glm::vec3(0.0f), 1000, Converge(),
                                      {-1.0f, 0.0f, 0.0f});
    overshoot.update();
    EXPECT_FLOAT_EQ(overshoot.getBody().getVelocity().x, -0.6f);

    // Target ahead, moving away -> pushed towards it.
    Particle wrongWay = MakeParticle(glm::vec3(0.0f), {-0.2f, 0.1f, 0.0f}, glm::vec3(0.0f), 1000, Converge(),
                                     {1.0f, 0.0f, 0.0f});
    wrongWay.update();
    EXPECT_FLOAT_EQ(wrongWay.getBody().getAcceleration().x, 0.00016f);
}

TEST(Particle, StandingConvergingParticleIsPushedNotNaN)
{
    ParticleWorld world;
    Particle still = MakeParticle(glm::vec3(0.0f), glm::vec3(0.0f), glm::vec3(0.0f), 1000, Converge(),
                                  {1.0f, 1.0f, 0.0f});
    still.update();
    EXPECT_FLOAT_EQ(still.getBody().getAcceleration().x, 0.00016f);
    EXPECT_FLOAT_EQ(still.getBody().getAcceleration().y, 0.00016f);
    EXPECT_FALSE(std::isnan(still.getBody().getPosition().x));
}

TEST(Particle, ConvergingParticleDiesOnArrivalWhateverItsDepth)
{
    ParticleWorld world;
    Particle near = MakeParticle({0.95f, 2.05f, 0.0f}, glm::vec3(0.0f), glm::vec3(0.0f), 1000, Converge(),
                                 {1.0f, 2.0f, 50.0f});
    EXPECT_TRUE(near.isDead());
    Particle far = MakeParticle({0.85f, 2.0f, 0.0f}, glm::vec3(0.0f), glm::vec3(0.0f), 5, Converge(),
                                {1.0f, 2.0f, 0.0f});
    EXPECT_FALSE(far.isDead());
    world.advanceMs(6);
    EXPECT_TRUE(far.isDead()) << "never arriving, it still runs out of time";

    Particle plain = MakeParticle({1.0f, 2.0f, 0.0f}, glm::vec3(0.0f), glm::vec3(0.0f), 1000, {}, {1.0f, 2.0f, 0.0f});
    EXPECT_FALSE(plain.isDead()) << "only converging particles die on arrival";
    plain.setFlag("converge", true);
    EXPECT_TRUE(plain.isDead());
}

TEST(Particle, FlagsDefaultToFalseAndCanBeReplaced)
{
    ParticleWorld world;
    Particle particle = MakeParticle(glm::vec3(0.0f), glm::vec3(0.0f));
    EXPECT_FALSE(particle.getFlag("converge"));
    particle.setFlag("glow", true);
    EXPECT_TRUE(particle.getFlag("glow"));
    particle.setFlag("glow", false);
    EXPECT_FALSE(particle.getFlag("glow"));
}

TEST(Particle, PlainParticleDrawsThroughTheDrawColour)
{
    ParticleWorld world;
    QuadOnlyMeshManager meshes;
    meshes.setName(MeshManager::kName);
    world.engine.registerSystem(&meshes);
    UniformRecorder graphics;
    Particle particle = MakeParticle({1.0f, 2.0f, 3.0f}, glm::vec3(0.0f));

    DrawData record;
    record.graphics = &graphics;
    record.blendColor = glm::vec4(0.3f);
    particle.draw(record);

    ASSERT_EQ(meshes.quad.draws.size(), 1u);
    const DrawData& drawn = meshes.quad.draws[0];
    EXPECT_TRUE(meshes.quad.deferred[0]);
    EXPECT_EQ(drawn.texture.id, 5u);
    EXPECT_EQ(drawn.drawColor, glm::vec4(0.2f, 0.4f, 0.6f, 0.8f));
    EXPECT_EQ(drawn.blendColor, glm::vec4(0.3f)) << "left as the caller passed it";
    EXPECT_EQ(drawn.transform.getPosition(), glm::vec3(1.0f, 2.0f, 3.0f));
    EXPECT_EQ(drawn.transform.getScale(), glm::vec3(0.5f, 0.25f, 1.0f));
    EXPECT_EQ(graphics.names, (std::vector<std::string>{"blendColor", "drawColor"}));
    EXPECT_EQ(graphics.counts, (std::vector<int32_t>{1, 1}));
    EXPECT_EQ(graphics.values[0], glm::vec4(1.0f));
    EXPECT_EQ(graphics.values[1], glm::vec4(1.0f));

    DrawData bare;
    particle.draw(bare);
    EXPECT_EQ(meshes.quad.draws.size(), 2u) << "a record without a graphics system still draws";
}

TEST(Particle, ComplexParticleDrawsThroughTheBlendColourUntilInvisible)
{
    ParticleWorld world;
    QuadOnlyMeshManager meshes;
    meshes.setName(MeshManager::kName);
    world.engine.registerSystem(&meshes);

    ComplexParticle visible = MakeComplex(0.5f);
    ComplexParticle faint = MakeComplex(0.01f);
    DrawData record;
    visible.draw(record);
    faint.draw(record);

    ASSERT_EQ(meshes.quad.draws.size(), 1u) << "alpha 0.01 is not drawn";
    EXPECT_EQ(meshes.quad.draws[0].blendColor, glm::vec4(1.0f, 0.5f, 0.25f, 0.5f));
    EXPECT_EQ(meshes.quad.draws[0].texture.id, 9u);
    EXPECT_TRUE(meshes.quad.deferred[0]);
}

TEST(Particle, NullParticlesDoNothing)
{
    ParticleNull* plain = ParticleNull::instance();
    ComplexParticleNull* complex = ComplexParticleNull::instance();
    plain->setFlag("converge", true);
    plain->update();
    EXPECT_FALSE(plain->getFlag("converge"));
    EXPECT_FALSE(plain->isDead());
    EXPECT_TRUE(plain->isNull());
    EXPECT_FALSE(complex->isDead());
    EXPECT_TRUE(complex->isNull());
}
