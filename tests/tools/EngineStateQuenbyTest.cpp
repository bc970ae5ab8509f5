#include "tools/EngineStateQuenby.h"

#include "tools/GuiTestSupport.h"
#include "tools/SandboxFixture.h"

namespace
{
class QuenbyTest : public test::SandboxFixture
{
protected:
    QuenbyTest() { quenby.initialize(); }

    EmitterListComp* listOf(Entity* entity)
    {
        return entity->getComponent<EmitterListComp>(EmitterListComp::kName, EmitterListCompNull::instance());
    }

    EngineStateQuenby& quenby = *EngineStateQuenby::instance();
};
}

TEST_F(QuenbyTest, AnEmitterEntityCarriesOneEndlessActiveEmitter)
{
    quenby.addEmitterEntity("Spark");
    const auto made = entitiesWith(EngineStateQuenby::kEmitterEntityFlag);
    ASSERT_EQ(made.size(), 1u);
    ParticleEmitter* emitter = listOf(made[0])->getEmitter("Spark");
    EXPECT_FALSE(emitter->isNull());
    EXPECT_TRUE(emitter->getNeverExpires());
    EXPECT_TRUE(emitter->isActive());
    EXPECT_FALSE(quenby.isAddRequested());
}

// The shared null emitter never lands in a list, and an emitter whose entity could not be
// made is deleted, not leaked.
TEST_F(QuenbyTest, FailedMakesStoreNothingAndLeakNothing)
{
    quenby.addEmitterEntity("NoSuchEmitter");
    const auto made = entitiesWith(EngineStateQuenby::kEmitterEntityFlag);
    ASSERT_EQ(made.size(), 1u);
    EXPECT_EQ(listOf(made[0])->count(), 0u);

    manager->shutdown();
    test::ConsoleCapture console;
    quenby.addEmitterEntity("Spark");
    EXPECT_EQ(test::gDeletedEmitters, 1) << "no entity to hold it";
    EXPECT_EQ(manager->getEntityCount(), 0u);
}

TEST_F(QuenbyTest, ClearsKeepWhatTheyShould)
{
    struct Case
    {
        const char* what;
        // Plain functions rather than member pointers: GCC's UBSan misreads a call through a
        // member pointer as an access to the wrong type.
        void (*clear)(EngineStateQuenby&);
        size_t emitterEntities;
        size_t others;
        int particleClears;
    };
    const Case cases[] = {
        {"Clear Emitters", [](EngineStateQuenby& state) { state.clearEmitters(); }, 0, 1, 1},
        {"Clear Entities", [](EngineStateQuenby& state) { state.clearEntities(); }, 2, 0, 0},
        {"Clear All", [](EngineStateQuenby& state) { state.clearAll(); }, 0, 0, 1}};
    for (const Case& c : cases)
    {
        quenby.clearAll();
        quenby.addEmitterEntity("Spark");
        quenby.addEmitterEntity("Spark");
        quenby.spawnArchetype(3);
        particles.clears = 0;
        c.clear(quenby);
        EXPECT_EQ(entitiesWith(EngineStateQuenby::kEmitterEntityFlag).size(), c.emitterEntities) << c.what;
        EXPECT_EQ(manager->getEntityCount() - c.emitterEntities, c.others) << c.what;
        EXPECT_EQ(particles.clears, c.particleClears) << c.what;
    }
}

TEST_F(QuenbyTest, SpawnedArchetypesStandAtTheOrigin)
{
    quenby.spawnArchetype(0);
    quenby.spawnArchetype(0);
    const auto players = entitiesWith("player");
    ASSERT_EQ(players.size(), 2u);
    for (Entity* player : players)
    {
        EXPECT_EQ(transformOf(player)->getPosition(), glm::vec3(0.0f, 0.0f, -0.1f));
        EXPECT_EQ(transformOf(player)->getScale(), glm::vec3(1.0f, 1.53f, 1.0f));
        EXPECT_FALSE(player->getFlag("dynamic"));
    }
    quenby.spawnArchetype(2);
    EXPECT_FALSE(entitiesWith("package").at(0)->getFlag("dynamic"));
    quenby.spawnArchetype(4);
    quenby.spawnArchetype(-1);
    EXPECT_EQ(manager->getEntityCount(), 3u) << "kinds outside 0 to 3 spawn nothing";
    EXPECT_FALSE(quenby.isSpawnRequested());
}

// Hovering an item of "New" chooses the archetype; the click only sets the request, which
// the next update carries out.
TEST_F(QuenbyTest, TheNewMenuRequestsAnEmitterEntityForTheNextUpdate)
{
    test::GuiContext gui;
    const auto draw = [&] { quenby.debugGui(); };
    constexpr const char* kWindow = EngineStateQuenby::kGeneratorTitle;
    ASSERT_TRUE(gui.click(kWindow, {"##menubar", "New"}, draw));
    ASSERT_TRUE(gui.click("##Menu_00", {"Spark"}, draw));
    EXPECT_EQ(quenby.getEmitterName(), "Spark");
    EXPECT_TRUE(quenby.isAddRequested());
    EXPECT_EQ(entitiesWith(EngineStateQuenby::kEmitterEntityFlag).size(), 0u);
    quenby.update();
    EXPECT_EQ(entitiesWith(EngineStateQuenby::kEmitterEntityFlag).size(), 1u);

    quenby.addEmitterEntity("Spark");
    quenby.spawnArchetype(1);
    gui.clickNowhere(draw);
    EXPECT_TRUE(gui.hover(kWindow, {"Emitter 1"}, draw));
    EXPECT_TRUE(gui.hover(kWindow, {"Emitter 2"}, draw));
    EXPECT_FALSE(gui.hover(kWindow, {"Emitter 3"}, draw)) << "the goal carries no header";
}

TEST_F(QuenbyTest, ReenteringResetsTheChoiceAndShowsTheGenerator)
{
    quenby.addEmitterEntity("Spark");
    *quenby.debugMenus.at(EngineStateQuenby::kMenuTitle).at("Particle Emitter Editor") = false;
    *quenby.debugMenus.at(EngineStateQuenby::kMenuTitle).at("IMGUI Demo") = true;
    debug.setDiagnosticsShown(true);
    quenby.shutdown();
    quenby.initialize();
    EXPECT_EQ(quenby.getEmitterName(), "null");
    EXPECT_EQ(manager->getEntityCount(), 0u);
    auto& items = quenby.debugMenus.at(EngineStateQuenby::kMenuTitle);
    EXPECT_TRUE(*items.at("Particle Emitter Editor"));
    EXPECT_TRUE(*items.at("IMGUI Demo")) << "kept";
    EXPECT_TRUE(*items.at("Diagnostics")) << "read from the debug system";
    *items.at("IMGUI Demo") = false;
}
