#include "world/SceneManager.h"

#include "WorldFixture.h"
#include "engine/FileHelpers.h"
#include "support/TestSupport.h"
#include "tools/GuiTestSupport.h"

namespace
{
class ResettingController : public test::FakeController
{
public:
    void resetPlayer() override { ++resets; }
    int resets = 0;
};

class SceneChangerTest : public ::testing::Test
{
protected:
    SceneChangerTest()
    {
        engine.makeCurrent();
        controller.setName(PlayerControllerSystem::kName);
        scenes.setName(SceneManager::kName);
        engine.registerSystem(EntityManager::getInstance());
        engine.registerSystem(&controller);
        engine.registerSystem(&scenes);
        const std::string folder = test::ScratchFolder("scenes");
        test::WriteText(folder + "/Alpha.json", R"({"layers": []})");
        test::WriteText(folder + "/Beta.json", R"({"layers": []})");
        scenes.scanSceneFiles(folder + "/");
    }

    Engine engine{"T", 800, 600, 10000};
    ResettingController controller;
    SceneManager scenes;
    test::GuiContext gui;
};
}

TEST_F(SceneChangerTest, ChoosingASceneLoadsItAndResetsThePlayer)
{
    const auto draw = [&] { scenes.drawSceneChanger(); };
    EXPECT_NE(gui.text(draw).find("Current Loaded Scene = None"), std::string::npos);
    ASSERT_TRUE(gui.click(SceneManager::kSceneChangerTitle, {"Beta"}, draw));
    EXPECT_EQ(GetFileName(scenes.getCurrentScene()), "Beta.json");
    EXPECT_EQ(controller.resets, 1);
    const std::string text = gui.text(draw);
    EXPECT_NE(text.find("Current Loaded Scene = "), std::string::npos);
    EXPECT_NE(text.find("Beta.json"), std::string::npos) << text;
    EXPECT_LT(text.find("Alpha"), text.find("[ Beta ]")) << "buttons in name order: " << text;
}
