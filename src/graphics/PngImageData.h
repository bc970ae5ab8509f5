#pragma once
// Checks of a PNG file's chunks made before stb_image sees it. stb trusts two things a small
// hostile file can lie about: the length a chunk claims, which it reserves before reading, and
// the length of the deflated pixel data, which it inflates whole before comparing it with the
// size in the header. A few kilobytes of deflated zeros inflate to a gigabyte, so the data is
// inflated here first, into a small scratch buffer that nothing keeps, and counted; the walk
// stops as soon as the count passes what the header's size needs.

#include <cstdint>
#include <string>

// Every chunk's claimed length fits within the bytes after it.
bool PngChunksFit(const std::string& bytes);

// The bytes of filtered rows a PNG of this header inflates to: per row, one filter byte and
// the packed pixels, for each of the seven interlace passes when interlaced.
uint64_t PngFilteredSize(uint32_t width, uint32_t height, unsigned bitsPerPixel, bool interlaced);

// Why the pixel data of a PNG whose chunks fit cannot be decoded safely, or empty when it can.
// Data that does not inflate cleanly is refused too: stb's own inflater is laxer than zlib's,
// so only a stream zlib reads whole is known to stay within the size.
std::string PngImageDataRefusal(const std::string& bytes);
