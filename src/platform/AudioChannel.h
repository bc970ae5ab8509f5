#pragma once
// A value handle to one playing voice of the AudioSystem. The handle remembers the slot and
// the slot's generation when the sound started; once that sound ends, is stopped or is
// stolen, the slot's generation moves on and every operation through an old handle does
// nothing (getters return neutral values), so a stale handle never touches the next sound
// played in the same slot.

#include <cstdint>

class AudioSystem;
class AudioChannelGroup;
struct AudioVoice;

class AudioChannel
{
public:
    AudioChannel() = default;
    AudioChannel(AudioSystem* system, int32_t slot, uint32_t generation);

    // True while the handle still refers to the sound it was handed out for.
    bool isLive() const;
    // Live and not ended; a paused sound still counts as playing.
    bool isPlaying() const;
    void stop();

    void setPaused(bool paused);
    bool getPaused() const;
    void setVolume(float volume);
    float getVolume() const;
    // The volume that reaches the output: channel volume times group volume, 0 while the
    // group is muted.
    float getAudibility() const;
    void setPitch(float pitch);
    float getPitch() const;
    // -1 repeats endlessly, 0 plays once, n plays n further times.
    void setLoopCount(int32_t loopCount);
    int32_t getLoopCount() const;
    void setPosition(uint32_t milliseconds);
    uint32_t getPosition() const;
    void setUserData(uint64_t value);
    // 0 once the handle is stale.
    uint64_t getUserData() const;
    AudioChannelGroup* getGroup() const;

    int32_t getSlot() const { return slot; }
    uint32_t getGeneration() const { return generation; }

private:
    AudioVoice* voice() const;

    AudioSystem* system = nullptr;
    int32_t slot = -1;
    uint32_t generation = 0;
};
