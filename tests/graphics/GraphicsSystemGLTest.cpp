#include "graphics/GraphicsSystem.h"
#include "graphics/Mesh.h"
#include "graphics/RenderContext.h"
#include "support/TestSupport.h"

#include "RenderRig.h"

#include <GL/glew.h>
#include <gtest/gtest.h>

namespace
{
struct DrawnRecord
{
    float z;
    std::string context;
};

// Records what the blended pass hands it instead of drawing.
class RecordingMesh : public Mesh
{
public:
    explicit RecordingMesh(std::vector<DrawnRecord>& drawn) : drawn(drawn) {}
    void draw(const DrawData& record, bool allowDefer) override
    {
        EXPECT_FALSE(allowDefer);
        drawn.push_back({record.transform.getPosition().z, record.graphics->getContextName()});
    }

private:
    std::vector<DrawnRecord>& drawn;
};

// Counts the context switches the blended pass makes.
class CountingGraphics : public GraphicsSystem
{
public:
    void setContext(const std::string& name) override
    {
        ++switches;
        GraphicsSystem::setContext(name);
    }
    using GraphicsSystem::setContext;
    int switches = 0;
};

BlendedDraw Queued(GraphicsSystem& graphics, Mesh* mesh, float z, const std::string& context)
{
    DrawData record = graphics.getDrawData();
    record.graphics = &graphics;
    record.transform.setPosition(0.0f, 0.0f, z);
    record.contextName = context;
    return BlendedDraw(mesh, record);
}

glm::mat4 ReadMatrix(const char* name)
{
    GLint program = 0;
    glGetIntegerv(GL_CURRENT_PROGRAM, &program);
    glm::mat4 matrix(0.0f);
    glGetUniformfv(static_cast<GLuint>(program), glGetUniformLocation(static_cast<GLuint>(program), name),
                   &matrix[0][0]);
    return matrix;
}
}

TEST(GraphicsSystemGL, RenderAlternatesBetweenOpaqueSetUpAndTheBlendedPass)
{
    test::RenderRig rig;
    ASSERT_TRUE(rig.gl.ok());
    rig.startGraphics();
    glClearColor(0.3f, 0.3f, 0.3f, 0.3f);
    glEnable(GL_BLEND);

    rig.graphics.render();
    EXPECT_TRUE(glIsEnabled(GL_DEPTH_TEST));
    EXPECT_FALSE(glIsEnabled(GL_BLEND));
    GLfloat clear[4] = {};
    glGetFloatv(GL_COLOR_CLEAR_VALUE, clear);
    EXPECT_EQ(std::vector<float>(clear, clear + 4), (std::vector<float>{0.0f, 0.0f, 0.0f, 1.0f}));
    EXPECT_TRUE(rig.graphics.isBlendedPassNext());
    EXPECT_TRUE(rig.debug.getRenderTimes().empty());

    rig.graphics.render();
    EXPECT_TRUE(glIsEnabled(GL_BLEND));
    EXPECT_TRUE(glIsEnabled(GL_DEPTH_TEST));
    GLint source = 0;
    GLint destination = 0;
    glGetIntegerv(GL_BLEND_SRC_RGB, &source);
    glGetIntegerv(GL_BLEND_DST_RGB, &destination);
    EXPECT_EQ(source, GL_SRC_ALPHA);
    EXPECT_EQ(destination, GL_ONE_MINUS_SRC_ALPHA);
    EXPECT_FALSE(rig.graphics.isBlendedPassNext());
    // Reported even for an empty queue.
    EXPECT_EQ(rig.debug.getRenderTimes().count(GraphicsSystem::kBlendedTimingName), 1u);

    rig.graphics.render();
    EXPECT_FALSE(glIsEnabled(GL_BLEND));
    EXPECT_TRUE(rig.graphics.isBlendedPassNext());
}

TEST(GraphicsSystemGL, ContextsAreBuiltOnceFromEveryProgram)
{
    test::RenderRig rig;
    ASSERT_TRUE(rig.gl.ok());
    rig.startGraphics();
    EXPECT_TRUE(rig.graphics.isInitialized());
    EXPECT_EQ(rig.graphics.getContext("WorldShader")->getProgram(), rig.shaders.getProgram("WorldShader"));
    EXPECT_EQ(rig.graphics.getContext("UIShader")->getName(), "UIShader");
    RenderContext* before = rig.graphics.getContext("WorldShader");

    test::ConsoleCapture console;
    rig.graphics.initialize();
    EXPECT_EQ(console.out(), "");
    EXPECT_EQ(rig.graphics.getContext("WorldShader"), before);
}

