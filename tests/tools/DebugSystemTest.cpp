#include "tools/DebugSystem.h"

#include "engine/Engine.h"
#include "graphics/GraphicsSystem.h"
#include "graphics/Mesh.h"
#include "graphics/MeshManager.h"
#include "particles/EmitterListComp.h"
#include "particles/ParticleEmitter.h"
#include "tools/GuiTestSupport.h"
#include "tools/IMGUISystem.h"
#include "world/ColliderComp.h"
#include "world/Entity.h"
#include "world/EntityManager.h"
#include "world/TransformComp.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace
{
struct DrawRecord
{
    std::string mesh;
    glm::vec3 position;
    glm::vec3 scale;
    glm::vec4 color;
};

// Records every draw; its vertex array is 0, so the velocity bar (drawn straight through GL)
// is left out and the test runs without a GL context.
class RecordingMesh : public Mesh
{
public:
    RecordingMesh(std::string name, std::vector<DrawRecord>& log) : name(std::move(name)), log(log) {}
    void draw(const DrawData& record, bool) override
    {
        log.push_back({name, record.transform.getPosition(), record.transform.getScale(), record.drawColor});
    }

private:
    std::string name;
    std::vector<DrawRecord>& log;
};

class RecordingMeshes : public MeshManager
{
public:
    explicit RecordingMeshes(std::vector<DrawRecord>& log) : quad("quad", log), ring("ring", log) {}
    Mesh* getMesh(const std::string& name) override { return name == "ring" ? &ring : &quad; }

private:
    RecordingMesh quad;
    RecordingMesh ring;
};

class RecordingGraphics : public GraphicsSystem
{
public:
    void setContext(const std::string& name) override { contexts.push_back(name); }
    Camera getCamera() override { return camera; }
    void setCamera(const Camera& given) override
    {
        camera = given;
        ++cameraSets;
    }
    DrawData getDrawData() override
    {
        DrawData record;
        record.graphics = this;
        return record;
    }

    std::vector<std::string> contexts;
    Camera camera;
    int cameraSets = 0;
};

class DebugDrawingTest : public ::testing::Test
{
protected:
    DebugDrawingTest() : meshes(draws)
    {
        engine.makeCurrent();
        graphics.setName(GraphicsSystem::kName);
        meshes.setName(MeshManager::kName);
        gui.setName(IMGUISystem::kName);
        engine.registerSystem(&graphics);
        engine.registerSystem(&meshes);
        engine.registerSystem(entities);
        engine.registerSystem(&gui);
        debug.initialize();
        gui.setOverlayShown(true);
    }
    ~DebugDrawingTest() override { entities->clearActive(); }

    Entity* makeBox(glm::vec3 position, glm::vec3 scale, bool solid)
    {
        auto* entity = new Entity();
        auto* transform = new TransformComp();
        transform->setPosition(position);
        transform->setScale(scale);
        entity->addComponent(transform);
        auto* collider = new ColliderComp();
        collider->setSolid(solid);
        entity->addComponent(collider);
        return entity;
    }

    Engine engine{"T", 800, 600, 10000};
    std::vector<DrawRecord> draws;
    RecordingGraphics graphics;
    RecordingMeshes meshes;
    EntityManager* entities = EntityManager::getInstance();
    IMGUISystem gui;
    DebugSystem debug;
};
}

TEST_F(DebugDrawingTest, DeveloperViewOffDrawsNothingAndTouchesNothing)
{
    makeBox({0, 0, 0}, {1, 1, 1}, true);
    gui.setOverlayShown(false);
    debug.render();
    EXPECT_TRUE(draws.empty());
    EXPECT_TRUE(graphics.contexts.empty());
    EXPECT_EQ(graphics.cameraSets, 0);
    EXPECT_TRUE(debug.getEntityIds().empty());
}

TEST_F(DebugDrawingTest, NoEntityOnlyPreparesTheContext)
{
    debug.render();
    EXPECT_EQ(graphics.contexts, std::vector<std::string>{GraphicsSystem::kWorldContext});
    EXPECT_EQ(graphics.cameraSets, 1);
    EXPECT_EQ(graphics.camera.getSpeed(), 1.0f);
    EXPECT_TRUE(draws.empty());
}

TEST_F(DebugDrawingTest, ColliderBoxesTakeTheColourOfTheirSolidity)
{
    makeBox({2, 3, 0}, {1, 2, 1}, true);
    makeBox({0, 0, 0}, {1, 1, 1}, false);
    auto* plain = new Entity();
    plain->addComponent(new TransformComp());
    debug.render();
    ASSERT_EQ(draws.size(), 8u) << "four bars per collider, none for the entity without one";
    const glm::vec3 expected[] = {{2, 4, 1}, {2, 2, 1}, {2.5f, 3, 1}, {1.5f, 3, 1}};
    for (int i = 0; i < 4; ++i)
    {
        EXPECT_EQ(draws[i].mesh, "quad");
        EXPECT_EQ(draws[i].position, expected[i]);
        EXPECT_EQ(draws[i].color, glm::vec4(1.0f, 0.0f, 0.0f, 0.9f));
    }
    EXPECT_EQ(draws[0].scale, glm::vec3(1.0f, 0.03f, 1.0f));
    EXPECT_EQ(draws[2].scale, glm::vec3(0.03f, 2.0f, 1.0f));
    EXPECT_EQ(draws[4].color, glm::vec4(0.0f, 1.0f, 0.0f, 0.9f));
    EXPECT_EQ(debug.getEntityIds().size(), 3u);
}

