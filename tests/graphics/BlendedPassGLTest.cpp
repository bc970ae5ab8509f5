#include "graphics/BlendedDraw.h"
#include "graphics/GraphicsSystem.h"
#include "graphics/Mesh.h"
#include "graphics/RenderContext.h"
#include "support/TestSupport.h"

#include "RenderRig.h"

#include <gtest/gtest.h>

#include <vector>

namespace
{
// Keeps what Mesh::draw queues instead of queuing it.
class QueueKeepingGraphics : public GraphicsSystem
{
public:
    void addBlendedDraw(BlendedDraw draw) override { queued.push_back(draw); }
    std::vector<BlendedDraw> queued;
};
}

TEST(BlendedPassGL, TheCameraPositionIsTheCurrentCamerasWithoutACopy)
{
    test::RenderRig rig;
    ASSERT_TRUE(rig.gl.ok());
    rig.startGraphics();
    rig.graphics.setContext("WorldShader", test::PerspectiveAt({1.0f, 2.0f, 8.0f}));
    EXPECT_EQ(rig.graphics.getCameraPosition(), glm::vec3(1.0f, 2.0f, 8.0f));
    EXPECT_EQ(rig.graphics.getCameraPosition(), rig.graphics.getCamera().getPosition());

    test::ConsoleCapture console;
    rig.graphics.setContext("NoSuchShader");
    EXPECT_EQ(rig.graphics.getCameraPosition(), Camera().getPosition());
    EXPECT_EQ(RenderContextNull::instance()->getCameraPosition(), Camera().getPosition());
    EXPECT_EQ(GraphicsSystemNull::instance()->getCameraPosition(), Camera().getPosition());
}

TEST(BlendedPassGL, MeshDrawQueuesTheSameRecordAsTheGeneralConstructorBuilds)
{
    test::RenderRig rig;
    ASSERT_TRUE(rig.gl.ok());
    rig.shaders.buildPrograms(ShaderManager::kShaderFolder);
    rig.meshes.loadFolder(MeshManager::kMeshFolder);
    QueueKeepingGraphics graphics;
    graphics.setName(GraphicsSystem::kName);
    graphics.initialize();
    graphics.setContext("WorldShader", test::PerspectiveAt({1.0f, 2.0f, 8.0f}));
    Mesh* quad = rig.meshes.getMesh("quad");

    DrawData record = graphics.getDrawData();
    record.graphics = &graphics;
    record.transform.setPosition(3.0f, -1.0f, 0.5f);
    record.transform.setScale(2.0f, 3.0f, 1.0f);
    record.texture = {7, TextureKind::Blended, 16.0f, 16.0f};
    record.drawColor = {0.2f, 0.4f, 0.6f, 0.8f};
    record.sliceType = 2;
    quad->draw(record, true);
    ASSERT_EQ(graphics.queued.size(), 1u);
    const BlendedDraw& queued = graphics.queued[0];

    DrawData named = record;
    named.contextName = "WorldShader";
    const BlendedDraw general(quad, named);
    EXPECT_EQ(queued.getDepth(), general.getDepth());
    EXPECT_FLOAT_EQ(queued.getDepth(), glm::distance(glm::vec3(3.0f, -1.0f, 0.5f), glm::vec3(1.0f, 2.0f, 8.0f)));
    EXPECT_EQ(queued.getContextName(), "WorldShader");
    EXPECT_EQ(queued.graphics, &graphics);
    EXPECT_EQ(queued.getMesh(), quad);
    EXPECT_EQ(queued.transform.getPosition(), record.transform.getPosition());
    EXPECT_EQ(queued.transform.getScale(), record.transform.getScale());
    EXPECT_EQ(queued.texture, record.texture);
    EXPECT_EQ(queued.drawColor, record.drawColor);
    EXPECT_EQ(queued.sliceType, 2u);
}
