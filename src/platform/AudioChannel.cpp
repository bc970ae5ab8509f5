#include "platform/AudioChannel.h"

#include "platform/AudioSystem.h"

AudioChannel::AudioChannel(AudioSystem* system, int32_t slot, uint32_t generation)
    : system(system), slot(slot), generation(generation)
{
}

AudioVoice* AudioChannel::voice() const
{
    return system ? system->findVoice(slot, generation) : nullptr;
}

bool AudioChannel::isLive() const
{
    return voice() != nullptr;
}

bool AudioChannel::isPlaying() const
{
    const AudioVoice* v = voice();
    return v && !v->finished;
}

void AudioChannel::stop()
{
    if (AudioVoice* v = voice())
        v->end();
}

void AudioChannel::setPaused(bool paused)
{
    if (AudioVoice* v = voice())
        v->setPaused(paused, AudioSystem::nowMs());
}

bool AudioChannel::getPaused() const
{
    const AudioVoice* v = voice();
    return v && v->paused;
}

void AudioChannel::setVolume(float volume)
{
    if (AudioVoice* v = voice())
    {
        v->volume = volume;
        v->applyGain();
    }
}

float AudioChannel::getVolume() const
{
    const AudioVoice* v = voice();
    return v ? v->volume : 0.0f;
}

float AudioChannel::getAudibility() const
{
    const AudioVoice* v = voice();
    return v ? v->effectiveVolume() : 0.0f;
}

void AudioChannel::setPitch(float pitch)
{
    if (AudioVoice* v = voice())
    {
        // Time played so far counts at the old pitch.
        v->advanceSilently(AudioSystem::nowMs());
        v->pitch = pitch;
        v->applyPitch();
    }
}

float AudioChannel::getPitch() const
{
    const AudioVoice* v = voice();
    return v ? v->pitch : 0.0f;
}

void AudioChannel::setLoopCount(int32_t loopCount)
{
    if (AudioVoice* v = voice())
    {
        // Passes already played count under the old loop count.
        v->advanceSilently(AudioSystem::nowMs());
        v->setLoopCount(loopCount);
    }
}

int32_t AudioChannel::getLoopCount() const
{
    const AudioVoice* v = voice();
    return v ? v->loopCount : 0;
}

void AudioChannel::setPosition(uint32_t milliseconds)
{
    if (AudioVoice* v = voice())
        v->setPosition(milliseconds, AudioSystem::nowMs());
}

uint32_t AudioChannel::getPosition() const
{
    AudioVoice* v = voice();
    if (!v)
        return 0;
    v->advanceSilently(AudioSystem::nowMs());
    return v->getPositionMs();
}

void AudioChannel::setUserData(uint64_t value)
{
    if (AudioVoice* v = voice())
        v->userData = value;
}

uint64_t AudioChannel::getUserData() const
{
    const AudioVoice* v = voice();
    return v ? v->userData : 0;
}

AudioChannelGroup* AudioChannel::getGroup() const
{
    const AudioVoice* v = voice();
    return v ? v->group : nullptr;
}
