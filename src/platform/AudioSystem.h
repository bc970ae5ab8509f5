#pragma once
// Our small sound library over OpenAL Soft (output) and libsndfile (WAV, OGG, FLAC
// decoding): sounds decoded into memory, streams read from their files while they play,
// a fixed number of channel slots handed out as AudioChannel value handles, and named
// channel groups. When no output device opens, the same layer runs silent: it keeps every
// channel's play position from the game clock, so sounds still end when their length has
// played and everything above it behaves the same.

#include "platform/AudioChannel.h"
#include "platform/AudioVoice.h"

#include <AL/alc.h>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

class AudioChannelGroup;
class AudioSound;

class AudioSystem
{
public:
    AudioSystem();
    ~AudioSystem();
    AudioSystem(const AudioSystem&) = delete;
    AudioSystem& operator=(const AudioSystem&) = delete;

    // Tests switch the device off so they run silent, on the settable clock, on any machine.
    static void setDeviceAllowed(bool allowed);

    // Opens the default output device, or runs silent when none opens.
    void init(int32_t maxChannels);
    // Stops every channel and frees every sound, group and the device. Old handles go
    // stale; the object itself stays usable for another init.
    void release();
    bool isInitialized() const { return initialized; }
    bool isSilent() const { return device == nullptr; }

    // Null when the file cannot be read.
    AudioSound* createSound(const std::string& path);
    AudioSound* createStream(const std::string& path);
    // Stops the channels that play the sound, then frees it.
    void releaseSound(AudioSound* sound);
    AudioChannelGroup* createChannelGroup(const std::string& name);
    // Channels of the group carry on without a group.
    void releaseChannelGroup(AudioChannelGroup* group);

    // Starts the sound on a free slot, taking the quietest one when all are busy. A stream
    // plays on one channel at a time: playing it again stops the earlier channel. Without a
    // sound or before init, the handle returned is already stale.
    AudioChannel playSound(AudioSound* sound, AudioChannelGroup* group, bool paused);
    // Once per step: feeds the device or moves the silent clock, and frees ended channels.
    void update();

    int32_t getMaxChannels() const { return maxChannels; }
    int32_t getChannelsPlaying() const;

    // For AudioChannel and AudioChannelGroup.
    AudioVoice* findVoice(int32_t slot, uint32_t generation);
    void refreshGroup(AudioChannelGroup* group);
    // Silent mode: brings the group's channels up to now before their pitch changes.
    void advanceGroup(AudioChannelGroup* group);
    static int64_t nowMs();

private:
    int32_t claimSlot();
    void endVoicesPlaying(const AudioSound* sound);
    bool openDevice();
    void closeDevice();
    AudioSound* addSound(const std::string& path, bool stream);

    bool initialized = false;
    int32_t maxChannels = 0;
    uint64_t startCounter = 0;
    // Slots are never removed, so a handle's slot index always names a slot whose
    // generation can be compared.
    std::vector<AudioVoice> voices;
    std::vector<std::unique_ptr<AudioSound>> sounds;
    std::vector<std::unique_ptr<AudioChannelGroup>> groups;
    ALCdevice* device = nullptr;
    ALCcontext* context = nullptr;
};
