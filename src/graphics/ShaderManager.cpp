#include "graphics/ShaderManager.h"

#include "engine/FileHelpers.h"
#include "engine/SystemSingleton.h"
#include "engine/TraceLog.h"
#include "graphics/AssetFolder.h"

#include <GL/glew.h>

#include <algorithm>
#include <stdexcept>

namespace
{
ShaderManager* gShaderManager = nullptr;

// Shaders and programs keep their logs alike; only the two GL entry points differ.
std::string InfoLog(GLuint object, PFNGLGETSHADERIVPROC getParameter, PFNGLGETSHADERINFOLOGPROC getLog)
{
    GLint length = 0;
    getParameter(object, GL_INFO_LOG_LENGTH, &length);
    std::string log(static_cast<size_t>(length) + 1, '\0');
    getLog(object, length + 1, nullptr, log.data());
    return log.c_str();
}

bool HasStage(const std::vector<uint32_t>& stages, uint32_t stage)
{
    return std::find(stages.begin(), stages.end(), stage) != stages.end();
}

// A drawing program without one of its two stages may still link, and then draws nothing
// or garbage without a word; a compute program needs neither.
void ReportMissingStages(const std::string& name, const std::string& folder, const std::vector<uint32_t>& stages)
{
    if (HasStage(stages, GL_COMPUTE_SHADER))
        return;
    const std::pair<uint32_t, const char*> needed[] = {
        {GL_VERTEX_SHADER, "vertex stage (a .vert file)"},
        {GL_FRAGMENT_SHADER, "fragment stage (a .frag file)"},
    };
    for (const auto& [stage, what] : needed)
        if (!HasStage(stages, stage))
            Log()->error("Shader program '" + name + "' in [" + folder + "] has no " + what + ".");
}
}

ShaderManager* ShaderManager::getInstance()
{
    return GetSystemSingleton(gShaderManager, kName);
}

ShaderManagerNull* ShaderManagerNull::instance()
{
    static ShaderManagerNull null;
    return &null;
}

void ShaderManager::initialize()
{
    buildPrograms(kShaderFolder);
    Log()->message(kName, "initialize");
}

void ShaderManager::update() {}

void ShaderManager::render() {}

// Programs live until the GL context ends with the process.
void ShaderManager::shutdown()
{
    Log()->message(kName, "shutdown");
}

uint32_t ShaderManager::getProgram(const std::string& name)
{
    const auto found = programs.find(name);
    return found == programs.end() ? 0 : found->second;
}

std::vector<std::string> ShaderManager::getProgramNames()
{
    std::vector<std::string> names;
    for (const auto& [name, program] : programs)
        names.push_back(name);
    return names;
}

void ShaderManager::buildPrograms(const std::string& folder)
{
    for (const std::string& programFolder : ListAssetFolder(folder, true, false))
    {
        const std::string name = GetFileName(programFolder);
        std::vector<uint32_t> stages;
        std::vector<uint32_t> shaders;
        for (const std::string& path : ListAssetFolder(programFolder, false, true))
        {
            const uint32_t stage = ShaderStageForExtension(GetExtension(path));
            if (stage == 0)
            {
                Log()->error("Shader file '" + path + "' has no known stage extension (vert, frag, geom, comp).");
                throw std::invalid_argument("Unknown shader file extension.");
            }
            const uint32_t shader = glCreateShader(stage);
            LoadAndCompileShader(shader, path);
            stages.push_back(stage);
            shaders.push_back(shader);
        }
        ReportMissingStages(name, programFolder, stages);
        const uint32_t program = glCreateProgram();
        if (!LinkShaderProgram(program, shaders))
            Log()->error("Shader program '" + name + "' in [" + programFolder + "] failed to link.");
        programs[name] = program;
    }
}

uint32_t ShaderStageForExtension(const std::string& extension)
{
    if (extension == "frag")
        return GL_FRAGMENT_SHADER;
    if (extension == "vert")
        return GL_VERTEX_SHADER;
    if (extension == "comp")
        return GL_COMPUTE_SHADER;
    if (extension == "geom")
        return GL_GEOMETRY_SHADER;
    return 0;
}

bool LoadAndCompileShader(uint32_t shader, const std::string& path)
{
    const std::string source = ReadFile(path);
    const char* text = source.c_str();
    glShaderSource(shader, 1, &text, nullptr);
    glCompileShader(shader);
    GLint status = GL_FALSE;
    glGetShaderiv(shader, GL_COMPILE_STATUS, &status);
    if (status != GL_TRUE)
    {
        Log()->error("Shader '" + path + "' failed to compile: " + InfoLog(shader, glGetShaderiv, glGetShaderInfoLog));
        return false;
    }
    Log()->message("LoadAndCompileShader", "Shader '" + path + "' compiled successfully. ");
    return true;
}

bool LinkShaderProgram(uint32_t program, const std::vector<uint32_t>& shaders)
{
    for (uint32_t shader : shaders)
        glAttachShader(program, shader);
    glLinkProgram(program);
    GLint status = GL_FALSE;
    glGetProgramiv(program, GL_LINK_STATUS, &status);
    const bool linked = status == GL_TRUE;
    if (linked)
        Log()->message("LinkShaderProgram", "Program linked successfully. ");
    else
        Log()->error("Program failed to link: " + InfoLog(program, glGetProgramiv, glGetProgramInfoLog));
    glValidateProgram(program);
    for (uint32_t shader : shaders)
    {
        glDetachShader(program, shader);
        glDeleteShader(shader);
    }
    return linked;
}
