#include "graphics/Picking.h"
#include "graphics/RenderContext.h"
#include "graphics/ShaderManager.h"
#include "support/GLContext.h"
#include "support/TestSupport.h"

#include "RenderRig.h"

#include <GL/glew.h>
#include <gtest/gtest.h>

#include <stdexcept>

namespace
{
// Declared out of name order, so locations and the table order differ; every uniform is
// used so the compiler keeps it.
const char* kAllTypesFragment = R"(#version 330 core
out vec4 colour;
uniform mat4 m4;
uniform vec2 v2;
uniform int i;
uniform bool b;
uniform mat2 m2;
uniform float f;
uniform uint u;
uniform vec3 v3;
uniform mat3 m3;
uniform vec4 v4;
uniform sampler2D s;
void main()
{
    float sum = m4[3][2] + v2.y + float(i) + (b ? 1.0 : 0.0) + m2[1][0] + f + float(u) + v3.z + m3[2][1] + v4.w;
    colour = vec4(sum) + texture(s, v2);
}
)";
const char* kVertex = "#version 330 core\nlayout(location = 0) in vec3 p;\nvoid main() { gl_Position = vec4(p, 1.0); }\n";

uint32_t BuildProgram(const std::string& folder, const std::string& fragment)
{
    test::WriteText(folder + "/p.vert", kVertex);
    test::WriteText(folder + "/p.frag", fragment);
    const uint32_t vertexShader = glCreateShader(GL_VERTEX_SHADER);
    const uint32_t fragmentShader = glCreateShader(GL_FRAGMENT_SHADER);
    LoadAndCompileShader(vertexShader, folder + "/p.vert");
    LoadAndCompileShader(fragmentShader, folder + "/p.frag");
    const uint32_t program = glCreateProgram();
    LinkShaderProgram(program, {vertexShader, fragmentShader});
    return program;
}

std::vector<float> ReadFloats(uint32_t program, const char* name, size_t count)
{
    std::vector<float> values(count);
    glGetUniformfv(program, glGetUniformLocation(program, name), values.data());
    return values;
}
}

TEST(RenderContextGL, TheTableHoldsEveryActiveUniformWithItsTypeAndItsRealLocation)
{
    test::GLContext gl;
    ASSERT_TRUE(gl.ok());
    const uint32_t program = BuildProgram(test::ScratchFolder("UniformTable"), kAllTypesFragment);
    RenderContext context(program);

    EXPECT_EQ(context.getUniformNames(),
              (std::vector<std::string>{"b", "f", "i", "m2", "m3", "m4", "s", "u", "v2", "v3", "v4"}));
    EXPECT_EQ(context.getUniformInfo("m4").type, static_cast<uint32_t>(GL_FLOAT_MAT4));
    EXPECT_EQ(context.getUniformInfo("b").type, static_cast<uint32_t>(GL_BOOL));
    EXPECT_EQ(context.getUniformInfo("u").type, static_cast<uint32_t>(GL_UNSIGNED_INT));
    EXPECT_EQ(context.getUniformInfo("s").type, static_cast<uint32_t>(GL_SAMPLER_2D));
    for (const std::string& name : context.getUniformNames())
        EXPECT_EQ(context.getUniformInfo(name).location, glGetUniformLocation(program, name.c_str())) << name;
    EXPECT_EQ(context.getUniformInfo("absent").location, -1);
}

