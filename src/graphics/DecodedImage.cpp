#include "graphics/DecodedImage.h"

#include "graphics/PngImageData.h"

#include <stb/stb_image.h>

#include <cstdint>
#include <fstream>
#include <iterator>

namespace
{
const std::string kPngSignature("\x89PNG\r\n\x1a\n", 8);

// stb reads a JPEG's tables before it knows the image's size, and a malformed table writes
// past its buffers; a JPEG never has the alpha channel a texture needs, so none is read.
bool IsJpeg(const std::string& bytes)
{
    size_t at = 0;
    while (at < bytes.size() && static_cast<unsigned char>(bytes[at]) == 0xFF)
        ++at;
    return at > 0 && at < bytes.size() && static_cast<unsigned char>(bytes[at]) == 0xD8;
}

// stb's PNM header reader overflows a signed integer on long digit runs; PNM and Radiance
// images hold no alpha channel either, so like a JPEG they are never handed to it.
const char* FormatWithoutAlpha(const std::string& bytes)
{
    if (IsJpeg(bytes))
        return "JPEG";
    if (bytes.size() >= 2 && bytes[0] == 'P' && (bytes[1] == '5' || bytes[1] == '6'))
        return "PNM";
    if (bytes.compare(0, 2, "#?") == 0)
        return "Radiance HDR";
    return nullptr;
}

std::string ReadBytes(const std::string& path)
{
    std::ifstream file(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
}

const stbi_uc* Data(const std::string& bytes)
{
    return reinterpret_cast<const stbi_uc*>(bytes.data());
}
}

void DecodedImage::PixelRelease::operator()(unsigned char* data) const
{
    stbi_image_free(data);
}

std::string DecodedImage::RefusalOf(const std::string& bytes)
{
    if (const char* format = FormatWithoutAlpha(bytes))
        return std::string("is a ") + format + " image; textures need an alpha channel (32-bit images such as PNG).";
    const bool png = bytes.compare(0, kPngSignature.size(), kPngSignature) == 0;
    if (png && !PngChunksFit(bytes))
        return "is a damaged PNG image: a chunk claims more bytes than the file holds.";
    int width = 0;
    int height = 0;
    int channels = 0;
    const bool known = stbi_info_from_memory(Data(bytes), static_cast<int>(bytes.size()), &width, &height, &channels);
    if (known && (width > kMaxSide || height > kMaxSide))
        return "is " + std::to_string(width) + "x" + std::to_string(height) + " pixels; images may be at most " +
               std::to_string(kMaxSide) + " pixels on a side.";
    if (known && static_cast<uint64_t>(width) * static_cast<uint64_t>(height) * 4 > kMaxDecodedBytes)
        return "is " + std::to_string(width) + "x" + std::to_string(height) + " pixels, more than " +
               std::to_string(kMaxDecodedBytes >> 20) + " MB once decoded.";
    // The data check counts against the size the header needs, so it runs only on a size checked
    // above; a header stb cannot read fails its decode before any data is inflated.
    return png && known ? PngImageDataRefusal(bytes) : std::string();
}

// The flip is set per thread: the process-wide switch would race between decoding threads.
DecodedImage DecodedImage::FromFile(const std::string& path) noexcept
{
    DecodedImage image;
    try
    {
        const std::string bytes = ReadBytes(path);
        image.refusal = RefusalOf(bytes);
        if (!image.refusal.empty())
            return image;
        stbi_set_flip_vertically_on_load_thread(1);
        image.pixels.reset(stbi_load_from_memory(Data(bytes), static_cast<int>(bytes.size()), &image.width,
                                                 &image.height, &image.channels, 0));
    }
    catch (const std::exception&)
    {
        image.pixels.reset();
    }
    return image;
}
