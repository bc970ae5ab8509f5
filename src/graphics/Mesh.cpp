#include "graphics/Mesh.h"

#include "engine/TraceLog.h"
#include "graphics/BlendedDraw.h"
#include "graphics/GraphicsSystem.h"
#include "graphics/RenderContext.h"
#include "graphics/UniformNames.h"

#include <GL/glew.h>

#include <cstddef>
#include <iostream>

MeshNull* MeshNull::instance()
{
    static MeshNull null;
    return &null;
}

Mesh::~Mesh()
{
    release();
}

void Mesh::release()
{
    if (!loaded)
        return;
    glDeleteVertexArrays(1, &vao);
    glDeleteBuffers(1, &vbo);
    glDeleteBuffers(1, &ebo);
    vao = vbo = ebo = 0;
    vertices.clear();
    faces.clear();
    loaded = false;
}

void Mesh::loadObj(const std::string& path)
{
    release();
    MeshGeometry geometry = ReadObjGeometry(path);
    vertices = std::move(geometry.vertices);
    faces = std::move(geometry.faces);

    const std::string report = path + " loaded with " + std::to_string(vertices.size()) + " vertices and " +
                               std::to_string(faces.size()) + " faces.";
    std::cout << report << std::endl;
    Log()->message("Mesh::loadObj", report);

    upload();
    loaded = true;
}

void Mesh::upload()
{
    glGenVertexArrays(1, &vao);
    glGenBuffers(1, &vbo);
    glGenBuffers(1, &ebo);
    glBindVertexArray(vao);
    glBindBuffer(GL_ARRAY_BUFFER, vbo);
    glBufferData(GL_ARRAY_BUFFER, static_cast<GLsizeiptr>(vertices.size() * sizeof(Vertex)), vertices.data(),
                 GL_STATIC_DRAW);
    glBindBuffer(GL_ELEMENT_ARRAY_BUFFER, ebo);
    glBufferData(GL_ELEMENT_ARRAY_BUFFER, static_cast<GLsizeiptr>(faces.size() * sizeof(Face)), faces.data(),
                 GL_STATIC_DRAW);

    struct Attribute
    {
        GLint size;
        size_t offset;
    };
    const Attribute attributes[] = {
        {3, offsetof(Vertex, position)},
        {2, offsetof(Vertex, texCoord)},
        {3, offsetof(Vertex, normal)},
        {4, offsetof(Vertex, colour)},
    };
    for (GLuint index = 0; index < 4; ++index)
    {
        glVertexAttribPointer(index, attributes[index].size, GL_FLOAT, GL_FALSE, sizeof(Vertex),
                              reinterpret_cast<const void*>(attributes[index].offset));
        glEnableVertexAttribArray(index);
    }
}

void Mesh::draw(const DrawData& record, bool allowDefer)
{
    if (!loaded)
    {
        Log()->error("Attempted to draw mesh without loading it first!");
        return;
    }
    TransformComp world = transform.compose(record.transform);
    if (record.frustumCulling == 1 && record.isOutsideView(world.getPosition(), world.getScale()))
        return;

    GraphicsSystem* graphics = record.graphics ? record.graphics : RegisteredGraphics();
    if (allowDefer && record.isTranslucent())
    {
        graphics->addBlendedDraw(BlendedDraw(this, record, graphics, world.getPosition()));
        return;
    }
    drawNow(record, graphics, world);
}

void Mesh::drawNow(const DrawData& record, GraphicsSystem* graphics, TransformComp& world) const
{
    using namespace UniformNames;
    const glm::mat4 model = world.getModelMatrix();
    graphics->setUniform(kModel, 1, &model[0][0]);
    glBindTexture(GL_TEXTURE_2D, record.texture.id);
    const int32_t useTexture = record.texture.id != 0 ? 1 : 0;
    graphics->setUniform(kUseTexture, 1, &useTexture);
    const int32_t useBlending = record.isTranslucent() ? 1 : 0;
    graphics->setUniform(kUseBlending, 1, &useBlending);
    graphics->setUniform(kBlendColor, 1, &record.blendColor[0]);
    graphics->setUniform(kDrawColor, 1, &record.drawColor[0]);
    graphics->setUniform(kTextureUVOffset, 1, &record.textureUVOffset[0]);
    graphics->setUniform(kTextureUVDimension, 1, &record.textureUVDimension[0]);
    graphics->setUniform(kSliceType, 1, &record.sliceType);
    if (record.sliceType != 0)
    {
        graphics->setUniform(kTexBorder, 1, &record.texBorder[0]);
        graphics->setUniform(kSpriteBorder, 1, &record.spriteBorder[0]);
        graphics->setUniform(kSpriteTextureRatio, 1, &record.spriteTextureRatio[0]);
    }
    glBindVertexArray(vao);
    glDrawElements(GL_TRIANGLES, static_cast<GLsizei>(faces.size() * 3), GL_UNSIGNED_INT, nullptr);
}
