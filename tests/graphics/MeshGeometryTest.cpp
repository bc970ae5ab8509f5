#include "graphics/MeshGeometry.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>

#include <cmath>
#include <stdexcept>

namespace
{
std::string WriteObj(const std::string& name, const std::string& text)
{
    const std::string path = test::ScratchFolder("MeshGeometry") + "/" + name + ".obj";
    test::WriteText(path, text);
    return path;
}

// `faces` faces, each of all `corners` corners of a circle.
std::string Polygons(int corners, int faces = 1)
{
    std::string text;
    for (int i = 0; i < corners; ++i)
        text += "v " + std::to_string(std::cos(i * 6.283f / corners)) + " " + std::to_string(std::sin(i * 6.283f / corners)) + " 0\n";
    std::string face = "f";
    for (int i = 1; i <= corners; ++i)
        face += " " + std::to_string(i);
    for (int i = 0; i < faces; ++i)
        text += face + "\n";
    return text;
}

std::string Refusal(const std::string& path)
{
    try
    {
        ReadObjGeometry(path);
    }
    catch (const std::invalid_argument& error)
    {
        return error.what();
    }
    return "accepted";
}
}

TEST(MeshGeometry, AQuadFaceBecomesTwoTrianglesOfUnsharedVertices)
{
    const std::string path = WriteObj("square", "v -1 -1 0\nv 1 -1 0\nv 1 1 0\nv -1 1 0\n"
                                                "vt 0 0\nvt 1 0\nvt 1 1\nvt 0 1\nvn 0 0 1\n"
                                                "f 1/1/1 2/2/1 3/3/1 4/4/1\n");
    const MeshGeometry geometry = ReadObjGeometry(path);
    ASSERT_EQ(geometry.vertices.size(), 6u);
    ASSERT_EQ(geometry.faces.size(), 2u);
    EXPECT_EQ(geometry.faces[1].a, 3u);
    EXPECT_EQ(geometry.faces[1].c, 5u);
    for (const Vertex& vertex : geometry.vertices)
    {
        // Each corner keeps its own texture coordinate: (position + 1) / 2 in this file.
        EXPECT_EQ(vertex.texCoord, (glm::vec2(vertex.position) + glm::vec2(1.0f)) * 0.5f);
        EXPECT_EQ(vertex.colour, glm::vec4(0.9f, 0.9f, 0.9f, 1.0f));
        EXPECT_EQ(vertex.normal, glm::vec3(0.0f, 0.0f, 1.0f));
    }
}

TEST(MeshGeometry, CornersWithoutTextureCoordinatesOrNormalsReadZeros)
{
    const std::string path = WriteObj("bare", "v 0 0 0\nv 1 0 0\nv 0 1 0\nvt 0.5 0.5\nf 1 2/1 3\n");
    const MeshGeometry geometry = ReadObjGeometry(path);
    ASSERT_EQ(geometry.vertices.size(), 3u);
    EXPECT_EQ(geometry.vertices[0].texCoord, glm::vec2(0.0f));
    EXPECT_EQ(geometry.vertices[1].texCoord, glm::vec2(0.5f));
    EXPECT_EQ(geometry.vertices[2].normal, glm::vec3(0.0f));
}

TEST(MeshGeometry, NumberingRunsOnAcrossShapes)
{
    const std::string path = WriteObj("two", "v 0 0 0\nv 1 0 0\nv 0 1 0\no A\nf 1 2 3\no B\nf 3 2 1\n");
    const MeshGeometry geometry = ReadObjGeometry(path);
    ASSERT_EQ(geometry.faces.size(), 2u);
    EXPECT_EQ(geometry.faces[1].a, 3u);
    EXPECT_EQ(geometry.vertices[3].position, glm::vec3(0.0f, 1.0f, 0.0f));
}

TEST(MeshGeometry, UnreadableFileLogsAndThrows)
{
    test::ConsoleCapture console;
    try
    {
        ReadObjGeometry("missing/nothing.obj");
        FAIL() << "expected std::invalid_argument";
    }
    catch (const std::invalid_argument& error)
    {
        EXPECT_STREQ(error.what(), "File: [missing/nothing.obj] not found.");
    }
    EXPECT_NE(console.err().find("ERROR! : "), std::string::npos);
}

