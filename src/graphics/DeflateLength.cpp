#include "graphics/DeflateLength.h"

#include <algorithm>
#include <array>
#include <iterator>

namespace
{
constexpr int kMaxCodeBits = 15;
// Codes this short are found in one table look; longer ones are walked bit by bit.
constexpr int kFastBits = 9;
constexpr int kLiteralSymbols = 288;
constexpr int kDistanceSymbols = 32;
constexpr int kEndOfBlock = 256;

// The format stops at length symbol 285 and distance symbol 29; stb_image reads the two codes
// past each as a length or distance of 0, and so they are read here.
constexpr uint16_t kLengthBase[31] = {3,  4,  5,  6,  7,  8,  9,  10, 11,  13,  15,  17,  19,  23, 27, 31,
                                      35, 43, 51, 59, 67, 83, 99, 115, 131, 163, 195, 227, 258, 0,  0};
constexpr uint8_t kLengthExtra[31] = {0, 0, 0, 0, 0, 0, 0, 0, 1, 1, 1, 1, 2, 2, 2, 2,
                                      3, 3, 3, 3, 4, 4, 4, 4, 5, 5, 5, 5, 0, 0, 0};
constexpr uint16_t kDistanceBase[32] = {1,    2,    3,    4,    5,    7,     9,     13,    17,  25, 33,
                                        49,   65,   97,   129,  193,  257,   385,   513,   769, 1025,
                                        1537, 2049, 3073, 4097, 6145, 8193, 12289, 16385, 24577, 0, 0};
constexpr uint8_t kDistanceExtra[32] = {0, 0, 0, 0, 1, 1, 2, 2, 3, 3, 4, 4, 5, 5, 6, 6,
                                        7, 7, 8, 8, 9, 9, 10, 10, 11, 11, 12, 12, 13, 13, 0, 0};

// Bits are read from the low end of each byte. Past the end they read as zeros, as stb_image
// reads them: it takes a stream whose last codes lie partly there. Zeros decode to one and the
// same symbol, so a stream stb takes can end no further out than a few codes' worth of them;
// overran says whether more than that was taken.
class BitStream
{
public:
    static constexpr uint64_t kZeroTail = 8;

    BitStream(const unsigned char* data, size_t size) : data(data), size(size) {}

    uint32_t peek(int count)
    {
        while (held < count)
        {
            buffer |= uint64_t{next < size ? data[next] : 0u} << held;
            ++next;
            held += 8;
        }
        return static_cast<uint32_t>(buffer & ((uint64_t{1} << count) - 1));
    }
    void skip(int count)
    {
        buffer >>= count;
        held -= count;
        taken += static_cast<uint64_t>(count);
    }
    uint32_t take(int count)
    {
        const uint32_t bits = peek(count);
        skip(count);
        return bits;
    }
    bool overran() const { return taken > (uint64_t{size} + kZeroTail) * 8; }

