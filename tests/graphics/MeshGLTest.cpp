#include "graphics/GraphicsSystem.h"
#include "graphics/Mesh.h"
#include "graphics/MeshManager.h"
#include "support/TestSupport.h"

#include "RenderRig.h"

#include <GL/glew.h>
#include <gtest/gtest.h>

namespace
{
// Stands in for the graphics system a draw record points at: records uniform names and the
// values of the integer flags, and the records queued for the blended pass.
class RecordingGraphics : public GraphicsSystem
{
public:
    void setUniform(const std::string& name, int32_t count, const void* data) override
    {
        names.push_back(name);
        if (name == "useTexture" || name == "useBlending")
            flags[name] = *static_cast<const int32_t*>(data);
        GraphicsSystem::setUniform(name, count, data);
    }
    void addBlendedDraw(BlendedDraw draw) override { queued.push_back(draw); }

    std::vector<std::string> names;
    std::map<std::string, int32_t> flags;
    std::vector<BlendedDraw> queued;
};

class MeshDraw : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(rig.gl.ok());
        graphics.setName(GraphicsSystem::kName);
        rig.shaders.buildPrograms(ShaderManager::kShaderFolder);
        graphics.initialize();
        graphics.setContext("WorldShader");
        rig.meshes.loadFolder(MeshManager::kMeshFolder);
        quad = rig.meshes.getMesh("quad");
        record = graphics.getDrawData();
        record.graphics = &graphics;
        graphics.names.clear();
    }

    test::RenderRig rig;
    RecordingGraphics graphics;
    Mesh* quad = nullptr;
    DrawData record;
};
}

TEST(MeshManagerGL, LoadsTheGameMeshesByStem)
{
    test::RenderRig rig;
    ASSERT_TRUE(rig.gl.ok());
    test::ConsoleCapture console;
    rig.meshes.loadFolder(MeshManager::kMeshFolder);
    Mesh* quad = rig.meshes.getMesh("quad");
    EXPECT_FALSE(quad->isNull());
    EXPECT_EQ(quad->getFaceCount(), 2u);
    EXPECT_NE(quad->getVao(), 0u);
    EXPECT_TRUE(glIsVertexArray(quad->getVao()));
    EXPECT_FALSE(rig.meshes.getMesh("ring")->isNull());
    EXPECT_TRUE(rig.meshes.getMesh("cube")->isNull());
    EXPECT_EQ(rig.meshes.getMesh("cube")->getFaceCount(), 0u);
    EXPECT_NE(console.out().find("assets/meshes/quad.obj loaded with 6 vertices and 2 faces."), std::string::npos);
    // A missing name is reported once, however often it is looked up.
    EXPECT_EQ(test::CountOccurrences(console.err(), "Mesh, cube, searched for but not found!"), 1);
    EXPECT_TRUE(MeshManagerNull::instance()->getMesh("quad")->isNull());

    const uint32_t vao = quad->getVao();
    rig.meshes.shutdown();
    EXPECT_TRUE(rig.meshes.getMesh("quad")->isNull());
    EXPECT_FALSE(glIsVertexArray(vao));
}

TEST(MeshManagerGL, TheLaterFileOfAStemWins)
{
    test::RenderRig rig;
    ASSERT_TRUE(rig.gl.ok());
    const std::string folder = test::ScratchFolder("MeshStems");
    test::WriteText(folder + "/shape.obj", "v 0 0 0\nv 1 0 0\nv 0 1 0\nf 1 2 3\n");
    test::WriteText(folder + "/shape.tri", "v 0 0 0\nv 1 0 0\nv 1 1 0\nv 0 1 0\nf 1 2 3 4\n");
    test::ConsoleCapture console;
    rig.meshes.loadFolder(folder);
    EXPECT_EQ(rig.meshes.getMesh("shape")->getFaceCount(), 2u);
}

TEST(MeshGL, ReloadingReplacesTheBuffersAndAnUnloadedMeshRefusesToDraw)
{
    test::RenderRig rig;
    ASSERT_TRUE(rig.gl.ok());
    Mesh mesh;
    {
        test::ConsoleCapture console;
        mesh.draw(DrawData(), false);
        EXPECT_NE(console.err().find("Attempted to draw mesh without loading it first!"), std::string::npos);
    }
    test::ConsoleCapture console;
    mesh.loadObj("assets/meshes/quad.obj");
    const uint32_t first = mesh.getVao();
    mesh.loadObj("assets/meshes/ring.obj");
    EXPECT_FALSE(glIsVertexArray(first));
    EXPECT_EQ(mesh.getVertices().size(), mesh.getFaceCount() * 3u);
}

TEST_F(MeshDraw, TranslucentRecordsAreQueuedWithTheCurrentContextName)
{
    record.blendColor.a = 0.95f;
    quad->draw(record, true);
    ASSERT_EQ(graphics.queued.size(), 1u);
    EXPECT_EQ(graphics.queued[0].contextName, "WorldShader");
    EXPECT_EQ(graphics.queued[0].getMesh(), quad);
    EXPECT_TRUE(graphics.names.empty());

    record.blendColor.a = 1.0f;
    record.texture = {5, TextureKind::Blended, 8.0f, 8.0f};
    quad->draw(record, true);
    EXPECT_EQ(graphics.queued.size(), 2u);
}

TEST_F(MeshDraw, OpaqueRecordsAreDrawnAtOnceWithTheUniformsInOrder)
{
    record.blendColor.a = 0.96f;
    record.texture = {0, TextureKind::Opaque, 0.0f, 0.0f};
    quad->draw(record, true);
    EXPECT_TRUE(graphics.queued.empty());
    EXPECT_EQ(graphics.names, (std::vector<std::string>{"model", "useTexture", "useBlending", "blendColor", "drawColor",
                                                        "textureUVOffset", "textureUVDimension", "sliceType"}));
    EXPECT_EQ(graphics.flags["useBlending"], 0);
    EXPECT_EQ(graphics.flags["useTexture"], 0);
    GLint bound = -1;
    glGetIntegerv(GL_TEXTURE_BINDING_2D, &bound);
    EXPECT_EQ(bound, 0);
    EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
}

TEST_F(MeshDraw, ATranslucentRecordThatMayNotWaitIsDrawnBlended)
{
    record.texture = {0, TextureKind::Blended, 0.0f, 0.0f};
    quad->draw(record, false);
    EXPECT_TRUE(graphics.queued.empty());
    EXPECT_EQ(graphics.flags["useBlending"], 1);
}

TEST_F(MeshDraw, SlicingUniformsAreSetOnlyForSlicedDraws)
{
    record.sliceType = 2;
    quad->draw(record, true);
    ASSERT_EQ(graphics.names.size(), 11u);
    EXPECT_EQ(std::vector<std::string>(graphics.names.end() - 3, graphics.names.end()),
              (std::vector<std::string>{"texBorder", "spriteBorder", "spriteTextureRatio"}));
}

TEST_F(MeshDraw, CulledDrawsDoNothingAndOnlyTheValueOneCulls)
{
    record.viewTopLeft = {-10.0f, 10.0f, 0.0f};
    record.viewBottomRight = {10.0f, -10.0f, 0.0f};
    record.transform.setPosition(50.0f, 0.0f, 0.0f);
    record.blendColor.a = 0.5f;
    record.frustumCulling = 1;
    quad->draw(record, true);
    EXPECT_TRUE(graphics.names.empty());
    EXPECT_TRUE(graphics.queued.empty());

    record.frustumCulling = 2;
    quad->draw(record, true);
    EXPECT_EQ(graphics.queued.size(), 1u);
}
