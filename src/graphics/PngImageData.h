#pragma once
// Checks of a PNG file's chunks made before stb_image decodes it. stb trusts two things a small
// hostile file can lie about: the length a chunk claims, which it reserves before reading, and
// the length of the deflated pixel data, which it inflates whole, into a buffer it keeps
// doubling, before comparing it with the size in the header. A megabyte of deflated zeros
// inflates to a gigabyte. So the bytes the pixel data inflates to are first counted here,
// without inflating it (DeflateLength.h), and the data is refused once the count passes a
// bound. The bound leaves a margin past the size the header needs, because stb takes data that
// runs on past the pixels and real encoders have been seen padding it with zeros.

#include <cstdint>
#include <string>

// Every chunk's claimed length, up to and with the end chunk, fits within the bytes after it.
bool PngChunksFit(const std::string& bytes);

// The bytes of filtered rows a PNG of this header inflates to: per row, one filter byte and
// the packed pixels, for each of the seven interlace passes when interlaced.
uint64_t PngFilteredSize(uint32_t width, uint32_t height, unsigned bitsPerPixel, bool interlaced);

// Why the pixel data of a PNG whose chunks fit may not be decoded, or empty when it may. Data
// may inflate past the size its header needs by that size again, or by 1 MiB when more.
std::string PngImageDataRefusal(const std::string& bytes);
