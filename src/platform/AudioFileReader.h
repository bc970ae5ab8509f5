#pragma once
// Reads frames straight from a sound file (WAV, OGG, FLAC), for music streamed from disk.

#include "platform/AudioSampleReader.h"

#include <sndfile.h>
#include <string>

class AudioFileReader : public AudioSampleReader
{
public:
    explicit AudioFileReader(const std::string& path);
    ~AudioFileReader() override;
    AudioFileReader(const AudioFileReader&) = delete;
    AudioFileReader& operator=(const AudioFileReader&) = delete;

    bool isOpen() const { return file != nullptr; }
    const SF_INFO& getInfo() const { return info; }
    int64_t read(int16_t* out, int64_t frames) override;
    void seek(int64_t frame) override;

private:
    SNDFILE* file = nullptr;
    SF_INFO info{};
};
