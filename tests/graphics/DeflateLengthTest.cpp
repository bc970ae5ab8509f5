#include "graphics/DeflateLength.h"

#include <gtest/gtest.h>
#include <zlib.h>

#include <string>
#include <tuple>

namespace
{
// A raw deflate stream of the text, as zlib writes it, with a dictionary it may refer back to.
std::string Deflate(const std::string& text, int level, int strategy, const std::string& dictionary = "")
{
    z_stream stream{};
    deflateInit2(&stream, level, Z_DEFLATED, -MAX_WBITS, 8, strategy);
    deflateSetDictionary(&stream, reinterpret_cast<const Bytef*>(dictionary.data()), dictionary.size());
    std::string out(deflateBound(&stream, text.size()), '\0');
    stream.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(text.data()));
    stream.avail_in = static_cast<uInt>(text.size());
    stream.next_out = reinterpret_cast<Bytef*>(out.data());
    stream.avail_out = static_cast<uInt>(out.size());
    deflate(&stream, Z_FINISH);
    out.resize(stream.total_out);
    deflateEnd(&stream);
    return out;
}

std::optional<uint64_t> Count(const std::string& stream, size_t size, uint64_t limit = UINT64_MAX)
{
    return DeflateInflatedSize(reinterpret_cast<const unsigned char*>(stream.data()), size, limit);
}
}

// Every kind of block zlib writes counts to what it holds, stopping soon after the limit. A cut
// stream is damaged, but a fixed-code block reads the zeros past its end as its end code, as
// stb_image does; so is a stream whose matches reach back before its start.
TEST(DeflateLength, CountsEveryKindOfBlockAndRefusesBrokenStreams)
{
    std::string text;
    for (int i = 0; text.size() < 300000; ++i)
        text += std::to_string(i * 7919 % 1000) + std::string(static_cast<size_t>(i % 300), static_cast<char>('a' + i % 26));
    const std::tuple<int, int, bool> writers[] = {{0, Z_DEFAULT_STRATEGY, true}, {9, Z_DEFAULT_STRATEGY, true},
                                                  {6, Z_FIXED, false}, {6, Z_RLE, true}, {6, Z_HUFFMAN_ONLY, true}};
    for (const auto& [level, strategy, cutIsDamaged] : writers)
    {
        const std::string stream = Deflate(text, level, strategy);
        const uint64_t stopped = Count(stream, stream.size(), 1000).value_or(0);
        EXPECT_EQ(Count(stream, stream.size()), text.size()) << level << " " << strategy;
        EXPECT_TRUE(stopped > 1000 && stopped < 70000) << level << " " << strategy << ": " << stopped;
        EXPECT_EQ(!Count(stream, stream.size() / 2), cutIsDamaged) << level << " " << strategy;
    }
    const std::string backward = Deflate(text.substr(0, 1000), 9, Z_DEFAULT_STRATEGY, text.substr(0, 1000));
    EXPECT_FALSE(Count(backward, backward.size()));
}
