// Fuzz target: the PNG check's count of a deflate stream, against stb_image's own inflater. The
// check keeps stb from inflating a bomb, so its count must never fall short of what stb writes:
// where stb takes a stream the two agree, and where stb runs out of room the count says so too.

#include "graphics/DeflateLength.h"

#include <stb/stb_image.h>

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <optional>

namespace
{
constexpr int kRoom = 1 << 20;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    static char* const room = static_cast<char*>(std::malloc(kRoom));
    const int written = stbi_zlib_decode_noheader_buffer(room, kRoom, reinterpret_cast<const char*>(data),
                                                         static_cast<int>(size));
    const std::optional<uint64_t> counted = DeflateInflatedSize(data, size, kRoom);
    if (written >= 0 && counted != static_cast<uint64_t>(written))
        std::abort();
    const bool outOfRoom = written < 0 && std::strcmp(stbi_failure_reason(), "output buffer limit") == 0;
    if (outOfRoom && counted && *counted <= static_cast<uint64_t>(kRoom))
        std::abort();
    return 0;
}
