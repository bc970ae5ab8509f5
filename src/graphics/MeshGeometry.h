#pragma once
// The CPU side of a mesh: an OBJ file turned into the vertex and index arrays the GPU gets.
// Every triangle corner is its own vertex (nothing is shared), numbered on across shapes.

#include <glm/glm.hpp>

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

struct Vertex
{
    glm::vec3 position{0.0f};
    glm::vec2 texCoord{0.0f};
    glm::vec3 normal{0.0f};
    glm::vec4 colour{0.9f, 0.9f, 0.9f, 1.0f};
};
static_assert(sizeof(Vertex) == 48, "the vertex layout is tightly packed");

struct Face
{
    uint32_t a = 0;
    uint32_t b = 0;
    uint32_t c = 0;
};
static_assert(sizeof(Face) == 12, "the index buffer holds three u32 per face");

// What one OBJ file may hold, so that a hostile file can neither exhaust memory nor stall the
// start: the loader's triangulation of a face costs about the square of its corners. Our own
// meshes stay far below (the largest has 288 vertices).
struct ObjLimits
{
    static constexpr size_t kMaxFileBytes = size_t{16} << 20;
    static constexpr size_t kMaxFaceCorners = 256;
    static constexpr uint64_t kMaxVertices = 65536;
};

struct MeshGeometry
{
    std::vector<Vertex> vertices;
    std::vector<Face> faces;
};

// Reads and triangulates an OBJ file. A corner without a texture coordinate or normal gets
// zeros; material files are never read, as nothing draws OBJ materials. Throws
// std::invalid_argument "File: [path] not found." when the file cannot be read, a line saying
// what is wrong when it is there but unusable (past the limits above, a face index of 0 or
// past the vertices), and "File: [path] does not contain triangular data." for a shape that
// is not triangles.
MeshGeometry ReadObjGeometry(const std::string& path);
