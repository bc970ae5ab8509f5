// Fuzz target: an image file as the texture manager loads it. No GL context exists here: the
// GL 1.1 calls land in the driver's no-op dispatch, and the one call GLEW resolves at run time
// gets a stand-in, so the decode and the checks around it are what runs.

#include "FuzzLoaderGuard.h"
#include "FuzzScratchFile.h"
#include "graphics/TextureManager.h"

#include <GL/glew.h>

#include <cstddef>
#include <cstdint>

namespace
{
void GLAPIENTRY NoMipmaps(GLenum) {}

constexpr const char* kStem = "Fuzz";
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    static const FuzzScratchFile file("image.png");
    if (!__glewGenerateMipmap)
        __glewGenerateMipmap = NoMipmaps;
    file.write(data, size);
    TextureManager textures;
    FuzzLoaderGuard::Run(file.getPath(), [&] { textures.loadTexture(file.getPath(), kStem, TextureKind::Opaque); });
    textures.shutdown();
    return 0;
}
