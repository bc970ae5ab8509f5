#include "graphics/PngImageData.h"

#define ZLIB_CONST
#include <zlib.h>

#include <array>

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

// Counts what the deflated data inflates to without keeping any of it.
class InflateCounter
{
public:
    enum class State { Running, Ended, TooLong, Damaged };

    InflateCounter(bool raw, uint64_t limit) : limit(limit)
    {
        // The iPhone variant stb also reads carries raw deflate data, without zlib's frame.
        if (inflateInit2(&stream, raw ? -MAX_WBITS : MAX_WBITS) != Z_OK)
            state = State::Damaged;
    }
    ~InflateCounter() { inflateEnd(&stream); }
    InflateCounter(const InflateCounter&) = delete;
    InflateCounter& operator=(const InflateCounter&) = delete;

    State feed(const std::string& bytes, size_t at, size_t length)
    {
        stream.next_in = reinterpret_cast<const Bytef*>(bytes.data() + at);
        stream.avail_in = static_cast<uInt>(length);
        while (state == State::Running && (stream.avail_in > 0 || stream.avail_out == 0))
            step();
        return state;
    }

private:
    void step()
    {
        stream.next_out = scratch.data();
        stream.avail_out = static_cast<uInt>(scratch.size());
        const int result = inflate(&stream, Z_NO_FLUSH);
        if (stream.total_out > limit)
            state = State::TooLong;
        else if (result == Z_STREAM_END)
            state = State::Ended;
        else if (result != Z_OK && result != Z_BUF_ERROR)  // a buffer error only asks for more input
            state = State::Damaged;
    }

    const uint64_t limit;
    State state = State::Running;
    z_stream stream{};
    std::array<Bytef, 1 << 15> scratch{};
};

std::string TooLong(uint64_t needed)
{
    return "is a damaged PNG image: its pixel data inflates past the " + std::to_string(needed) +
           " bytes its size needs.";
}

// Inflates the IDAT chunks that follow the header, counting against what its size needs.
std::string CheckDataAfter(const std::string& bytes, const Chunk& header, bool raw, uint64_t needed)
{
    InflateCounter counter(raw, needed);
    for (Chunk chunk = NextChunk(bytes, header); !chunk.type.empty() && chunk.type != "IEND"; chunk = NextChunk(bytes, chunk))
    {
        if (chunk.type != "IDAT")
            continue;
        switch (counter.feed(bytes, chunk.data, chunk.length))
        {
        case InflateCounter::State::Ended: return {};
        case InflateCounter::State::TooLong: return TooLong(needed);
        case InflateCounter::State::Damaged: return "is a damaged PNG image: its pixel data does not inflate.";
        case InflateCounter::State::Running: break;
        }
    }
    return "is a damaged PNG image: its pixel data ends too early.";
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
    // Adam7: each pass samples every step-th pixel from its start, across and down.
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

// stb wants the header first, after an optional iPhone chunk; anything else it refuses itself.
std::string PngImageDataRefusal(const std::string& bytes)
{
    Chunk chunk = ChunkAt(bytes, kSignatureSize);
    const bool raw = chunk.type == "CgBI";
    if (raw)
        chunk = NextChunk(bytes, chunk);
    if (chunk.type != "IHDR" || chunk.length != kHeaderSize)
        return {};
    const auto byteAt = [&](size_t offset) { return static_cast<unsigned char>(bytes[chunk.data + offset]); };
    const unsigned bitsPerPixel = ChannelsOf(byteAt(9)) * byteAt(8);
    const uint64_t needed = PngFilteredSize(BigEndian32(bytes, chunk.data), BigEndian32(bytes, chunk.data + 4),
                                            bitsPerPixel, byteAt(12) != 0);
    return CheckDataAfter(bytes, chunk, raw, needed);
}
