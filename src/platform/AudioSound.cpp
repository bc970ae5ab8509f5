#include "platform/AudioSound.h"

#include "platform/AudioFileReader.h"
#include "platform/AudioMemoryReader.h"

std::unique_ptr<AudioSound> AudioSound::load(const std::string& path, bool stream)
{
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
    if (!stream)
    {
        sound->samples.resize(static_cast<size_t>(info.frames * info.channels));
        sound->frameCount = file.read(sound->samples.data(), info.frames);
        sound->samples.resize(static_cast<size_t>(sound->frameCount * info.channels));
    }
    return sound;
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
