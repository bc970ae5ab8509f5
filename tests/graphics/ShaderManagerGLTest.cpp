#include "graphics/ShaderManager.h"
#include "support/GLContext.h"
#include "support/TestSupport.h"

#include <GL/glew.h>
#include <gtest/gtest.h>

#include <filesystem>

namespace
{
const char* kVertex = "#version 330 core\nlayout(location = 0) in vec3 p;\nvoid main() { gl_Position = vec4(p, 1.0); }\n";
const char* kFragment = "#version 330 core\nout vec4 c;\nvoid main() { c = vec4(1.0); }\n";

bool Linked(uint32_t program)
{
    GLint status = GL_FALSE;
    glGetProgramiv(program, GL_LINK_STATUS, &status);
    return status == GL_TRUE;
}
}

TEST(ShaderManagerGL, TheGameShadersCompileAndLink)
{
    test::GLContext gl;
    ASSERT_TRUE(gl.ok());
    ShaderManager shaders;
    test::ConsoleCapture console;
    shaders.buildPrograms(ShaderManager::kShaderFolder);

    EXPECT_EQ(shaders.getProgramNames(), (std::vector<std::string>{"UIShader", "WorldShader"}));
    for (const std::string& name : shaders.getProgramNames())
    {
        EXPECT_NE(shaders.getProgram(name), 0u) << name;
        EXPECT_TRUE(Linked(shaders.getProgram(name))) << name;
    }
    const std::string out = console.out();
    EXPECT_NE(out.find("LoadAndCompileShader : Shader 'shaders/WorldShader/World.frag' compiled successfully. "),
              std::string::npos);
    EXPECT_NE(out.find("LinkShaderProgram : Program linked successfully. "), std::string::npos);
    EXPECT_EQ(console.err().find("ERROR! : "), std::string::npos) << console.err();
}

TEST(ShaderManagerGL, EveryFolderIsAProgramEvenWhenItFailsAndNamesAreSorted)
{
    test::GLContext gl;
    ASSERT_TRUE(gl.ok());
    const std::string folder = test::ScratchFolder("ShaderFolders");
    test::WriteText(folder + "/Zeta/main.vert", kVertex);
    test::WriteText(folder + "/Zeta/main.frag", kFragment);
    test::WriteText(folder + "/Mid/main.vert", kVertex);
    test::WriteText(folder + "/Mid/main.frag", "#version 330 core\nvoid main() { this is not glsl }\n");
    std::filesystem::create_directories(folder + "/Alpha");

    ShaderManager shaders;
    test::ConsoleCapture console;
    shaders.buildPrograms(folder);
    const std::string errors = console.err();

    EXPECT_EQ(shaders.getProgramNames(), (std::vector<std::string>{"Alpha", "Mid", "Zeta"}));
    EXPECT_TRUE(Linked(shaders.getProgram("Zeta")));
    EXPECT_NE(shaders.getProgram("Alpha"), 0u);
    EXPECT_FALSE(Linked(shaders.getProgram("Alpha")));
    EXPECT_NE(shaders.getProgram("Mid"), 0u);
    EXPECT_FALSE(Linked(shaders.getProgram("Mid")));
    EXPECT_NE(errors.find("Shader '" + folder + "/Mid/main.frag' failed to compile: "), std::string::npos);
    EXPECT_NE(errors.find("Program failed to link: "), std::string::npos);
    EXPECT_EQ(shaders.getProgram("Omega"), 0u);
    // The failed link names its program, and a folder without stages says which are missing.
    EXPECT_NE(errors.find("Shader program 'Mid' in [" + folder + "/Mid] failed to link."), std::string::npos) << errors;
    EXPECT_NE(errors.find("Shader program 'Alpha' in [" + folder + "/Alpha] has no vertex stage"), std::string::npos);
    EXPECT_NE(errors.find("Shader program 'Alpha' in [" + folder + "/Alpha] has no fragment stage"), std::string::npos);
    EXPECT_EQ(errors.find("'Zeta'"), std::string::npos) << errors;
}

// A world program whose "World.frag" is missing links on many drivers and then draws
// nothing; the log says what is missing.
TEST(ShaderManagerGL, AProgramFolderWithoutItsFragmentStageSaysSo)
{
    test::GLContext gl;
    ASSERT_TRUE(gl.ok());
    const std::string folder = test::ScratchFolder("ShaderMissingStage");
    test::WriteText(folder + "/WorldShader/World.vert", kVertex);
    ShaderManager shaders;
    test::ConsoleCapture console;
    shaders.buildPrograms(folder);
    const std::string errors = console.err();
    EXPECT_NE(errors.find("Shader program 'WorldShader' in [" + folder +
                          "/WorldShader] has no fragment stage (a .frag file)."),
              std::string::npos)
        << errors;
    EXPECT_EQ(errors.find("vertex stage"), std::string::npos);
}

TEST(ShaderManagerGL, LinkingDetachesAndDeletesTheShaders)
{
    test::GLContext gl;
    ASSERT_TRUE(gl.ok());
    const std::string folder = test::ScratchFolder("ShaderLink");
    test::WriteText(folder + "/main.vert", kVertex);
    test::WriteText(folder + "/main.frag", kFragment);
    const uint32_t vertex = glCreateShader(GL_VERTEX_SHADER);
    const uint32_t fragment = glCreateShader(GL_FRAGMENT_SHADER);
    EXPECT_TRUE(LoadAndCompileShader(vertex, folder + "/main.vert"));
    EXPECT_TRUE(LoadAndCompileShader(fragment, folder + "/main.frag"));
    const uint32_t program = glCreateProgram();
    EXPECT_TRUE(LinkShaderProgram(program, {vertex, fragment}));

    GLint attached = -1;
    glGetProgramiv(program, GL_ATTACHED_SHADERS, &attached);
    EXPECT_EQ(attached, 0);
    EXPECT_FALSE(glIsShader(vertex));
    EXPECT_FALSE(glIsShader(fragment));
}
