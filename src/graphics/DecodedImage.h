#pragma once
// One image file decoded into memory, its rows flipped so that the bottom row comes first as
// OpenGL texture coordinates expect. Decoding touches no GL state and no state shared between
// threads, so worker threads decode while the GL thread uploads what was decoded before.
// A file is checked before any pixel is decoded: its header must not promise more than the
// game can hold, nor its compressed data inflate far past what the header promises, so a small
// hostile file never costs gigabytes.

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>

class DecodedImage
{
public:
    // No image of ours comes near this; anything larger would cost gigabytes to decode.
    static constexpr int kMaxSide = 8192;
    // Nor near this many bytes once decoded to four channels: a tiny file may claim a huge image.
    static constexpr uint64_t kMaxDecodedBytes = uint64_t(64) << 20;

    // An image that failed to decode has no pixels; the reason stays with stb_image unless
    // the file was refused before decoding, which getRefusal then says.
    static DecodedImage FromFile(const std::string& path) noexcept;

    bool ok() const { return pixels != nullptr; }
    const std::string& getRefusal() const { return refusal; }
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

    static std::string RefusalOf(const std::string& bytes);

    int width = 0;
    int height = 0;
    int channels = 0;
    std::string refusal;
    std::unique_ptr<unsigned char, PixelRelease> pixels;
};
