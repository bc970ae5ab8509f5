#include "platform/AudioSystem.h"

#include "engine/TimeHelpers.h"
#include "engine/TraceLog.h"
#include "platform/AudioChannelGroup.h"
#include "platform/AudioSound.h"

#include <AL/al.h>
#include <alsa/asoundlib.h>
#include <algorithm>
#include <cstdlib>
#include <cstring>

namespace
{
constexpr const char* kLogName = "AudioSystem";
// OpenAL Soft's null backend opens but plays nowhere; silent mode keeps better time.
constexpr const char* kNullDeviceName = "No Output";
bool gDeviceAllowed = true;
constexpr const char* kOpenALLogLevel = "ALSOFT_LOGLEVEL";

void IgnoreAlsaError(const char*, int, const char*, int, const char*, ...) {}

// While the device opens, the sound libraries keep their own complaints to themselves: on a
// machine without a sound card ALSA and OpenAL Soft print several lines each, and our one line
// says what matters. OpenAL Soft reads its log level once, when it is first used; a level the
// user has set is kept.
class QuietSoundLibraries
{
public:
    QuietSoundLibraries() : setLogLevel(std::getenv(kOpenALLogLevel) == nullptr)
    {
        if (setLogLevel)
            setenv(kOpenALLogLevel, "0", 0);
        snd_lib_error_set_handler(IgnoreAlsaError);
    }
    ~QuietSoundLibraries()
    {
        snd_lib_error_set_handler(nullptr);
        if (setLogLevel)
            unsetenv(kOpenALLogLevel);
    }
    QuietSoundLibraries(const QuietSoundLibraries&) = delete;
    QuietSoundLibraries& operator=(const QuietSoundLibraries&) = delete;

private:
    const bool setLogLevel;
};

// Among equally quiet channels the oldest goes first.
bool isQuieter(const AudioVoice& a, const AudioVoice& b)
{
    const float va = a.effectiveVolume();
    const float vb = b.effectiveVolume();
    return va < vb || (va == vb && a.startOrder < b.startOrder);
}

template <class T>
void EraseOwned(std::vector<std::unique_ptr<T>>& owned, T* item)
{
    owned.erase(std::remove_if(owned.begin(), owned.end(),
                               [item](const std::unique_ptr<T>& p) { return p.get() == item; }),
                owned.end());
}
}

AudioSystem::AudioSystem() = default;

AudioSystem::~AudioSystem()
{
    release();
}

void AudioSystem::setDeviceAllowed(bool allowed)
{
    gDeviceAllowed = allowed;
}

int64_t AudioSystem::nowMs()
{
    return GetTimeMs();
}

void AudioSystem::init(int32_t channels)
{
    release();
    maxChannels = std::max(channels, 1);
    if (static_cast<int32_t>(voices.size()) < maxChannels)
        voices.resize(static_cast<size_t>(maxChannels));
    initialized = true;
    if (!gDeviceAllowed || !openDevice())
    {
        Log()->message(kLogName, "no audio output device, playing silent on the game clock");
        return;
    }
    for (int32_t i = 0; i < maxChannels; ++i)
        voices[static_cast<size_t>(i)].attachDevice();
}

bool AudioSystem::openDevice()
{
    {
        const QuietSoundLibraries quiet;
        device = alcOpenDevice(nullptr);
    }
    if (!device)
        return false;
    const ALCchar* name = alcGetString(device, ALC_DEVICE_SPECIFIER);
    if (name && std::strcmp(name, kNullDeviceName) == 0)
    {
        closeDevice();
        return false;
    }
    context = alcCreateContext(device, nullptr);
    if (!context || !alcMakeContextCurrent(context))
    {
        closeDevice();
        return false;
    }
    return true;
}

void AudioSystem::closeDevice()
{
    if (context)
    {
        alcMakeContextCurrent(nullptr);
        alcDestroyContext(context);
        context = nullptr;
    }
    if (device)
    {
        alcCloseDevice(device);
        device = nullptr;
    }
}

