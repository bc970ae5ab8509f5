#include "graphics/BlendedDraw.h"
#include "graphics/BlendedQueue.h"
#include "graphics/DrawData.h"
#include "graphics/GraphicsSystem.h"
#include "graphics/Mesh.h"
#include "graphics/RenderContext.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>


namespace
{
DrawData CullingRecord()
{
    DrawData record;
    record.frustumCulling = 1;
    record.viewTopLeft = {-10.0f, 10.0f, 0.0f};
    record.viewBottomRight = {10.0f, -10.0f, 0.0f};
    record.viewDepth = 0.0f;
    return record;
}

BlendedDraw QueuedAt(float z, const std::string& context)
{
    DrawData record = GraphicsSystemNull::instance()->getDrawData();
    record.transform.setPosition(0.0f, 0.0f, z);
    record.contextName = context;
    return BlendedDraw(MeshNull::instance(), record);
}
}

TEST(DrawData, DefaultsAndTheTranslucencyRule)
{
    DrawData record;
    EXPECT_EQ(record.graphics, nullptr);
    EXPECT_EQ(record.texture, Texture());
    EXPECT_EQ(record.blendColor, glm::vec4(1.0f));
    EXPECT_EQ(record.drawColor, glm::vec4(0.0f));
    EXPECT_EQ(record.textureUVDimension, glm::vec2(1.0f));
    EXPECT_EQ(record.spriteTextureRatio, glm::vec2(1.0f));
    EXPECT_EQ(record.sliceType, 0u);
    EXPECT_TRUE(record.contextName.empty());
    EXPECT_FALSE(record.isTranslucent());

    record.blendColor.a = 0.95f;
    EXPECT_TRUE(record.isTranslucent());
    record.blendColor.a = 0.96f;
    record.texture.kind = TextureKind::Opaque;
    EXPECT_FALSE(record.isTranslucent());
    record.texture.kind = TextureKind::Blended;
    EXPECT_TRUE(record.isTranslucent());
}

TEST(DrawData, CullingMarginsGrowWithDepthThreeTimesFasterSideways)
{
    const DrawData record = CullingRecord();
    const glm::vec3 unit(1.0f);
    EXPECT_FALSE(record.isOutsideView({10.4f, 0.0f, 0.0f}, unit));
    EXPECT_TRUE(record.isOutsideView({10.6f, 0.0f, 0.0f}, unit));
    EXPECT_TRUE(record.isOutsideView({-10.6f, 0.0f, 0.0f}, unit));
    EXPECT_TRUE(record.isOutsideView({0.0f, 10.6f, 0.0f}, unit));
    EXPECT_TRUE(record.isOutsideView({0.0f, -10.6f, 0.0f}, unit));
    // One unit of depth difference widens the rectangle by 3 sideways, by 1 vertically.
    EXPECT_FALSE(record.isOutsideView({13.4f, 0.0f, 1.0f}, unit));
    EXPECT_TRUE(record.isOutsideView({13.6f, 0.0f, -1.0f}, unit));
    EXPECT_FALSE(record.isOutsideView({0.0f, 11.4f, 1.0f}, unit));
    EXPECT_TRUE(record.isOutsideView({0.0f, 11.6f, 1.0f}, unit));
    // A large object reaches in from outside.
    EXPECT_FALSE(record.isOutsideView({14.0f, 0.0f, 0.0f}, {9.0f, 1.0f, 1.0f}));
}

TEST(DrawData, ViewRectangleIsTheVisibleAreaWidenedByAQuarterEachSide)
{
    DrawData record;
    record.setViewRectangle({-8.0f, 4.5f, 2.0f}, {8.0f, -4.5f, 2.0f});
    EXPECT_EQ(record.viewTopLeft, glm::vec3(-12.0f, 6.75f, 2.0f));
    EXPECT_EQ(record.viewBottomRight, glm::vec3(12.0f, -6.75f, 2.0f));
    // One and a half times as wide and as high, centred on the visible area.
    EXPECT_FLOAT_EQ(record.viewBottomRight.x - record.viewTopLeft.x, 1.5f * 16.0f);
    EXPECT_FLOAT_EQ(record.viewTopLeft.y - record.viewBottomRight.y, 1.5f * 9.0f);
}

