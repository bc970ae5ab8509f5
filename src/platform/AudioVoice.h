#pragma once
// One of the AudioSystem's channel slots. A voice plays one sound at a time: with an output
// device it feeds an OpenAL source through a small queue of buffers (which is how loop counts
// and rewinding work the same for decoded sounds and streams); without one it only keeps the
// play position from the game clock, so sounds still end when their length has played.

#include "platform/AudioSampleReader.h"

#include <AL/al.h>
#include <array>
#include <cstdint>
#include <memory>
#include <vector>

class AudioChannelGroup;
class AudioSound;

struct AudioVoice
{
    static constexpr int32_t kBufferCount = 4;
    static constexpr int64_t kBufferFrames = 4096;

    // Called once the device is open: gives the voice its OpenAL source and buffers.
    void attachDevice();
    void detachDevice();

    void begin(AudioSound* playSound, AudioChannelGroup* playGroup, bool startPaused,
               int64_t nowMs);
    // Frees the slot; the generation moves on so old handles go stale.
    void end();

    float effectiveVolume() const;
    float effectivePitch() const;
    void applyGain();
    void applyPitch();
    void setPaused(bool pause, int64_t nowMs);
    void setLoopCount(int32_t count);
    void setPosition(uint32_t milliseconds, int64_t nowMs);
    uint32_t getPositionMs() const;

    // Device mode: starts a pending voice, refills played buffers, notes the end.
    void pump();
    // Silent mode: moves the position on by the game time since the last call.
    void advanceSilently(int64_t nowMs);

    bool active = false;
    bool finished = false;
    uint32_t generation = 0;
    uint64_t userData = 0;
    uint64_t startOrder = 0;
    AudioSound* sound = nullptr;
    AudioChannelGroup* group = nullptr;
    float volume = 1.0f;
    float pitch = 1.0f;
    bool paused = false;
    int32_t loopCount = 0;

private:
    void startSource();
    bool fillBuffer(ALuint buffer);
    int64_t readLooping(int16_t* out, int64_t frames);
    void skipLooping(int64_t frames);
    bool wrapAtEnd();
    void clearQueue();

    bool hasSource = false;
    ALuint source = 0;
    std::array<ALuint, kBufferCount> buffers{};
    std::unique_ptr<AudioSampleReader> reader;
    std::vector<int16_t> scratch;
    bool pendingStart = false;
    bool exhausted = false;
    int64_t position = 0;
    double fraction = 0.0;
    int64_t lastMs = 0;
};
