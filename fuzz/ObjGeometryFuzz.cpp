// Fuzz target: OBJ geometry as the mesh manager reads it, triangulated into vertex and index
// arrays. Every index handed out must point at a vertex.

#include "FuzzLoaderGuard.h"
#include "FuzzScratchFile.h"
#include "graphics/MeshGeometry.h"

#include <cstddef>
#include <cstdint>
#include <string>

namespace
{
void CheckIndices(const MeshGeometry& geometry)
{
    const size_t count = geometry.vertices.size();
    for (const Face& face : geometry.faces)
    {
        if (face.a >= count || face.b >= count || face.c >= count)
            FuzzLoaderGuard::Fail("a face points past the " + std::to_string(count) + " vertices");
    }
}
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    static const FuzzScratchFile file("mesh.obj");
    file.write(data, size);
    FuzzLoaderGuard::Run(file.getPath(), [&] { CheckIndices(ReadObjGeometry(file.getPath())); });
    return 0;
}