TEST(DrawData, NullRecordsPointAtASystemThatCanBeCalled)
{
    const DrawData fromNullSystem = GraphicsSystemNull::instance()->getDrawData();
    ASSERT_NE(fromNullSystem.graphics, nullptr);
    EXPECT_TRUE(fromNullSystem.graphics->isNull());
    EXPECT_EQ(fromNullSystem.blendColor, glm::vec4(1.0f));
    const float value = 1.0f;
    fromNullSystem.graphics->setUniform("blendColor", 1, &value);
    EXPECT_TRUE(fromNullSystem.graphics->getContextName().empty());

    const DrawData fromNullContext = RenderContextNull::instance()->getDrawData();
    EXPECT_EQ(fromNullContext.graphics, GraphicsSystem::getInstance());
    EXPECT_EQ(fromNullContext.drawColor, glm::vec4(0.0f));
    EXPECT_EQ(fromNullContext.blendColor, glm::vec4(1.0f));
    EXPECT_TRUE(RenderContextNull::instance()->getUniformNames().empty());
    EXPECT_EQ(RenderContextNull::instance()->getProgram(), 0u);
}

TEST(BlendedDraw, DepthIsTheDistanceFromTheCameraAndTheQueueGivesTheFarthestFirst)
{
    const BlendedDraw near = QueuedAt(5.0f, "WorldShader");
    EXPECT_FLOAT_EQ(near.getDepth(), 5.0f);
    EXPECT_EQ(near.getContextName(), "WorldShader");
    EXPECT_EQ(near.getMesh(), MeshNull::instance());

    BlendedQueue queue;
    for (float z : {5.0f, 9.0f, -7.0f, 1.0f})
        queue.push(QueuedAt(z, "WorldShader"));
    EXPECT_EQ(queue.size(), 4u);
    std::vector<float> order;
    queue.drain([&order, &queue](BlendedDraw& record) {
        order.push_back(record.getDepth());
        // A record queued while draining is drawn in the same pass, in depth order.
        if (record.getDepth() == 7.0f)
            queue.push(QueuedAt(3.0f, "UIShader"));
    });
    EXPECT_TRUE(queue.empty());
    EXPECT_EQ(order, (std::vector<float>{9.0f, 7.0f, 5.0f, 3.0f, 1.0f}));
}

TEST(GraphicsSystem, StartsWithTheNullContextAndTheOpaquePass)
{
    GraphicsSystem graphics;
    EXPECT_FALSE(graphics.isInitialized());
    EXPECT_FALSE(graphics.isBlendedPassNext());
    EXPECT_TRUE(graphics.getContextName().empty());
    EXPECT_EQ(graphics.getDrawData().blendColor, glm::vec4(1.0f));
    graphics.addBlendedDraw(QueuedAt(3.0f, "UIShader"));
    EXPECT_EQ(graphics.getBlendedQueueSize(), 1u);

    GraphicsSystemNull::instance()->addBlendedDraw(QueuedAt(3.0f, "UIShader"));
    EXPECT_EQ(GraphicsSystemNull::instance()->getBlendedQueueSize(), 0u);
}

TEST(GraphicsSystem, UnknownContextNamesLogAndFallBack)
{
    GraphicsSystem graphics;
    test::ConsoleCapture console;
    graphics.setContext("Nowhere");
    const Camera camera = graphics.getCamera("Nowhere");
    graphics.setFrustumCulling("Nowhere", true);
    const std::string errors = console.err();

    EXPECT_TRUE(graphics.getContextName().empty());
    EXPECT_EQ(camera.getProjectionMode(), ProjectionMode::Screen);
    EXPECT_NE(errors.find("ERR: setContext(), Nowhere not found."), std::string::npos);
    EXPECT_NE(errors.find("ERR: getCamera() in context \"Nowhere\" not found."), std::string::npos);
    EXPECT_NE(errors.find("ERR: setFrustumCulling() in context \"Nowhere\" not found."), std::string::npos);
}

TEST(GraphicsSystem, InitializeWithoutAShaderManagerWaitsForTheNextCall)
{
    GraphicsSystem graphics;
    test::ConsoleCapture console;
    graphics.initialize();
    EXPECT_FALSE(graphics.isInitialized());
    EXPECT_NE(console.err().find("Error: ShaderManager must be initialized before GraphicsSystem."),
              std::string::npos);
}
