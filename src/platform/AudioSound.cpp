#include "platform/AudioSound.h"

#include "platform/AudioFileReader.h"
#include "platform/AudioMemoryReader.h"

namespace
{
constexpr int64_t kChunkFrames = 16384;
}

std::unique_ptr<AudioSound> AudioSound::load(const std::string& path, bool stream, std::string& problem)
{
    problem = kUnreadable;
    AudioFileReader file(path);
    const SF_INFO& info = file.getInfo();
    if (!file.isOpen() || info.channels < 1 || info.channels > 2 || info.samplerate <= 0)
        return nullptr;
    auto sound = std::make_unique<AudioSound>();
    sound->path = path;
    sound->stream = stream;
    sound->channels = info.channels;
    sound->sampleRate = info.samplerate;
    sound->frameCount = info.frames;
    if (!stream && !sound->decode(file))
    {
        problem = kTooLong;
        return nullptr;
    }
    problem.clear();
    return sound;
}

std::unique_ptr<AudioSound> AudioSound::load(const std::string& path, bool stream)
{
    std::string problem;
    return load(path, stream, problem);
}

// Reads chunk by chunk until the decoder stops; false once the samples would pass the bound.
bool AudioSound::decode(AudioSampleReader& file)
{
    const int64_t maxSamples = kMaxDecodedBytes / static_cast<int64_t>(sizeof(int16_t));
    std::vector<int16_t> chunk(static_cast<size_t>(kChunkFrames * channels));
    samples.clear();
    for (;;)
    {
        const int64_t frames = file.read(chunk.data(), kChunkFrames);
        if (frames <= 0)
            break;
        const int64_t count = frames * channels;
        if (static_cast<int64_t>(samples.size()) + count > maxSamples)
        {
            samples = {};
            return false;
        }
        samples.insert(samples.end(), chunk.begin(), chunk.begin() + count);
    }
    samples.shrink_to_fit();
    frameCount = static_cast<int64_t>(samples.size()) / channels;
    return true;
}

uint32_t AudioSound::getLengthMs() const
{
    return static_cast<uint32_t>(frameCount * 1000 / sampleRate);
}

std::unique_ptr<AudioSampleReader> AudioSound::openReader() const
{
    if (!stream)
        return std::make_unique<AudioMemoryReader>(samples, channels);
    auto reader = std::make_unique<AudioFileReader>(path);
    if (!reader->isOpen())
        return nullptr;
    return reader;
}
