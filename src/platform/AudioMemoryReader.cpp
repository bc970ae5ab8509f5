#include "platform/AudioMemoryReader.h"

#include <algorithm>

AudioMemoryReader::AudioMemoryReader(const std::vector<int16_t>& samples, int32_t channels)
    : samples(samples), channels(channels)
{
}

int64_t AudioMemoryReader::read(int16_t* out, int64_t frames)
{
    const int64_t total = static_cast<int64_t>(samples.size()) / channels;
    const int64_t count = std::clamp<int64_t>(total - frame, 0, frames);
    std::copy_n(samples.begin() + frame * channels, count * channels, out);
    frame += count;
    return count;
}

void AudioMemoryReader::seek(int64_t target)
{
    frame = std::clamp<int64_t>(target, 0, static_cast<int64_t>(samples.size()) / channels);
}
