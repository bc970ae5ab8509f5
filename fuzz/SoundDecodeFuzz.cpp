// Fuzz target: a sound file decoded as an effect (whole, into memory) and as music (streamed
// from the file in blocks), the two ways the audio layer loads sources.

#include "FuzzLoaderGuard.h"
#include "FuzzScratchFile.h"
#include "platform/AudioSampleReader.h"
#include "platform/AudioSound.h"

#include <cstddef>
#include <cstdint>
#include <vector>

namespace
{
constexpr int64_t kBlockFrames = 1024;
// Enough blocks to pass a few headers and packets without reading an endless stream forever.
constexpr int kMaxBlocks = 64;

void ReadStream(const AudioSound& sound)
{
    const auto reader = sound.openReader();
    if (!reader)
        return;
    std::vector<int16_t> block(static_cast<size_t>(kBlockFrames * sound.getChannels()));
    for (int count = 0; count < kMaxBlocks; ++count)
        if (reader->read(block.data(), kBlockFrames) <= 0)
            return;
}

void Decode(const std::string& path)
{
    if (const auto effect = AudioSound::load(path, false))
        effect->getLengthMs();
    if (const auto music = AudioSound::load(path, true))
        ReadStream(*music);
}
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    static const FuzzScratchFile file("sound.wav");
    file.write(data, size);
    FuzzLoaderGuard::Run(file.getPath(), [&] { Decode(file.getPath()); });
    return 0;
}
