#pragma once
// Hands out 16-bit interleaved frames of one sound, front to back, and can jump to any frame.
// A playing voice owns one, so two voices of the same sound never disturb each other.

#include <cstdint>

class AudioSampleReader
{
public:
    virtual ~AudioSampleReader() = default;
    // Fills `out` with up to `frames` frames; returns how many it wrote (0 at the end).
    virtual int64_t read(int16_t* out, int64_t frames) = 0;
    virtual void seek(int64_t frame) = 0;
};