    // Steps over a stored block's bytes, from a byte boundary; false when the stream holds fewer.
    bool skipBytes(uint32_t count)
    {
        const uint64_t at = taken / 8 + count;
        if (at > size)
            return false;
        buffer = 0;
        held = 0;
        next = static_cast<size_t>(at);
        taken = at * 8;
        return true;
    }
    void alignToByte() { skip(static_cast<int>((8 - taken % 8) % 8)); }

private:
    const unsigned char* data;
    size_t size;
    size_t next = 0;
    uint64_t buffer = 0;
    int held = 0;
    uint64_t taken = 0;
};

// A canonical prefix code: codes of each length in order, and a table of the short ones
// indexed by the bits as they arrive (the code reversed), each entry its length and symbol.
struct PrefixCode
{
    std::array<uint16_t, kMaxCodeBits + 1> lengthCount{};
    std::array<uint16_t, kLiteralSymbols> symbols{};
    std::array<uint16_t, 1 << kFastBits> fast{};
};

uint32_t Reversed(uint32_t code, int length)
{
    uint32_t reversed = 0;
    for (int bit = 0; bit < length; ++bit)
        reversed |= ((code >> bit) & 1u) << (length - 1 - bit);
    return reversed;
}

// False when more codes are given a length than that length holds. A code with gaps is taken,
// as stb_image takes it; a symbol in a gap fails when it is read.
bool BuildPrefixCode(const uint8_t* lengths, int count, PrefixCode& code)
{
    code = PrefixCode{};
    for (int symbol = 0; symbol < count; ++symbol)
        ++code.lengthCount[lengths[symbol]];
    code.lengthCount[0] = 0;
    std::array<uint32_t, kMaxCodeBits + 2> nextCode{};
    std::array<uint16_t, kMaxCodeBits + 2> offset{};
    uint32_t first = 0;
    for (int length = 1; length <= kMaxCodeBits; ++length)
    {
        if (first + code.lengthCount[length] > (1u << length))
            return false;
        nextCode[length] = first;
        offset[length + 1] = static_cast<uint16_t>(offset[length] + code.lengthCount[length]);
        first = (first + code.lengthCount[length]) << 1;
    }
    for (int symbol = 0; symbol < count; ++symbol)
    {
        const int length = lengths[symbol];
        if (length == 0)
            continue;
        code.symbols[offset[length]++] = static_cast<uint16_t>(symbol);
        if (length <= kFastBits)
            for (uint32_t bits = Reversed(nextCode[length], length); bits < code.fast.size(); bits += 1u << length)
                code.fast[bits] = static_cast<uint16_t>(length << 9 | symbol);
        ++nextCode[length];
    }
    return true;
}

// The next symbol, or -1 for bits that are no code.
int ReadSymbol(BitStream& bits, const PrefixCode& code)
{
    if (const uint16_t entry = code.fast[bits.peek(kFastBits)])
    {
        bits.skip(entry >> 9);
        return entry & 511;
    }
    int value = 0;
    int first = 0;
    int index = 0;
    for (int length = 1; length <= kMaxCodeBits; ++length)
    {
        value |= static_cast<int>(bits.take(1));
        const int count = code.lengthCount[length];
        if (value - first < count)
            return code.symbols[index + value - first];
        index += count;
        first = (first + count) << 1;
        value <<= 1;
    }
    return -1;
}

const PrefixCode& FixedLiteralCode()
{
    static const PrefixCode code = [] {
        uint8_t lengths[kLiteralSymbols];
        for (int symbol = 0; symbol < kLiteralSymbols; ++symbol)
            lengths[symbol] = symbol < 144 ? 8 : symbol < 256 ? 9 : symbol < 280 ? 7 : 8;
        PrefixCode built;
        BuildPrefixCode(lengths, kLiteralSymbols, built);
        return built;
    }();
    return code;
}

const PrefixCode& FixedDistanceCode()
{
    static const PrefixCode code = [] {
        uint8_t lengths[kDistanceSymbols];
        std::fill(std::begin(lengths), std::end(lengths), uint8_t{5});
        PrefixCode built;
        BuildPrefixCode(lengths, kDistanceSymbols, built);
        return built;
    }();
    return code;
}

// A dynamic block's two codes, themselves sent in a code of code lengths.
bool ReadDynamicCodes(BitStream& bits, PrefixCode& literals, PrefixCode& distances)
{
    static const uint8_t kOrder[19] = {16, 17, 18, 0, 8, 7, 9, 6, 10, 5, 11, 4, 12, 3, 13, 2, 14, 1, 15};
    const int literalCount = static_cast<int>(bits.take(5)) + 257;
    const int distanceCount = static_cast<int>(bits.take(5)) + 1;
    const int lengthCodeCount = static_cast<int>(bits.take(4)) + 4;
    uint8_t lengthCodeLengths[19] = {};
    for (int i = 0; i < lengthCodeCount; ++i)
        lengthCodeLengths[kOrder[i]] = static_cast<uint8_t>(bits.take(3));
    PrefixCode lengthCode;
    if (!BuildPrefixCode(lengthCodeLengths, 19, lengthCode))
        return false;
    uint8_t lengths[kLiteralSymbols + kDistanceSymbols] = {};
    const int total = literalCount + distanceCount;
    for (int filled = 0; filled < total;)
    {
        const int symbol = ReadSymbol(bits, lengthCode);
        if (symbol < 0 || bits.overran())
            return false;
        if (symbol < 16)
        {
            lengths[filled++] = static_cast<uint8_t>(symbol);
            continue;
        }
        if (symbol == 16 && filled == 0)
            return false;
        const uint8_t repeated = symbol == 16 ? lengths[filled - 1] : 0;
        const int times = symbol == 16 ? 3 + static_cast<int>(bits.take(2))
                          : symbol == 17 ? 3 + static_cast<int>(bits.take(3))
                                         : 11 + static_cast<int>(bits.take(7));
        if (total - filled < times)
            return false;
        std::fill(lengths + filled, lengths + filled + times, repeated);
        filled += times;
    }
    return BuildPrefixCode(lengths, literalCount, literals) &&
           BuildPrefixCode(lengths + literalCount, distanceCount, distances);
}

// Counts one block of codes onto the total; false when it is damaged. A match may reach no
// further back than what came before it, as every inflater insists.
bool CountCodedBlock(BitStream& bits, const PrefixCode& literals, const PrefixCode& distances, uint64_t limit,
                     uint64_t& total)
{
    while (total <= limit)
    {
        int symbol = ReadSymbol(bits, literals);
        if (symbol < 0 || bits.overran())
            return false;
        if (symbol == kEndOfBlock)
            return true;
        if (symbol < kEndOfBlock)
        {
            ++total;
            continue;
        }
        symbol -= kEndOfBlock + 1;
        const uint32_t length = kLengthBase[symbol] + bits.take(kLengthExtra[symbol]);
        const int distanceSymbol = ReadSymbol(bits, distances);
        if (distanceSymbol < 0)
            return false;
        const uint32_t distance = kDistanceBase[distanceSymbol] + bits.take(kDistanceExtra[distanceSymbol]);
        if (distance > total || bits.overran())
            return false;
        total += length;
    }
    return true;
}

bool CountStoredBlock(BitStream& bits, uint64_t& total)
{
    bits.alignToByte();
    const uint32_t length = bits.take(16);
    const uint32_t complement = bits.take(16);
    if ((length ^ 0xFFFFu) != complement || bits.overran())
        return false;
    total += length;
    return bits.skipBytes(length);
}
}

std::optional<uint64_t> DeflateInflatedSize(const unsigned char* data, size_t size, uint64_t limit)
{
    BitStream bits(data, size);
    PrefixCode literals;
    PrefixCode distances;
    uint64_t total = 0;
    bool last = false;
    while (!last && total <= limit)
    {
        last = bits.take(1) != 0;
        const uint32_t type = bits.take(2);
        bool whole = false;
        if (type == 0)
            whole = CountStoredBlock(bits, total);
        else if (type == 1)
            whole = CountCodedBlock(bits, FixedLiteralCode(), FixedDistanceCode(), limit, total);
        else if (type == 2)
            whole = ReadDynamicCodes(bits, literals, distances) &&
                    CountCodedBlock(bits, literals, distances, limit, total);
        if (!whole || bits.overran())
            return std::nullopt;
    }
    return total;
}