TEST_F(DebugDrawingTest, EmittersShowingTheirBoundsDrawTheirSpawnArea)
{
    auto* entity = new Entity();
    auto* transform = new TransformComp();
    transform->setPosition(glm::vec3(1.0f, 1.0f, 0.0f));
    entity->addComponent(transform);
    auto* list = new EmitterListComp();
    auto* box = new ParticleEmitter();
    box->setSpawnRangeX(-1.0f, 3.0f);
    box->setSpawnRangeY(-2.0f, 2.0f);
    box->setShowBounds(true);
    auto* circle = new ParticleEmitter();
    circle->setSpawnType(1);
    circle->setRadius(0.5f);
    circle->setPositionOffset(glm::vec3(0.5f, 0.0f, 0.0f));
    circle->setShowBounds(true);
    auto* hidden = new ParticleEmitter();
    list->addEmitter("a", box);
    list->addEmitter("b", circle);
    list->addEmitter("c", hidden);
    entity->addComponent(list);

    debug.render();
    ASSERT_EQ(draws.size(), 5u);
    EXPECT_EQ(draws[0].position, glm::vec3(2.0f, 3.0f, 1.0f)) << "top of the 4 x 4 box centred at (2, 1)";
    EXPECT_EQ(draws[0].scale, glm::vec3(4.0f, 0.03f, 1.0f));
    EXPECT_EQ(draws[0].color, glm::vec4(0.5f, 0.5f, 0.0f, 1.0f));
    EXPECT_EQ(draws[4].mesh, "ring");
    EXPECT_EQ(draws[4].position, glm::vec3(1.5f, 1.0f, 1.0f));
    EXPECT_EQ(draws[4].scale, glm::vec3(1.0f, 1.0f, 1.0f));
}

TEST(DebugSystemGui, MenuItemsWriteThroughToTheStatesFlags)
{
    test::GuiContext gui;
    DebugSystem debug;
    bool diagnostics = false;
    DebugMenuMap menus{{"Show Windows", {{"Diagnostics", &diagnostics}}}, {"Empty", {}}};
    const auto draw = [&] { debug.drawMenuBar(menus); };

    gui.frame(draw);
    EXPECT_TRUE(test::GuiContext::shown("##MainMenuBar"));
    ASSERT_TRUE(gui.click("##MainMenuBar", {"##menubar", "Show Windows"}, draw));
    ASSERT_TRUE(test::GuiContext::shown("##Menu_00")) << "the menu opened";
    ASSERT_TRUE(gui.click("##Menu_00", {"Diagnostics"}, draw));
    EXPECT_TRUE(diagnostics) << "the click landed in the state's own flag";

    DebugMenuMap none;
    gui.frame([&] { debug.drawMenuBar(none); });
    EXPECT_TRUE(test::GuiContext::shown("##MainMenuBar")) << "an empty map still draws the bar";
}

// The timing tables hold 64-bit microseconds; a value past 32 bits must print whole.
TEST(DebugSystemGui, DiagnosticsListsEveryTimingInNameOrder)
{
    test::GuiContext gui;
    DebugSystem debug;
    debug.recordUpdateTime("EntityManager", 10);
    debug.recordUpdateTime("EntityManager", 5000000000LL);
    debug.recordUpdateTime("AnimationManager", 42);
    debug.recordRenderTime("GraphicsSystem - Blended Draw", 77);

    gui.frame([&] { debug.drawDiagnostics(); });
    EXPECT_TRUE(test::GuiContext::shown(DebugSystem::kDiagnosticsTitle));
    EXPECT_EQ(gui.text([&] { debug.drawDiagnostics(); }).find("us/update"), std::string::npos)
        << "the headers start closed";
    test::GuiContext::openTree(DebugSystem::kDiagnosticsTitle, {DebugSystem::kUpdateHeader});
    test::GuiContext::openTree(DebugSystem::kDiagnosticsTitle, {DebugSystem::kRenderHeader});
    const std::string text = gui.text([&] { debug.drawDiagnostics(); });
    const size_t animation = text.find("AnimationManager : 42 us/update");
    const size_t entity = text.find("EntityManager : 5000000000 us/update");
    ASSERT_NE(animation, std::string::npos) << text;
    ASSERT_NE(entity, std::string::npos) << text;
    EXPECT_LT(animation, entity);
    EXPECT_NE(text.find("GraphicsSystem - Blended Draw : 77 us/render"), std::string::npos) << text;
}
