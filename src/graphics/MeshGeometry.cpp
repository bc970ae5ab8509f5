#include "graphics/MeshGeometry.h"

#include "engine/TraceLog.h"

#include <tiny_obj_loader.h>

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

void Fail(const std::string& text)
{
    Log()->error(text);
    throw std::invalid_argument(text);
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
    {
        Log()->error(error);
        throw std::invalid_argument("File: [" + path + "] not found.");
    }

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
