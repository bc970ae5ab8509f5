#pragma once
// Reads frames from a sound decoded into memory.

#include "platform/AudioSampleReader.h"

#include <vector>

class AudioMemoryReader : public AudioSampleReader
{
public:
    AudioMemoryReader(const std::vector<int16_t>& samples, int32_t channels);
    int64_t read(int16_t* out, int64_t frames) override;
    void seek(int64_t frame) override;

private:
    const std::vector<int16_t>& samples;
    int32_t channels;
    int64_t frame = 0;
};
