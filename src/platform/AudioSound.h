#pragma once
// One sound of the AudioSystem: either decoded into memory at load (effects) or a stream
// that is read from its file while it plays (music). Only mono and stereo files are taken.
// A file's header may lie about its length, so a decoded sound is read until the decoder
// stops, never past a fixed size: a longer one is refused rather than filling memory.

#include "platform/AudioSampleReader.h"

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

class AudioSound
{
public:
    static constexpr int64_t kMaxDecodedBytes = 64 * 1024 * 1024;
    static constexpr const char* kUnreadable = "could not be read.";
    static constexpr const char* kTooLong = "is too long: it decodes to more than 64 MB.";

    // Null when the file cannot be opened or decoded, with the reason in problem.
    static std::unique_ptr<AudioSound> load(const std::string& path, bool stream, std::string& problem);
    static std::unique_ptr<AudioSound> load(const std::string& path, bool stream);

    const std::string& getPath() const { return path; }
    bool isStream() const { return stream; }
    int32_t getChannels() const { return channels; }
    int32_t getSampleRate() const { return sampleRate; }
    int64_t getFrameCount() const { return frameCount; }
    uint32_t getLengthMs() const;
    // A fresh reader at the first frame; null when a streamed file can no longer be opened.
    std::unique_ptr<AudioSampleReader> openReader() const;

private:
    bool decode(AudioSampleReader& file);

    std::string path;
    bool stream = false;
    int32_t channels = 0;
    int32_t sampleRate = 0;
    int64_t frameCount = 0;
    std::vector<int16_t> samples;
};
