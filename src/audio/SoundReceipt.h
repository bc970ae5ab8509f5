#pragma once
// The handle every play of SoundManager returns. Channels are reused once a sound ends, so
// every operation first checks that the channel still carries this receipt's tag; a receipt
// whose channel has moved on turns invalid for good (until resume replays the sound) and
// only stores the values it is given.

#include "platform/AudioChannel.h"

#include <cstdint>
#include <string>

class SoundReceipt
{
public:
    // The empty receipt: no channel, not valid, tag 0.
    SoundReceipt() = default;
    // Stamps the channel with a fresh tag; a channel that is not live leaves the receipt
    // invalid from the start.
    SoundReceipt(AudioChannel channel, std::string sourceName, std::string groupName, float volume,
                 float pitch, bool stream, int32_t loopCount);

    virtual void pause();
    virtual void resume();
    virtual void stop();
    virtual void setVolume(float newVolume);
    virtual float getVolume() const;
    virtual void setPitch(float newPitch);
    virtual bool isPlaying();
    virtual void setLooping(bool looping);
    virtual void restart();
    virtual void restartPaused();

    // Plays the same source on the same group again at the stored volume and pitch and takes
    // over the new receipt.
    void replay();

    bool isValid() const { return valid; }
    uint64_t getTag() const { return tag; }
    const std::string& getSourceName() const { return sourceName; }
    const std::string& getGroupName() const { return groupName; }
    float getPitch() const { return pitch; }
    bool isStream() const { return stream; }
    int32_t getLoopCount() const { return loopCount; }
    void setLoopCount(int32_t count) { loopCount = count; }
    const AudioChannel& getChannel() const { return channel; }

    // Receipts built since the manager last initialised; every build counts one.
    static int32_t getCounter();
    static void resetCounter();

private:
    bool checkTag();

    AudioChannel channel;
    bool valid = false;
    uint64_t tag = 0;
    std::string sourceName;
    std::string groupName;
    float volume = 0.0f;
    float pitch = 0.0f;
    bool stream = false;
    int32_t loopCount = 0;
};
