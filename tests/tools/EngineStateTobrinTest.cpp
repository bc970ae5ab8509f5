#include "tools/EngineStateTobrin.h"

#include "graphics/Camera.h"
#include "platform/GlfwInputDevice.h"
#include "tools/GuiTestSupport.h"
#include "tools/SandboxFixture.h"

#include <cmath>

namespace
{
const char* const kMoves[] = {EngineStateTobrin::kMoveRight, EngineStateTobrin::kMoveLeft,
                              EngineStateTobrin::kMoveUp, EngineStateTobrin::kMoveDown};

class TobrinTest : public test::SandboxFixture
{
protected:
    // The moves reach the input system's own instance, which outlives the test: it reads the
    // scripted device only while the test runs.
    TobrinTest()
    {
        own->setDevice(&device);
        own->bindKey(EngineStateTobrin::kMoveRight, 'D', OnHold);
        own->bindKey(EngineStateTobrin::kMoveLeft, 'A', OnHold);
        // As the binding file declares them; off, so that entering is what switches them on.
        for (const char* action : kMoves)
        {
            input.addAction(action);
            input.disableAction(action);
        }
        enter();
    }
    ~TobrinTest() override { own->setDevice(GlfwInputDevice::instance()); }

    void enter()
    {
        tobrin.load();
        tobrin.initialize();
    }

    Entity* player() const { return manager->getPlayer(); }

    EngineStateTobrin& tobrin = *EngineStateTobrin::instance();
    InputSystem* own = InputSystem::getInstance();
};
}

TEST_F(TobrinTest, EnteringBuildsAWeightlessPlayerABlockAndAGoal)
{
    ASSERT_EQ(manager->getEntityCount(), 3u);
    Entity* hero = player();
    EXPECT_FALSE(hero->getFlag("gravity"));
    EXPECT_EQ(bodyOf(hero)->getAirDrag(), glm::vec3(0.2f));
    EXPECT_EQ(transformOf(hero)->getPosition(), glm::vec3(-2.0f, 0.0f, -3.0f));
    EXPECT_EQ(transformOf(hero)->getScale(), glm::vec3(1.0f, 1.92f, 1.0f));
    const Entity* block = manager->findById(manager->getActiveIds()[1]);
    EXPECT_EQ(block->getComponents().size(), 5u);
    EXPECT_EQ(transformOf(const_cast<Entity*>(block))->getPosition(), glm::vec3(0.0f, 0.0f, -3.0f));
    EXPECT_EQ(entitiesWith("goal").size(), 1u);
    for (const char* action : kMoves)
        EXPECT_TRUE(input.isActionEnabled(action)) << action;
    EXPECT_EQ(tobrin.debugMenus.at(EngineStateTobrin::kMenuTitle).size(), 1u);
}

TEST_F(TobrinTest, OppositePushesInOneStepCancel)
{
    device.press('D');
    device.press('A');
    own->update();
    EXPECT_EQ(bodyOf(player())->getAcceleration(), glm::vec3(0.0f));
    device.release('A');
    own->update();
    EXPECT_FLOAT_EQ(bodyOf(player())->getAcceleration().x, 0.01f) << "the player's run force";
}

TEST_F(TobrinTest, ThePlayerIsPutBackAtTheFloorHeight)
{
    TransformComp* transform = transformOf(player());
    transform->setPosition(glm::vec3(1.0f, -4.5f, -3.0f));
    bodyOf(player())->setVelocity(glm::vec3(0.0f, -1.0f, 0.0f));
    tobrin.update();
    EXPECT_EQ(transform->getPosition(), glm::vec3(1.0f, -4.5f, 0.0f)) << "at the height too, z to 0";
    EXPECT_EQ(bodyOf(player())->getVelocity(), glm::vec3(0.0f, -1.0f, 0.0f));
    EXPECT_FLOAT_EQ(colliderOf(player())->getGroundFriction(), 0.2f);

    const glm::vec3 camera = EngineStateTobrin::sandboxCamera().getPosition();
    transform->setPosition(glm::vec3(1.0f, std::nanf(""), -3.0f));
    tobrin.update();
    EXPECT_TRUE(std::isnan(transform->getPosition().y)) << "not a number is left alone";
    EXPECT_EQ(EngineStateTobrin::sandboxCamera().getPosition(), camera) << "and not followed";
}

TEST_F(TobrinTest, TheCameraFollowsAndKeepsItsPlaceAcrossEntries)
{
    const glm::vec3 before = EngineStateTobrin::sandboxCamera().getPosition();
    tobrin.update();
    const glm::vec3 after = EngineStateTobrin::sandboxCamera().getPosition();
    EXPECT_NEAR(after.x - before.x, (-2.0f - before.x) * 0.1f, 1e-5f);
    EXPECT_EQ(EngineStateTobrin::sandboxCamera().getProjectionMode(), ProjectionMode::Orthographic);

    tobrin.shutdown();
    EXPECT_FALSE(input.isActionEnabled(EngineStateTobrin::kMoveRight));
    Entity* old = player();
    enter();
    EXPECT_NE(player(), old);
    EXPECT_EQ(manager->getEntityCount(), 3u);
    EXPECT_EQ(EngineStateTobrin::sandboxCamera().getPosition(), after);
    EXPECT_EQ(own->getCallbackCount(EngineStateTobrin::kMoveRight), 1u) << "registered once";
    EXPECT_EQ(input.getCallbackCount(EngineStateTobrin::kMoveRight), 0u) << "on the instance, not the registry's";
}

TEST_F(TobrinTest, WithTheOverlayHiddenNothingIsDrawnButTheChoiceIsKept)
{
    *tobrin.debugMenus.at(EngineStateTobrin::kMenuTitle).at(EngineStateTobrin::kDiagnosticsItem) = true;
    test::GuiContext context;
    context.frame([&] { tobrin.debugGui(); });
    EXPECT_FALSE(test::GuiContext::shown("##MainMenuBar"));
    EXPECT_FALSE(test::GuiContext::shown(DebugSystem::kDiagnosticsTitle));
    tobrin.update();
    EXPECT_TRUE(debug.isDiagnosticsShown());

    gui.setOverlayShown(true);
    context.frame([&] { tobrin.debugGui(); });
    EXPECT_TRUE(test::GuiContext::shown("##MainMenuBar"));
    EXPECT_TRUE(test::GuiContext::shown(DebugSystem::kDiagnosticsTitle));
    *tobrin.debugMenus.at(EngineStateTobrin::kMenuTitle).at(EngineStateTobrin::kDiagnosticsItem) = false;
}
