#include "graphics/DecodedImage.h"

#include <stb/stb_image.h>

void DecodedImage::PixelRelease::operator()(unsigned char* data) const
{
    stbi_image_free(data);
}

// The flip is set per thread: the process-wide switch would race between decoding threads.
DecodedImage DecodedImage::FromFile(const std::string& path) noexcept
{
    stbi_set_flip_vertically_on_load_thread(1);
    DecodedImage image;
    image.pixels.reset(stbi_load(path.c_str(), &image.width, &image.height, &image.channels, 0));
    return image;
}
