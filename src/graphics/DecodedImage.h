#pragma once
// One image file decoded into memory, its rows flipped so that the bottom row comes first as
// OpenGL texture coordinates expect. Decoding touches no GL state and no state shared between
// threads, so worker threads decode while the GL thread uploads what was decoded before.

#include <cstddef>
#include <memory>
#include <string>

class DecodedImage
{
public:
    // An image that failed to decode has no pixels; the reason stays with stb_image.
    static DecodedImage FromFile(const std::string& path) noexcept;

    bool ok() const { return pixels != nullptr; }
    int getWidth() const { return width; }
    int getHeight() const { return height; }
    int getChannels() const { return channels; }
    const unsigned char* getPixels() const { return pixels.get(); }
    size_t byteCount() const { return ok() ? static_cast<size_t>(width) * height * channels : 0; }

private:
    struct PixelRelease
    {
        void operator()(unsigned char* data) const;
    };

    int width = 0;
    int height = 0;
    int channels = 0;
    std::unique_ptr<unsigned char, PixelRelease> pixels;
};
