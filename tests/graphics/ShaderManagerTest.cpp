#include "graphics/ShaderManager.h"
#include "graphics/TextureManager.h"
#include "support/TestSupport.h"

#include <GL/glew.h>
#include <gtest/gtest.h>

#include <stdexcept>

TEST(ShaderManager, StagesComeFromExactLowerCaseExtensions)
{
    EXPECT_EQ(ShaderStageForExtension("vert"), static_cast<uint32_t>(GL_VERTEX_SHADER));
    EXPECT_EQ(ShaderStageForExtension("frag"), static_cast<uint32_t>(GL_FRAGMENT_SHADER));
    EXPECT_EQ(ShaderStageForExtension("geom"), static_cast<uint32_t>(GL_GEOMETRY_SHADER));
    EXPECT_EQ(ShaderStageForExtension("comp"), static_cast<uint32_t>(GL_COMPUTE_SHADER));
    EXPECT_EQ(ShaderStageForExtension("VERT"), 0u);
    EXPECT_EQ(ShaderStageForExtension("glsl"), 0u);
}

TEST(ShaderManager, AFileWithAnUnknownExtensionStopsTheBuild)
{
    const std::string folder = test::ScratchFolder("ShaderUnknownExtension");
    test::WriteText(folder + "/Broken/main.VERT", "void main() {}");
    ShaderManager shaders;
    test::ConsoleCapture console;
    try
    {
        shaders.buildPrograms(folder);
        FAIL() << "expected std::invalid_argument";
    }
    catch (const std::invalid_argument& error)
    {
        EXPECT_STREQ(error.what(), "Unknown shader file extension.");
    }
    EXPECT_NE(console.err().find("main.VERT"), std::string::npos);
}

TEST(ShaderManager, AMissingFolderIsReportedAndBuildsNothing)
{
    ShaderManager shaders;
    test::ConsoleCapture console;
    shaders.buildPrograms("no/such/shaders");
    const std::string out = console.out();
    // The file system's own text, which names the folder.
    EXPECT_EQ(out.rfind("Exception: filesystem error: ", 0), 0u) << out;
    EXPECT_NE(out.find("[no/such/shaders]"), std::string::npos) << out;
    EXPECT_TRUE(shaders.getProgramNames().empty());
    EXPECT_EQ(shaders.getProgram("WorldShader"), 0u);
}

TEST(ShaderManager, NullObjectsAnswerNeutrally)
{
    EXPECT_EQ(ShaderManagerNull::instance()->getProgram("WorldShader"), 0u);
    EXPECT_TRUE(ShaderManagerNull::instance()->getProgramNames().empty());
    EXPECT_TRUE(ShaderManagerNull::instance()->isNull());

    EXPECT_EQ(TextureManagerNull::instance()->getTexture("NO_TEXTURE"), Texture::Null());
    EXPECT_TRUE(TextureManagerNull::instance()->getOpaqueTextureNames().empty());
    EXPECT_TRUE(TextureManagerNull::instance()->getBlendedTextureNames().empty());
}
