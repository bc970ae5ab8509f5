#include "graphics/MeshGeometry.h"

#include "engine/TraceLog.h"

#include <tiny_obj_loader.h>

#include <algorithm>
#include <fstream>
#include <sstream>
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
    Fail("File: [" + path + "] is not a usable OBJ file: " + FirstLine(loaderError));
}

// The whole file, read in blocks so that one larger than the limit is refused after reading
// just past it (a device such as /dev/zero never ends).
std::string ReadObjText(const std::string& path)
{
    std::ifstream file(path, std::ios::binary);
    if (!file.is_open())
    {
        Log()->error("Cannot open file [" + path + "]");
        throw std::invalid_argument("File: [" + path + "] not found.");
    }
    std::string text;
    char block[1 << 16];
    while (text.size() <= ObjLimits::kMaxFileBytes && file.read(block, sizeof(block)).gcount() > 0)
        text.append(block, static_cast<size_t>(file.gcount()));
    if (text.size() > ObjLimits::kMaxFileBytes)
        Fail("File: [" + path + "] is larger than " + std::to_string(ObjLimits::kMaxFileBytes >> 20) +
             " MB; a mesh file may be at most that.");
    return text;
}

struct FaceCount
{
    size_t largestFace = 0;
    uint64_t triangleCorners = 0;
    bool namesMaterialLibrary = false;
};

bool IsBlank(char c)
{
    return c == ' ' || c == '\t';
}

// Whether the line from `at` to `end` is the statement `word` followed by a blank.
bool IsStatement(const std::string& text, size_t at, size_t end, const std::string& word)
{
    return at + word.size() < end && text.compare(at, word.size(), word) == 0 && IsBlank(text[at + word.size()]);
}

// Corners are runs of anything but blanks, as the loader splits them; counting a stray byte as
// one more corner only errs on the safe side.
size_t CountCorners(const std::string& text, size_t from, size_t end)
{
    size_t corners = 0;
    for (size_t at = from; at < end; ++at)
        if (!IsBlank(text[at]) && IsBlank(text[at - 1]))
            ++corners;
    return corners;
}

// Reads the face lines ("f" and a blank after optional blanks) the way the loader splits
// lines, to know what triangulating them costs before the loader is let loose on them.
FaceCount CountFaces(const std::string& text)
{
    FaceCount count;
    for (size_t at = 0; at < text.size();)
    {
        const size_t end = std::min(text.find_first_of("\r\n", at), text.size());
        while (at < end && IsBlank(text[at]))
            ++at;
        count.namesMaterialLibrary = count.namesMaterialLibrary || IsStatement(text, at, end, "mtllib");
        if (IsStatement(text, at, end, "f"))
        {
            const size_t corners = CountCorners(text, at + 1, end);
            count.largestFace = std::max(count.largestFace, corners);
            count.triangleCorners += corners >= 3 ? (corners - 2) * 3 : 0;
        }
        at = end + 1;
    }
    return count;
}

void CheckFaces(const std::string& path, const std::string& text)
{
    const FaceCount count = CountFaces(text);
    // Nothing draws OBJ materials, so a material library is never opened (one such as
    // /dev/zero would never end); the line tells whoever made the file why.
    if (count.namesMaterialLibrary)
        Log()->error("File: [" + path + "] names a material library; meshes draw no materials, so it is not read.");
    if (count.largestFace > ObjLimits::kMaxFaceCorners)
        Fail("File: [" + path + "] has a face of " + std::to_string(count.largestFace) +
             " corners; a mesh face may have at most " + std::to_string(ObjLimits::kMaxFaceCorners) + ".");
    if (count.triangleCorners > ObjLimits::kMaxVertices)
        Fail("File: [" + path + "] would hold " + std::to_string(count.triangleCorners) +
             " vertices; a mesh may hold at most " + std::to_string(ObjLimits::kMaxVertices) + ".");
}
}

MeshGeometry ReadObjGeometry(const std::string& path)
{
    tinyobj::attrib_t attrib;
    std::vector<tinyobj::shape_t> shapes;
    std::vector<tinyobj::material_t> materials;
    std::string warning;
    std::string error;
    const std::string text = ReadObjText(path);
    CheckFaces(path, text);
    std::istringstream stream(text);
    // No material reader: "mtllib" lines are skipped unread.
    if (!tinyobj::LoadObj(&attrib, &shapes, &materials, &warning, &error, &stream, nullptr, true))
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