TEST(RenderContextGL, SetUniformUploadsThroughTheCallOfEachType)
{
    test::GLContext gl;
    ASSERT_TRUE(gl.ok());
    const uint32_t program = BuildProgram(test::ScratchFolder("UniformUpload"), kAllTypesFragment);
    RenderContext context(program);
    glUseProgram(program);

    const int32_t i = -7;
    const int32_t b = 1;
    const uint32_t u = 42;
    const float f = 2.5f;
    const glm::vec2 v2(1.0f, 2.0f);
    const glm::vec3 v3(3.0f, 4.0f, 5.0f);
    const glm::vec4 v4(6.0f, 7.0f, 8.0f, 9.0f);
    glm::mat2 m2(1.0f);
    m2[1][0] = 0.25f;
    glm::mat3 m3(1.0f);
    m3[2][1] = 0.5f;
    glm::mat4 m4(1.0f);
    m4[3][2] = 0.75f;
    context.setUniform("i", 1, &i);
    context.setUniform("b", 1, &b);
    context.setUniform("u", 1, &u);
    context.setUniform("f", 1, &f);
    context.setUniform("v2", 1, &v2[0]);
    context.setUniform("v3", 1, &v3[0]);
    context.setUniform("v4", 1, &v4[0]);
    context.setUniform("m2", 1, &m2[0][0]);
    context.setUniform("m3", 1, &m3[0][0]);
    context.setUniform("m4", 1, &m4[0][0]);
    context.setUniform("not there", 1, &f);
    EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));

    GLint readInt = 0;
    glGetUniformiv(program, glGetUniformLocation(program, "i"), &readInt);
    EXPECT_EQ(readInt, -7);
    glGetUniformiv(program, glGetUniformLocation(program, "b"), &readInt);
    EXPECT_EQ(readInt, 1);
    GLuint readUnsigned = 0;
    glGetUniformuiv(program, glGetUniformLocation(program, "u"), &readUnsigned);
    EXPECT_EQ(readUnsigned, 42u);
    EXPECT_EQ(ReadFloats(program, "f", 1), (std::vector<float>{2.5f}));
    EXPECT_EQ(ReadFloats(program, "v2", 2), (std::vector<float>{1.0f, 2.0f}));
    EXPECT_EQ(ReadFloats(program, "v3", 3), (std::vector<float>{3.0f, 4.0f, 5.0f}));
    EXPECT_EQ(ReadFloats(program, "v4", 4), (std::vector<float>{6.0f, 7.0f, 8.0f, 9.0f}));
    EXPECT_EQ(ReadFloats(program, "m2", 4)[2], 0.25f);
    EXPECT_EQ(ReadFloats(program, "m3", 9)[7], 0.5f);
    EXPECT_EQ(ReadFloats(program, "m4", 16)[14], 0.75f);

    try
    {
        context.setUniform("s", 1, &i);
        FAIL() << "a sampler has no upload call";
    }
    catch (const std::invalid_argument& error)
    {
        EXPECT_STREQ(error.what(), "Set unknown uniform type: 35678. Check if case has been added in RenderContext!");
    }
}

TEST(RenderContextGL, AProgramWithoutUniformsHasAnEmptyTable)
{
    test::GLContext gl;
    ASSERT_TRUE(gl.ok());
    const uint32_t program =
        BuildProgram(test::ScratchFolder("NoUniforms"), "#version 330 core\nout vec4 c;\nvoid main() { c = vec4(1.0); }\n");
    RenderContext context(program);
    EXPECT_TRUE(context.getUniformNames().empty());
    const float value = 1.0f;
    context.setUniform("anything", 1, &value);
    EXPECT_EQ(context.getProgram(), program);
    EXPECT_TRUE(context.getDrawData().contextName.empty());
}

TEST(RenderContextGL, CullingRectangleFollowsTheWorldCameraAndSurvivesFailedPicks)
{
    test::RenderRig rig;
    ASSERT_TRUE(rig.gl.ok());
    rig.startGraphics();
    Camera camera;
    camera.setProjectionMode(ProjectionMode::Perspective);
    camera.setPosition({2.0f, 1.0f, 10.0f});
    rig.graphics.setContext("WorldShader", camera);
    rig.graphics.setFrustumCulling(true);
    RenderContext* context = rig.graphics.getContext("WorldShader");

    const DrawData record = context->getDrawData();
    EXPECT_EQ(record.frustumCulling, 1u);
    EXPECT_EQ(record.graphics, &rig.graphics);
    glm::vec3 a(0.0f);
    glm::vec3 b(0.0f);
    Camera sized = rig.graphics.getCamera("WorldShader");
    const glm::vec2 window(test::RenderRig::kWidth, test::RenderRig::kHeight);
    ASSERT_TRUE(CastToPlane(sized, {1.0f, 1.0f}, window, glm::vec3(0.0f), false, &a));
    ASSERT_TRUE(CastToPlane(sized, window - glm::vec2(1.0f), window, glm::vec3(0.0f), false, &b));
    // 1.5 times the visible area at the player's depth, centred on it.
    EXPECT_NEAR(record.viewBottomRight.x - record.viewTopLeft.x, 1.5f * (b.x - a.x), 1e-3f);
    EXPECT_NEAR(record.viewTopLeft.y - record.viewBottomRight.y, 1.5f * (a.y - b.y), 1e-3f);
    EXPECT_NEAR((record.viewTopLeft.x + record.viewBottomRight.x) / 2.0f, 2.0f, 1e-3f);
    EXPECT_NEAR((record.viewTopLeft.y + record.viewBottomRight.y) / 2.0f, 1.0f, 1e-3f);
    EXPECT_EQ(record.viewDepth, 0.0f);

    // A camera at the player's depth cannot see the plane: the last rectangle stays.
    Camera flat = camera;
    flat.setPosition({50.0f, 50.0f, 0.0f});
    context->setCamera(flat);
    const DrawData kept = context->getDrawData();
    EXPECT_EQ(kept.viewTopLeft, record.viewTopLeft);
    EXPECT_EQ(kept.viewBottomRight, record.viewBottomRight);

    // Culling off: the switch is 0 and the rectangle is left as it was.
    rig.graphics.setFrustumCulling("WorldShader", false);
    const DrawData off = context->getDrawData();
    EXPECT_EQ(off.frustumCulling, 0u);
    EXPECT_EQ(off.viewTopLeft, record.viewTopLeft);
}