// A file that exists but points outside its vertex list is described, not called missing.
TEST(MeshGeometry, FaceIndicesOfZeroOrPastTheVerticesSayWhatIsWrong)
{
    const std::string folder = test::ScratchFolder("badfaces");
    const std::string corners = "v 0 0 0\nv 1 0 0\nv 1 1 0\nv 0 1 0\n";
    const std::pair<const char*, std::string> cases[] = {
        {"zero.obj", corners + "f 0 1 2\n"},
        {"past.obj", corners + "f 1 2 9\n"},
        {"pastQuad.obj", corners + "f 1 2 3 9\n"},
    };
    for (const auto& [name, text] : cases)
    {
        const std::string path = folder + "/" + name;
        test::WriteText(path, text);
        test::ConsoleCapture console;
        try
        {
            ReadObjGeometry(path);
            ADD_FAILURE() << name << " was accepted";
        }
        catch (const std::invalid_argument& error)
        {
            const std::string what = error.what();
            EXPECT_EQ(what.find("not found"), std::string::npos) << what;
            EXPECT_EQ(what.rfind("File: [" + path + "] ", 0), 0u) << what;
            EXPECT_NE(console.err().find(what), std::string::npos) << name;
        }
    }
}

TEST(MeshGeometry, TheGameMeshesAreAUnitQuadAndAUnitRing)
{
    const MeshGeometry quad = ReadObjGeometry("assets/meshes/quad.obj");
    EXPECT_EQ(quad.faces.size(), 2u);
    glm::vec3 low(1e9f);
    glm::vec3 high(-1e9f);
    for (const Vertex& vertex : quad.vertices)
    {
        low = glm::min(low, vertex.position);
        high = glm::max(high, vertex.position);
        EXPECT_EQ(vertex.texCoord, glm::vec2(vertex.position) + glm::vec2(0.5f));
    }
    EXPECT_EQ(low, glm::vec3(-0.5f, -0.5f, 0.0f));
    EXPECT_EQ(high, glm::vec3(0.5f, 0.5f, 0.0f));

    const MeshGeometry ring = ReadObjGeometry("assets/meshes/ring.obj");
    EXPECT_GT(ring.faces.size(), 16u);
    float widest = 0.0f;
    for (const Vertex& vertex : ring.vertices)
        widest = std::max(widest, glm::length(vertex.position));
    EXPECT_NEAR(widest * 2.0f, 1.0f, 1e-5f);
}

// What makes a file hostile never reaches the loader: a material file is never read (this one
// would never end), and a face, a mesh or a file past the limits is refused before it is
// triangulated or read to its end.
TEST(MeshGeometry, FilesPastTheLimitsAreRefusedBeforeTheyCostTimeOrMemory)
{
    {
        test::ConsoleCapture console;
        const std::string path = WriteObj("material", "mtllib /dev/zero\n" + Polygons(3));
        EXPECT_EQ(ReadObjGeometry(path).vertices.size(), 3u);
        EXPECT_EQ(test::CountOccurrences(console.err(), "File: [" + path + "] names a material library"), 1);
    }
    EXPECT_EQ(ReadObjGeometry(WriteObj("widest", Polygons(256))).faces.size(), 254u);
    const struct
    {
        const char* name;
        std::string text;
        const char* problem;
    } refused[] = {
        {"wide", Polygons(257), "has a face of 257 corners; a mesh face may have at most 256."},
        {"many", Polygons(256, 87), "would hold 66294 vertices; a mesh may hold at most 65536."},
        {"/dev/zero", "", "is larger than 16 MB; a mesh file may be at most that."},
    };
    for (const auto& [name, text, problem] : refused)
    {
        const std::string path = text.empty() ? name : WriteObj(name, text);
        test::ConsoleCapture console;
        EXPECT_EQ(Refusal(path), "File: [" + path + "] " + problem);
        EXPECT_NE(console.err().find(problem), std::string::npos) << path;
    }
}
