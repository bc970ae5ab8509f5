// Decodes every shipped sound with the game's own decoder and checks what a player hears:
// each preset loud enough to hear through its preset and group volumes and never clipped,
// and each music track looping round without a click or a fade at the loop point.

#include "engine/FileHelpers.h"
#include "platform/AudioSound.h"

#include <algorithm>
#include <cmath>
#include <filesystem>
#include <gtest/gtest.h>
#include <nlohmann/json.hpp>
#include <vector>

namespace
{
constexpr double kFullScale = 32768.0;
// -20 dBFS: quieter than this and a short effect is lost under the music.
constexpr double kHeardPeakFloor = 0.1;
// A sample this close to full scale means the generator clipped it.
constexpr double kClipLevel = 0.99;
// How much of the loop's start and end is compared with the whole track's level.
constexpr double kEdgeSeconds = 0.5;

// The first channel of a file, decoded as the game decodes effects (into memory).
std::vector<double> Decode(const std::string& path, int32_t& rate)
{
    std::vector<double> samples;
    const auto sound = AudioSound::load(path, false);
    if (!sound)
        return samples;
    rate = sound->getSampleRate();
    const int32_t channels = sound->getChannels();
    std::vector<int16_t> frames(static_cast<size_t>(sound->getFrameCount() * channels));
    const int64_t read = sound->openReader()->read(frames.data(), sound->getFrameCount());
    for (int64_t i = 0; i < read; ++i)
        samples.push_back(frames[static_cast<size_t>(i * channels)] / kFullScale);
    return samples;
}

double Rms(std::vector<double>::const_iterator first, std::vector<double>::const_iterator last)
{
    double sum = 0.0;
    for (auto it = first; it != last; ++it)
        sum += *it * *it;
    return std::sqrt(sum / static_cast<double>(std::max<std::ptrdiff_t>(1, last - first)));
}

// The n-th difference of the loop played round, so the step across the seam is its last entry.
std::vector<double> LoopDifference(const std::vector<double>& samples, int order)
{
    std::vector<double> out = samples;
    for (int pass = 0; pass < order; ++pass)
    {
        std::vector<double> next(out.size());
        for (size_t i = 0; i < out.size(); ++i)
            next[i] = out[(i + 1) % out.size()] - out[i];
        out = std::move(next);
    }
    return out;
}

std::string SourcePath(const std::string& source)
{
    const std::string music = "assets/sound/music/" + source + ".ogg";
    return std::filesystem::exists(music) ? music : "assets/sound/soundSources/" + source + ".wav";
}
}

TEST(ShippedSoundLevelsTest, EveryPresetIsHeardAndNoneClips)
{
    const auto presets = nlohmann::json::parse(ReadFile("assets/sound/soundPresets.json"));
    const auto groups = nlohmann::json::parse(ReadFile("assets/sound/soundGroups.json"));
    int checked = 0;
    for (const auto& [name, preset] : presets.items())
    {
        if (!preset.is_object())
            continue;
        SCOPED_TRACE(name);
        int32_t rate = 0;
        const std::vector<double> samples = Decode(SourcePath(preset.at("SoundSource")), rate);
        ASSERT_FALSE(samples.empty());
        double peak = 0.0;
        for (double sample : samples)
            peak = std::max(peak, std::fabs(sample));
        const double gain = preset.at("Volume").get<double>() *
                            groups.at(preset.at("Group").get<std::string>()).at("Volume").get<double>();
        EXPECT_GT(peak * gain, kHeardPeakFloor) << "peak " << peak << " at gain " << gain;
        EXPECT_LT(peak, kClipLevel);
        ++checked;
    }
    EXPECT_GT(checked, 0);
}

TEST(ShippedSoundLevelsTest, MusicLoopsRoundWithoutAClickOrAFade)
{
    const std::vector<std::string> tracks = ListFolder("assets/sound/music", false, true);
    ASSERT_EQ(tracks.size(), 3u);
    for (const std::string& path : tracks)
    {
        SCOPED_TRACE(path);
        int32_t rate = 0;
        const std::vector<double> samples = Decode(path, rate);
        ASSERT_GT(samples.size(), static_cast<size_t>(rate * 8));
        const double level = Rms(samples.begin(), samples.end());
        // Across the seam the wave moves no more than it does from one sample to the next
        // anywhere else, and bends no more sharply: the loop point cannot be heard.
        const std::vector<double> step = LoopDifference(samples, 1);
        const std::vector<double> bend = LoopDifference(samples, 2);
        EXPECT_LT(std::fabs(step.back()), Rms(step.begin(), step.end()));
        EXPECT_LT(std::fabs(step.back()), 0.2 * level);
        const double bendLevel = Rms(bend.begin(), bend.end());
        EXPECT_LT(std::fabs(bend[bend.size() - 2]), 2.0 * bendLevel);
        EXPECT_LT(std::fabs(bend.back()), 2.0 * bendLevel);
        // Neither end fades out: the loop plays on at the track's level.
        const auto edge = static_cast<std::ptrdiff_t>(kEdgeSeconds * rate);
        EXPECT_GT(Rms(samples.begin(), samples.begin() + edge), 0.5 * level);
        EXPECT_GT(Rms(samples.end() - edge, samples.end()), 0.5 * level);
    }
}
