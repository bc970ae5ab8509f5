#include "graphics/MeshGeometry.h"

#include "engine/TraceLog.h"

#include <tiny_obj_loader.h>

#include <fstream>
#include <stdexcept>

namespace
{
// Reads `width` floats of entry `index`, or leaves zeros when the corner has no such entry
// (the loader reports a missing index as -1) or the index lies outside the array.
template <int Width, class Vec>
void ReadEntry(const std::vector<tinyobj::real_t>& values, int index, Vec& out)
{
    if (index < 0 || static_cast<size_t>(index + 1) * Width > values.size())
        return;
    for (int i = 0; i < Width; ++i)
        out[i] = values[static_cast<size_t>(index) * Width + i];
}

[[noreturn]] void Fail(const std::string& text)
{
    Log()->error(text);
    throw std::invalid_argument(text);
}

bool CanOpen(const std::string& path)
{
    return std::ifstream(path).is_open();
}

std::string FirstLine(const std::string& text)
{
    return text.substr(0, text.find('\n'));
}

// The loader only warns about faces that point past the vertex list (and drops some of them),
// so the corners are checked here as well.
bool PointsPastVertices(const tinyobj::attrib_t& attrib, const std::vector<tinyobj::shape_t>& shapes,
                        const std::string& warning)
{
    if (warning.find("Vertex indices out of bounds") != std::string::npos ||
        warning.find("invalid vertex index") != std::string::npos)
        return true;
    const size_t vertexCount = attrib.vertices.size() / 3;
    for (const tinyobj::shape_t& shape : shapes)
        for (const tinyobj::index_t& corner : shape.mesh.indices)
            if (corner.vertex_index < 0 || static_cast<size_t>(corner.vertex_index) >= vertexCount)
                return true;
    return false;
}

// A file that is there but cannot be used says what is wrong with it rather than "not found".
[[noreturn]] void FailToLoad(const std::string& path, const std::string& loaderError)
{
    Log()->error(loaderError);
    if (!CanOpen(path))
        throw std::invalid_argument("File: [" + path + "] not found.");
    Fail("File: [" + path + "] is not a usable OBJ file: " + FirstLine(loaderError));
}
}

MeshGeometry ReadObjGeometry(const std::string& path)
{
    tinyobj::attrib_t attrib;
    std::vector<tinyobj::shape_t> shapes;
    std::vector<tinyobj::material_t> materials;
    std::string warning;
    std::string error;
    if (!tinyobj::LoadObj(&attrib, &shapes, &materials, &warning, &error, path.c_str(), nullptr, true))
        FailToLoad(path, error);
    if (PointsPastVertices(attrib, shapes, warning))
        Fail("File: [" + path + "] has a face whose vertex index lies past its " +
             std::to_string(attrib.vertices.size() / 3) + " vertices.");

    MeshGeometry geometry;
    for (const tinyobj::shape_t& shape : shapes)
    {
        if (shape.mesh.indices.size() % 3 != 0)
            Fail("File: [" + path + "] does not contain triangular data.");
        for (const tinyobj::index_t& corner : shape.mesh.indices)
        {
            Vertex vertex;
            ReadEntry<3>(attrib.vertices, corner.vertex_index, vertex.position);
            ReadEntry<2>(attrib.texcoords, corner.texcoord_index, vertex.texCoord);
            ReadEntry<3>(attrib.normals, corner.normal_index, vertex.normal);
            geometry.vertices.push_back(vertex);
            const auto count = static_cast<uint32_t>(geometry.vertices.size());
            if (count % 3 == 0)
                geometry.faces.push_back({count - 3, count - 2, count - 1});
        }
    }
    return geometry;
}
