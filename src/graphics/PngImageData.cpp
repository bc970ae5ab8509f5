#include "graphics/PngImageData.h"

#include "graphics/DeflateLength.h"

#include <algorithm>
#include <optional>

namespace
{
constexpr size_t kSignatureSize = 8;
// Length, type, and the CRC after the data.
constexpr size_t kChunkFrame = 12;
constexpr size_t kHeaderSize = 13;

struct Chunk
{
    std::string type;
    size_t data = 0;
    size_t length = 0;
};

// The chunks as stb reads them: the header and the pixel data, and whether the file is the
// iPhone variant, whose data is raw deflate without zlib's frame.
struct PngLayout
{
    Chunk header;
    std::string pixelData;
    bool raw = false;
};

uint32_t BigEndian32(const std::string& bytes, size_t at)
{
    uint32_t value = 0;
    for (size_t i = 0; i < 4; ++i)
        value = (value << 8) | static_cast<unsigned char>(bytes[at + i]);
    return value;
}

// The chunk at `at`, or an empty type when none fits there.
Chunk ChunkAt(const std::string& bytes, size_t at)
{
    if (at + 8 > bytes.size())
        return {};
    const uint64_t length = BigEndian32(bytes, at);
    if (length + kChunkFrame > bytes.size() - at)
        return {};
    return {bytes.substr(at + 4, 4), at + 8, static_cast<size_t>(length)};
}

Chunk NextChunk(const std::string& bytes, const Chunk& chunk)
{
    return ChunkAt(bytes, chunk.data + chunk.length + 4);
}

// stb takes the first chunk that is not "CgBI" as the header, reads an iPhone chunk anywhere
// before "IEND", and joins every "IDAT" chunk's data.
PngLayout ReadLayout(const std::string& bytes)
{
    PngLayout layout;
    for (Chunk chunk = ChunkAt(bytes, kSignatureSize); !chunk.type.empty() && chunk.type != "IEND";
         chunk = NextChunk(bytes, chunk))
    {
        if (chunk.type == "CgBI")
            layout.raw = true;
        else if (layout.header.type.empty())
            layout.header = chunk;
        else if (chunk.type == "IDAT")
            layout.pixelData.append(bytes, chunk.data, chunk.length);
    }
    return layout;
}

unsigned ChannelsOf(unsigned colourType)
{
    switch (colourType)
    {
    case 0: return 1;  // grey
    case 2: return 3;  // RGB
    case 3: return 1;  // palette index
    case 4: return 2;  // grey and alpha
    case 6: return 4;  // RGBA
    default: return 0;
    }
}

uint64_t NeededBytes(const std::string& bytes, const Chunk& header)
{
    const auto byteAt = [&](size_t offset) { return static_cast<unsigned char>(bytes[header.data + offset]); };
    return PngFilteredSize(BigEndian32(bytes, header.data), BigEndian32(bytes, header.data + 4),
                           ChannelsOf(byteAt(9)) * byteAt(8), byteAt(12) != 0);
}

uint64_t InflateBound(uint64_t needed)
{
    constexpr uint64_t kLeastMargin = uint64_t(1) << 20;
    return needed + std::max(needed, kLeastMargin);
}

// stb's own checks of the two bytes of zlib frame before the deflate stream. It reads no
// window size from them and no checksum after the stream, so neither is judged here.
bool StbTakesZlibFrame(const std::string& data)
{
    if (data.size() < 2)
        return false;
    const unsigned method = static_cast<unsigned char>(data[0]);
    const unsigned flags = static_cast<unsigned char>(data[1]);
    const bool presetDictionary = (flags & 32) != 0;
    return (method * 256 + flags) % 31 == 0 && !presetDictionary && (method & 15) == 8;
}

// Whether the deflate stream runs to its end within the bound. Its bytes are only counted, so
// nothing image-sized is held. A stream that is damaged or cut short fails here as it fails stb.
bool InflatesWithin(const PngLayout& layout, uint64_t bound)
{
    if (!layout.raw && !StbTakesZlibFrame(layout.pixelData))
        return false;
    const size_t frame = layout.raw ? 0 : 2;
    const auto* data = reinterpret_cast<const unsigned char*>(layout.pixelData.data());
    const std::optional<uint64_t> size = DeflateInflatedSize(data + frame, layout.pixelData.size() - frame, bound);
    return size && *size <= bound;
}
}

bool PngChunksFit(const std::string& bytes)
{
    size_t at = kSignatureSize;
    while (at + 8 <= bytes.size())
    {
        const Chunk chunk = ChunkAt(bytes, at);
        if (chunk.type.empty())
            return false;
        // Decoders stop at the end chunk; what some tools leave after it is never read.
        if (chunk.type == "IEND")
            return true;
        at = chunk.data + chunk.length + 4;
    }
    return true;
}

uint64_t PngFilteredSize(uint32_t width, uint32_t height, unsigned bitsPerPixel, bool interlaced)
{
    const auto rows = [bitsPerPixel](uint64_t across, uint64_t down) {
        return across == 0 ? 0 : down * (1 + (across * bitsPerPixel + 7) / 8);
    };
    if (!interlaced)
        return rows(width, height);
    // Adam7: each pass takes every step-th pixel from its start, across and down.
    static const uint32_t kStart[7][2] = {{0, 0}, {4, 0}, {0, 4}, {2, 0}, {0, 2}, {1, 0}, {0, 1}};
    static const uint32_t kStep[7][2] = {{8, 8}, {8, 8}, {4, 8}, {4, 4}, {2, 4}, {2, 2}, {1, 2}};
    uint64_t total = 0;
    for (int pass = 0; pass < 7; ++pass)
    {
        const uint64_t across = (uint64_t{width} + kStep[pass][0] - 1 - kStart[pass][0]) / kStep[pass][0];
        const uint64_t down = (uint64_t{height} + kStep[pass][1] - 1 - kStart[pass][1]) / kStep[pass][1];
        total += rows(across, down);
    }
    return total;
}

// A header stb would not take is left for stb to refuse.
std::string PngImageDataRefusal(const std::string& bytes)
{
    const PngLayout layout = ReadLayout(bytes);
    if (layout.header.type != "IHDR" || layout.header.length != kHeaderSize)
        return {};
    const uint64_t needed = NeededBytes(bytes, layout.header);
    if (needed == 0 || InflatesWithin(layout, InflateBound(needed)))
        return {};
    return "is a damaged PNG image: its pixel data inflates past " + std::to_string(InflateBound(needed)) +
           " bytes, far more than the " + std::to_string(needed) + " its size needs.";
}
