#include "tools/EngineStateMorvel.h"

#include "tools/GuiTestSupport.h"
#include "tools/SandboxFixture.h"
#include "world/TextureComp.h"

namespace
{
class MorvelTest : public test::SandboxFixture
{
protected:
    EngineStateMorvel& morvel = *EngineStateMorvel::instance();

    TransformComp* arcTransform() { return transformOf(EngineStateMorvel::testArc()); }

    void holdC(int steps)
    {
        device.press('C');
        for (int i = 0; i < steps; ++i)
            input.update();
        device.release('C');
        input.update();
    }
};
}

TEST_F(MorvelTest, HoldingCStretchesTheTestEntityAndVPutsItBack)
{
    morvel.initialize();
    ASSERT_FALSE(EngineStateMorvel::testArc()->isNull());
    const glm::vec3 start = arcTransform()->getPosition();

    press('V');
    EXPECT_EQ(arcTransform()->getPosition(), start) << "V before C changes nothing";

    holdC(3);
    EXPECT_EQ(arcTransform()->getPosition(), glm::vec3(2.0f, 2.0f, 0.0f));
    EXPECT_EQ(arcTransform()->getScale(), glm::vec3(3.0f, 321.0f, 1.0f));

    press('V');
    EXPECT_EQ(arcTransform()->getPosition(), start);
    EXPECT_EQ(arcTransform()->getScale(), glm::vec3(3.0f, 321.0f, 1.0f)) << "the scale stays stretched";
}

TEST_F(MorvelTest, EachEntryWorksOnItsOwnCloneWithoutAddingComponentsTwice)
{
    morvel.initialize();
    const uint32_t firstId = EngineStateMorvel::testArc()->getId();
    morvel.initialize();
    Entity* arc = EngineStateMorvel::testArc();
    EXPECT_NE(arc->getId(), firstId);
    EXPECT_EQ(manager->getEntityCount(), 3u) << "two level objects and one clone, nothing left over";
    int ownMeshes = 0;
    int ownTextures = 0;
    for (uint32_t id : manager->getActiveIds())
    {
        const Entity* entity = manager->findById(id);
        const auto* mesh = entity->getComponent<MeshComp>(MeshComp::kName, MeshCompNull::instance());
        const auto* texture = entity->getComponent<TextureComp>(TextureComp::kName, TextureCompNull::instance());
        EXPECT_FALSE(mesh->isNull() || texture->isNull()) << "every entity is drawable";
        ownMeshes += mesh->getMesh() == test::DrawnMesh();
        ownTextures += texture->getTexture().id == test::kDrawnTexture.id;
    }
    EXPECT_EQ(ownMeshes, 1) << "the level object that draws keeps its own mesh";
    EXPECT_EQ(ownTextures, 1) << "and its own texture";
    transformOf(arc)->setPosition(glm::vec3(7.0f, 7.0f, 7.0f));
    press('V');
    EXPECT_EQ(transformOf(arc)->getPosition(), EngineStateMorvel::testArcStart());
}

// C and V stay bound in every later state; once a scene load has deleted the test entity
// they must reach nothing, not a deleted entity.
TEST_F(MorvelTest, AfterTheTestEntityIsGoneTheKeysDoNothing)
{
    morvel.initialize();
    scenes->loadScene("Test Map");
    EXPECT_TRUE(EngineStateMorvel::testArc()->isNull());
    test::ConsoleCapture console;
    holdC(2);
    press('V');
    EXPECT_EQ(console.err(), "") << "no failed lookups either";
    for (uint32_t id : manager->getActiveIds())
        EXPECT_NE(transformOf(manager->findById(id))->getScale().y, 321.0f);
}

TEST_F(MorvelTest, MenuFlagsCarryOverAndDiagnosticsFollowsTheDebugSystem)
{
    debug.setDiagnosticsShown(true);
    morvel.initialize();
    ASSERT_EQ(morvel.debugMenus.size(), 1u);
    auto& items = morvel.debugMenus.at(EngineStateMorvel::kMenuTitle);
    ASSERT_EQ(items.size(), 3u);
    EXPECT_TRUE(*items.at(EngineStateMorvel::kDiagnosticsItem));
    EXPECT_TRUE(*items.at(EngineStateMorvel::kSceneChangerItem));
    EXPECT_TRUE(*items.at(EngineStateMorvel::kAudioManagerItem));

    *items.at(EngineStateMorvel::kSceneChangerItem) = false;
    *items.at(EngineStateMorvel::kDiagnosticsItem) = false;
    morvel.update();
    EXPECT_FALSE(debug.isDiagnosticsShown());
    debug.setDiagnosticsShown(true);
    morvel.initialize();
    auto& again = morvel.debugMenus.at(EngineStateMorvel::kMenuTitle);
    EXPECT_FALSE(*again.at(EngineStateMorvel::kSceneChangerItem)) << "kept off";
    EXPECT_TRUE(*again.at(EngineStateMorvel::kDiagnosticsItem)) << "read again";
    *again.at(EngineStateMorvel::kSceneChangerItem) = true;
}

// The menu bar does not wait for the overlay here, unlike the other sandboxes.
TEST_F(MorvelTest, DeveloperWindowsShowWithoutTheOverlay)
{
    morvel.initialize();
    test::GuiContext context;
    context.frame([&] { morvel.debugGui(); });
    EXPECT_TRUE(test::GuiContext::shown("##MainMenuBar"));
    EXPECT_TRUE(test::GuiContext::shown("Sound Manipulation"));
    EXPECT_TRUE(test::GuiContext::shown(SceneManager::kSceneChangerTitle));
    EXPECT_FALSE(test::GuiContext::shown(DebugSystem::kDiagnosticsTitle));
}
