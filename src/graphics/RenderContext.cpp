#include "graphics/RenderContext.h"

#include "engine/Engine.h"
#include "graphics/GraphicsSystem.h"
#include "graphics/Picking.h"

#include <GL/glew.h>

#include <stdexcept>

namespace
{
constexpr GLsizei kUniformNameLength = 255;
}

GraphicsSystem* RegisteredGraphics()
{
    return Engine::getSystem<GraphicsSystem>(GraphicsSystem::kName, GraphicsSystemNull::instance());
}

RenderContext::RenderContext() = default;

RenderContext::RenderContext(uint32_t program) : program(program)
{
    GLint count = 0;
    glGetProgramiv(program, GL_ACTIVE_UNIFORMS, &count);
    for (GLint index = 0; index < count; ++index)
    {
        GLchar uniformName[kUniformNameLength + 1] = {};
        GLint size = 0;
        GLenum type = 0;
        glGetActiveUniform(program, static_cast<GLuint>(index), kUniformNameLength, nullptr, &size, &type, uniformName);
        // The active-uniform index is not a location; only GL knows where each one lives.
        uniforms[uniformName] = {glGetUniformLocation(program, uniformName), type};
    }
    lookup = UniformLookup(uniforms);
    drawData.graphics = RegisteredGraphics();
}

std::vector<std::string> RenderContext::getUniformNames() const
{
    std::vector<std::string> names;
    for (const auto& [uniformName, info] : uniforms)
        names.push_back(uniformName);
    return names;
}

uint32_t RenderContext::getProgram() const
{
    return program;
}

void RenderContext::setCamera(const Camera& newCamera)
{
    camera = newCamera;
}

void RenderContext::setFrustumCulling(uint32_t on)
{
    frustumCulling = on;
}

Camera RenderContext::getCamera() const
{
    return camera;
}

glm::vec3 RenderContext::getCameraPosition() const
{
    return camera.getPosition();
}

UniformInfo RenderContext::getUniformInfo(const std::string& uniformName) const
{
    const auto found = uniforms.find(uniformName);
    return found == uniforms.end() ? UniformInfo{} : found->second;
}

DrawData RenderContext::getDrawData()
{
    drawData.frustumCulling = frustumCulling;
    if (frustumCulling == 1)
        refreshCulling();
    if (!drawData.graphics)
        drawData.graphics = RegisteredGraphics();
    return drawData;
}

// The culling rectangle is what the world camera sees at the player's depth. When a corner
// ray misses that plane (first frame, minimised window) the previous rectangle stays.
void RenderContext::refreshCulling()
{
    const glm::vec2 window = CurrentWindowSize();
    glm::vec3 topLeft(0.0f);
    glm::vec3 bottomRight(0.0f);
    if (ScreenToWorld({1.0f, 1.0f}, &topLeft, false) &&
        ScreenToWorld({window.x - 1.0f, window.y - 1.0f}, &bottomRight, false))
        drawData.setViewRectangle(topLeft, bottomRight);
    drawData.viewDepth = PlayerPosition().z;
}

void RenderContext::setUniform(const std::string& uniformName, int32_t count, const void* data)
{
    const UniformInfo* found = lookup.find(uniformName);
    if (!found)
        return;
    const GLint location = found->location;
    switch (found->type)
    {
    case GL_INT:
    case GL_BOOL:
        glUniform1iv(location, count, static_cast<const GLint*>(data));
        break;
    case GL_UNSIGNED_INT:
        glUniform1uiv(location, count, static_cast<const GLuint*>(data));
        break;
    case GL_FLOAT:
        glUniform1fv(location, count, static_cast<const GLfloat*>(data));
        break;
    case GL_DOUBLE:
        // Double uniforms need a newer GL than ours; without the entry point there is no upload.
        if (glUniform1dv)
            glUniform1dv(location, count, static_cast<const GLdouble*>(data));
        break;
    case GL_FLOAT_VEC2:
        glUniform2fv(location, count, static_cast<const GLfloat*>(data));
        break;
    case GL_FLOAT_VEC3:
        glUniform3fv(location, count, static_cast<const GLfloat*>(data));
        break;
    case GL_FLOAT_VEC4:
        glUniform4fv(location, count, static_cast<const GLfloat*>(data));
        break;
    case GL_FLOAT_MAT2:
        glUniformMatrix2fv(location, count, GL_FALSE, static_cast<const GLfloat*>(data));
        break;
    case GL_FLOAT_MAT3:
        glUniformMatrix3fv(location, count, GL_FALSE, static_cast<const GLfloat*>(data));
        break;
    case GL_FLOAT_MAT4:
        glUniformMatrix4fv(location, count, GL_FALSE, static_cast<const GLfloat*>(data));
        break;
    default:
        throw std::invalid_argument("Set unknown uniform type: " + std::to_string(found->type) +
                                    ". Check if case has been added in RenderContext!");
    }
}

RenderContextNull* RenderContextNull::instance()
{
    static RenderContextNull null;
    return &null;
}

DrawData RenderContextNull::getDrawData()
{
    DrawData fresh;
    fresh.graphics = GraphicsSystem::getInstance();
    return fresh;
}
