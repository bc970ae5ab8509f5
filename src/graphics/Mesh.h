#pragma once
// A triangle mesh read from an OBJ file into static GPU buffers, and the one place where a
// draw record becomes a GL draw call: Mesh::draw culls, queues translucent records for the
// blended pass when allowed, or sets the shader uniforms and draws at once.

#include "graphics/DrawData.h"
#include "graphics/MeshGeometry.h"
#include "world/TransformComp.h"

#include <cstdint>
#include <string>
#include <vector>

class Mesh
{
public:
    Mesh() = default;
    // Releases the GL objects of a loaded mesh: needs the GL context then.
    virtual ~Mesh();
    Mesh(const Mesh&) = delete;
    Mesh& operator=(const Mesh&) = delete;

    // Reads the file and uploads it (replacing an earlier load). Throws std::invalid_argument
    // for an unreadable file or one that is not triangles.
    virtual void loadObj(const std::string& path);
    // The record is read, not kept; a queued draw takes its own copy. Uniforms go to the
    // graphics system's current context, so callers set the context first.
    virtual void draw(const DrawData& record, bool allowDefer);
    virtual TransformComp getTransform() const { return transform; }
    virtual bool isNull() const { return false; }
    virtual uint32_t getVao() const { return vao; }
    virtual uint32_t getFaceCount() const { return static_cast<uint32_t>(faces.size()); }

    bool isLoaded() const { return loaded; }
    const std::vector<Vertex>& getVertices() const { return vertices; }
    const std::vector<Face>& getFaces() const { return faces; }

private:
    void upload();
    void release();
    void drawNow(const DrawData& record, GraphicsSystem* graphics, TransformComp& world) const;

    TransformComp transform;
    bool loaded = false;
    std::vector<Vertex> vertices;
    std::vector<Face> faces;
    uint32_t vao = 0;
    uint32_t vbo = 0;
    uint32_t ebo = 0;
};

class MeshNull : public Mesh
{
public:
    static MeshNull* instance();
    void loadObj(const std::string&) override {}
    void draw(const DrawData&, bool) override {}
    TransformComp getTransform() const override { return TransformComp(); }
    bool isNull() const override { return true; }
    uint32_t getVao() const override { return 0; }
    uint32_t getFaceCount() const override { return 0; }
};
