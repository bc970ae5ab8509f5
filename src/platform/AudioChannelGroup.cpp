#include "platform/AudioChannelGroup.h"

#include "platform/AudioSystem.h"

#include <utility>

AudioChannelGroup::AudioChannelGroup(AudioSystem* system, std::string name)
    : system(system), name(std::move(name))
{
}

void AudioChannelGroup::setVolume(float newVolume)
{
    volume = newVolume;
    system->refreshGroup(this);
}

void AudioChannelGroup::setPitch(float newPitch)
{
    // Time played so far counts at the old pitch.
    system->advanceGroup(this);
    pitch = newPitch;
    system->refreshGroup(this);
}

void AudioChannelGroup::setMute(bool mute)
{
    muted = mute;
    system->refreshGroup(this);
}
