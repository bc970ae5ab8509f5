#include "particles/ParticleEmitter.h"
#include "particles/ParticleTestWorld.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace
{
const std::string kEmitterFile = "assets/ParticleEmitter.json";
}

TEST(ParticleAssets, EveryEmitterTheGameNamesHasATextureAndAScale)
{
    test::ParticleWorld world(test::ReadText(kEmitterFile), "ParticleAssets");
    const auto archetypes = world.manager.getArchetypes();
    for (const char* name : {"PlayerDeath", "PImpact", "Dash", "Ptp", "Ptpe", "Pack", "PTrail", "TPBack", "Hazard",
                             "Firewall", "GoalSparks", "Checkpoit"})
    {
        SCOPED_TRACE(name);
        ASSERT_EQ(archetypes.count(name), 1u);
        const ParticleEmitter* emitter = archetypes.at(name);
        EXPECT_EQ(emitter->getArchetypeName(), name);
        EXPECT_TRUE(std::filesystem::exists("assets/textures/blended/" + emitter->getTextureName() + ".png"));
        EXPECT_GT(emitter->getBaseParticleScale().x, 0.0f);
        EXPECT_GT(emitter->getBaseParticleScale().y, 0.0f);
        EXPECT_GT(emitter->getNumParticles() + emitter->getNumComplexParticles(), 0);
    }
    EXPECT_TRUE(archetypes.at("Firewall")->getFlag("firewall"));
    EXPECT_TRUE(archetypes.at("Ptp")->getFlag("converge"));
    EXPECT_TRUE(std::filesystem::exists("assets/textures/blended/TempZero.png"));
    EXPECT_TRUE(std::filesystem::exists("assets/textures/blended/TempOne.png"));
}

TEST(ParticleAssets, ExportingTheShippedFileReproducesItExactly)
{
    const std::string shipped = test::ReadText(kEmitterFile);
    test::ParticleWorld world(shipped, "ParticleAssetsExport");
    ParticleEmitter emitter;
    emitter.exportToJson();
    EXPECT_EQ(test::ReadText(world.archetypePath), shipped);
}