// Registered twice, the system is shut down twice: the first call frees the contexts, the
// second finds nothing, and a later initialize builds them again.
TEST(GraphicsSystemGL, ShutdownFreesTheContextsOnceAndInitializeRebuildsThem)
{
    test::RenderRig rig;
    ASSERT_TRUE(rig.gl.ok());
    rig.startGraphics();
    rig.graphics.setContext("WorldShader");

    test::ConsoleCapture console;
    rig.graphics.shutdown();
    rig.graphics.shutdown();
    EXPECT_EQ(test::SplitLines(console.out()).size(), 2u);
    EXPECT_FALSE(rig.graphics.isInitialized());
    EXPECT_TRUE(rig.graphics.getContextName().empty());
    EXPECT_EQ(rig.graphics.getContext("WorldShader"), RenderContextNull::instance());

    rig.graphics.initialize();
    EXPECT_EQ(rig.graphics.getContext("WorldShader")->getProgram(), rig.shaders.getProgram("WorldShader"));
}

TEST(GraphicsSystemGL, SetContextUploadsTheStoredCameraSizedToTheWindow)
{
    test::RenderRig rig;
    ASSERT_TRUE(rig.gl.ok());
    rig.startGraphics();
    const Camera first = test::PerspectiveAt({0.0f, 0.0f, 10.0f});
    rig.graphics.setContext("WorldShader");
    rig.graphics.setCamera(first);
    rig.graphics.setContext("WorldShader");
    EXPECT_EQ(rig.graphics.getContextName(), "WorldShader");

    Camera expected = first;
    expected.setSize(test::RenderRig::kWidth, test::RenderRig::kHeight);
    EXPECT_EQ(ReadMatrix("projection"), expected.getProjection());
    EXPECT_EQ(ReadMatrix("view"), expected.getView());
    EXPECT_EQ(rig.graphics.getCamera().getSize(), glm::vec2(test::RenderRig::kWidth, test::RenderRig::kHeight));

    // The camera handed over with the context is stored after the upload: it shows at the
    // next switch to that context.
    const Camera second = test::PerspectiveAt({5.0f, 0.0f, 10.0f});
    rig.graphics.setContext("WorldShader", second);
    EXPECT_EQ(ReadMatrix("view"), expected.getView());
    EXPECT_EQ(rig.graphics.getCamera("WorldShader").getPosition(), second.getPosition());
    rig.graphics.setContext("WorldShader");
    EXPECT_EQ(ReadMatrix("view")[3][0], -5.0f);

    rig.graphics.setContext("Missing");
    EXPECT_TRUE(rig.graphics.getContextName().empty());
    EXPECT_EQ(rig.graphics.getCamera().getProjectionMode(), ProjectionMode::Screen);
}

TEST(GraphicsSystemGL, TheBlendedPassDrawsFarthestFirstAndSwitchesContextsOnlyWhenNeeded)
{
    test::RenderRig rig;
    ASSERT_TRUE(rig.gl.ok());
    CountingGraphics graphics;
    graphics.setName(GraphicsSystem::kName);
    rig.shaders.buildPrograms(ShaderManager::kShaderFolder);
    graphics.initialize();
    std::vector<DrawnRecord> drawn;
    RecordingMesh mesh(drawn);

    graphics.setContext("WorldShader", test::PerspectiveAt({0.0f, 0.0f, 0.0f}));
    graphics.addBlendedDraw(Queued(graphics, &mesh, 5.0f, "UIShader"));
    graphics.addBlendedDraw(Queued(graphics, &mesh, 9.0f, "WorldShader"));
    graphics.addBlendedDraw(Queued(graphics, &mesh, -7.0f, "WorldShader"));
    EXPECT_EQ(graphics.getBlendedQueueSize(), 3u);
    graphics.switches = 0;

    graphics.render(); // opaque set-up
    graphics.render(); // blended pass
    ASSERT_EQ(drawn.size(), 3u);
    EXPECT_EQ(drawn[0].z, 9.0f);
    EXPECT_EQ(drawn[1].z, -7.0f);
    EXPECT_EQ(drawn[2].z, 5.0f);
    EXPECT_EQ(drawn[0].context, "WorldShader");
    EXPECT_EQ(drawn[2].context, "UIShader");
    // Already in "WorldShader" for the first two; one switch to "UIShader".
    EXPECT_EQ(graphics.switches, 1);
    EXPECT_EQ(graphics.getBlendedQueueSize(), 0u);
}

TEST(GraphicsSystemGL, ADrawQueuedAfterThePassWaitsForTheNextFrame)
{
    test::RenderRig rig;
    ASSERT_TRUE(rig.gl.ok());
    rig.startGraphics();
    std::vector<DrawnRecord> drawn;
    RecordingMesh mesh(drawn);
    rig.graphics.setContext("UIShader");
    rig.graphics.render();
    rig.graphics.render();
    rig.graphics.addBlendedDraw(Queued(rig.graphics, &mesh, 1.0f, "UIShader"));
    EXPECT_TRUE(drawn.empty());
    rig.graphics.render();
    rig.graphics.render();
    EXPECT_EQ(drawn.size(), 1u);
}
