#pragma once
// The number of bytes a raw deflate stream inflates to, found without inflating it. Counting
// needs the stream's codes but none of its bytes: a literal counts one, a match its length, a
// stored block its size, and nothing is copied or kept. So the count costs no memory beyond a
// few small tables, and far less time than inflating, whose cost is the copying of matches.

#include <cstddef>
#include <cstdint>
#include <optional>

// The count, or no value when the stream is damaged or ends before its last block. Counting
// stops as soon as the count passes the limit, which the value returned then shows.
std::optional<uint64_t> DeflateInflatedSize(const unsigned char* data, size_t size, uint64_t limit);
