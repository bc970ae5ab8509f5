#include "audio/AudioTestFiles.h"
#include "platform/AudioSound.h"
#include "platform/AudioSystem.h"
#include "support/TestSupport.h"

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <fstream>
#include <gtest/gtest.h>
#include <iterator>

namespace
{
// A FLAC file's STREAMINFO block follows the 4-byte marker and a 4-byte block header; its
// 36-bit total frame count starts in the low nibble of byte 21 of the file.
constexpr size_t kTotalFramesNibble = 21;

// A short, valid FLAC file whose header then claims the given number of frames.
bool WriteFlacClaiming(const std::string& path, int frames, uint64_t claimedFrames)
{
    SF_INFO info{};
    info.samplerate = test::kToneRate;
    info.channels = 1;
    info.format = SF_FORMAT_FLAC | SF_FORMAT_PCM_16;
    SNDFILE* file = sf_open(path.c_str(), SFM_WRITE, &info);
    if (!file)
        return false;
    const std::vector<short> samples(static_cast<size_t>(frames), 1000);
    sf_writef_short(file, samples.data(), frames);
    sf_close(file);

    std::ifstream in(path, std::ios::binary);
    std::vector<char> bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    in.close();
    if (bytes.size() < 42 || std::string(bytes.data(), 4) != "fLaC")
        return false;
    bytes[kTotalFramesNibble] = static_cast<char>((bytes[kTotalFramesNibble] & 0xF0) | ((claimedFrames >> 32) & 0x0F));
    for (int i = 0; i < 4; ++i)
        bytes[kTotalFramesNibble + 1 + i] = static_cast<char>((claimedFrames >> (24 - 8 * i)) & 0xFF);
    std::ofstream(path, std::ios::binary | std::ios::trunc).write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    return true;
}

// A silent stereo WAV of the given length, written in chunks.
bool WriteSilence(const std::string& path, int64_t frames)
{
    SF_INFO info{};
    info.samplerate = 44100;
    info.channels = 2;
    info.format = SF_FORMAT_WAV | SF_FORMAT_PCM_16;
    SNDFILE* file = sf_open(path.c_str(), SFM_WRITE, &info);
    if (!file)
        return false;
    const int64_t chunk = 1 << 20;
    const std::vector<short> zeros(static_cast<size_t>(chunk * 2), 0);
    for (int64_t written = 0; written < frames; written += chunk)
        sf_writef_short(file, zeros.data(), std::min(chunk, frames - written));
    sf_close(file);
    return true;
}
}

// The header's frame count is a claim: memory follows what the decoder actually yields.
TEST(AudioSound, HeaderClaimingHugeLengthDecodesOnlyWhatIsThere)
{
    const std::string folder = test::ScratchFolder("audio-sound-lying");
    for (const uint64_t claimed : {uint64_t{1} << 30, (uint64_t{1} << 36) - 1})
    {
        SCOPED_TRACE(claimed);
        const std::string path = folder + "/lying.flac";
        ASSERT_TRUE(WriteFlacClaiming(path, 1500, claimed));
        std::string problem;
        const auto sound = AudioSound::load(path, false, problem);
        ASSERT_NE(sound, nullptr);
        EXPECT_EQ(problem, "");
        EXPECT_EQ(sound->getFrameCount(), 1500);
        EXPECT_EQ(sound->getLengthMs(), 1500u);
    }
}

TEST(AudioSound, SoundPastTheDecodeBoundIsRefusedWithOneLineAndPlaysAsSilence)
{
    const std::string folder = test::ScratchFolder("audio-sound-long");
    const std::string path = folder + "/long.wav";
    const int64_t framesAtBound = AudioSound::kMaxDecodedBytes / 4;
    ASSERT_TRUE(WriteSilence(path, framesAtBound + 1));

    test::SilentAudioClock clock;
    AudioSystem audio;
    audio.init(4);
    test::ConsoleCapture console;
    AudioSound* sound = audio.createSound(path);
    const std::vector<std::string> errors = test::SplitLines(console.err());
    EXPECT_EQ(sound, nullptr);
    ASSERT_EQ(errors.size(), 1u);
    EXPECT_EQ(errors[0], "ERROR! : Sound file [" + path + "] " + AudioSound::kTooLong);
    EXPECT_FALSE(audio.playSound(sound, nullptr, false).isPlaying());
    EXPECT_NE(audio.createStream(path), nullptr);
    std::remove(path.c_str());
}

// The decoder gives up on an Ogg Vorbis file whose header packets are cut short; the file is
// then unreadable, and nothing of the attempt may stay allocated (the sanitizer build checks).
TEST(AudioSound, CutOggVorbisIsUnreadable)
{
    const std::string folder = test::ScratchFolder("audio-sound-cut-ogg");
    ASSERT_TRUE(test::WriteTone(folder + "/whole.ogg", 500, 1, 8000, SF_FORMAT_OGG | SF_FORMAT_VORBIS));
    const std::string whole = test::ReadText(folder + "/whole.ogg");
    // The headers cut short, half the file, and the cut headers behind a torn page.
    const std::string cuts[] = {whole.substr(0, 100), whole.substr(0, whole.size() / 2),
                                "OggS" + std::string(28, '\0') + whole.substr(0, 100)};
    for (const std::string& cut : cuts)
    {
        SCOPED_TRACE(cut.size());
        const std::string path = folder + "/cut.ogg";
        test::WriteText(path, cut);
        for (const bool stream : {false, true})
        {
            std::string problem;
            EXPECT_EQ(AudioSound::load(path, stream, problem), nullptr);
            EXPECT_EQ(problem, AudioSound::kUnreadable);
        }
    }
}