void AudioSystem::release()
{
    for (AudioVoice& voice : voices)
    {
        if (voice.active)
            voice.end();
        voice.detachDevice();
    }
    sounds.clear();
    groups.clear();
    closeDevice();
    initialized = false;
}

AudioSound* AudioSystem::addSound(const std::string& path, bool stream)
{
    std::string problem;
    std::unique_ptr<AudioSound> sound = AudioSound::load(path, stream, problem);
    if (!sound)
    {
        Log()->error("Sound file [" + path + "] " + problem);
        return nullptr;
    }
    sounds.push_back(std::move(sound));
    return sounds.back().get();
}

AudioSound* AudioSystem::createSound(const std::string& path)
{
    return addSound(path, false);
}

AudioSound* AudioSystem::createStream(const std::string& path)
{
    return addSound(path, true);
}

void AudioSystem::releaseSound(AudioSound* sound)
{
    if (!sound)
        return;
    endVoicesPlaying(sound);
    EraseOwned(sounds, sound);
}

AudioChannelGroup* AudioSystem::createChannelGroup(const std::string& name)
{
    groups.push_back(std::make_unique<AudioChannelGroup>(this, name));
    return groups.back().get();
}

void AudioSystem::releaseChannelGroup(AudioChannelGroup* group)
{
    if (!group)
        return;
    for (AudioVoice& voice : voices)
    {
        if (voice.active && voice.group == group)
        {
            voice.advanceSilently(nowMs());
            voice.group = nullptr;
            voice.applyGain();
            voice.applyPitch();
        }
    }
    EraseOwned(groups, group);
}

int32_t AudioSystem::claimSlot()
{
    int32_t quietest = -1;
    for (int32_t i = 0; i < maxChannels; ++i)
    {
        const AudioVoice& voice = voices[static_cast<size_t>(i)];
        if (!voice.active)
            return i;
        if (quietest < 0 || isQuieter(voice, voices[static_cast<size_t>(quietest)]))
            quietest = i;
    }
    voices[static_cast<size_t>(quietest)].end();
    return quietest;
}

AudioChannel AudioSystem::playSound(AudioSound* sound, AudioChannelGroup* group, bool paused)
{
    if (!initialized || !sound)
        return AudioChannel();
    if (sound->isStream())
        endVoicesPlaying(sound);
    const int32_t slot = claimSlot();
    AudioVoice& voice = voices[static_cast<size_t>(slot)];
    voice.begin(sound, group, paused, nowMs());
    voice.startOrder = ++startCounter;
    return AudioChannel(this, slot, voice.generation);
}

void AudioSystem::endVoicesPlaying(const AudioSound* sound)
{
    for (AudioVoice& voice : voices)
    {
        if (voice.active && voice.sound == sound)
            voice.end();
    }
}

void AudioSystem::update()
{
    if (!initialized)
        return;
    const int64_t now = nowMs();
    for (AudioVoice& voice : voices)
    {
        if (!voice.active)
            continue;
        voice.advanceSilently(now);
        voice.pump();
        if (voice.finished)
            voice.end();
    }
}

int32_t AudioSystem::getChannelsPlaying() const
{
    return static_cast<int32_t>(
        std::count_if(voices.begin(), voices.end(), [](const AudioVoice& v) { return v.active; }));
}

AudioVoice* AudioSystem::findVoice(int32_t slot, uint32_t generation)
{
    if (slot < 0 || slot >= static_cast<int32_t>(voices.size()))
        return nullptr;
    AudioVoice& voice = voices[static_cast<size_t>(slot)];
    return voice.active && voice.generation == generation ? &voice : nullptr;
}

void AudioSystem::advanceGroup(AudioChannelGroup* group)
{
    const int64_t now = nowMs();
    for (AudioVoice& voice : voices)
    {
        if (voice.active && voice.group == group)
            voice.advanceSilently(now);
    }
}

void AudioSystem::refreshGroup(AudioChannelGroup* group)
{
    for (AudioVoice& voice : voices)
    {
        if (voice.active && voice.group == group)
        {
            voice.applyGain();
            voice.applyPitch();
        }
    }
}
