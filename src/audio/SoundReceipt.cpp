#include "audio/SoundReceipt.h"

#include "audio/SoundManager.h"
#include "engine/Engine.h"

#include <utility>

namespace
{
uint64_t gLastTag = 0;

SoundManager* Sound()
{
    return Engine::getSystem<SoundManager>(SoundManager::kName, SoundManagerNull::instance());
}
}

uint64_t SoundReceipt::nextTag()
{
    return ++gLastTag;
}

SoundReceipt::SoundReceipt(AudioChannel channel, std::string sourceName, std::string groupName,
                           float volume, float pitch, bool stream, int32_t loopCount)
    : channel(channel), valid(true), sourceName(std::move(sourceName)),
      groupName(std::move(groupName)), volume(volume), pitch(pitch), stream(stream),
      loopCount(loopCount)
{
    this->channel.setUserData(nextTag());
    // Read back: a channel that never started holds no user data, so the tag stays 0 and
    // the first check marks the receipt invalid.
    tag = this->channel.getUserData();
    valid = tag != 0;
}

bool SoundReceipt::checkTag()
{
    if (tag == 0 || channel.getUserData() != tag)
        valid = false;
    return valid;
}

void SoundReceipt::pause()
{
    if (checkTag())
        channel.setPaused(true);
}

void SoundReceipt::resume()
{
    if (checkTag())
        channel.setPaused(false);
    else
        replay();
}

void SoundReceipt::stop()
{
    if (!checkTag())
        return;
    channel.stop();
    valid = false;
    if (stream)
        Sound()->stopStream(sourceName);
}

void SoundReceipt::setVolume(float newVolume)
{
    volume = newVolume;
    if (checkTag())
        channel.setVolume(volume);
}

float SoundReceipt::getVolume() const
{
    return volume;
}

void SoundReceipt::setPitch(float newPitch)
{
    pitch = newPitch;
    if (checkTag())
        channel.setPitch(pitch);
}

bool SoundReceipt::isPlaying()
{
    return checkTag() && channel.isPlaying();
}

void SoundReceipt::setLooping(bool looping)
{
    loopCount = looping ? -1 : 0;
    if (checkTag())
        channel.setLoopCount(loopCount);
}

void SoundReceipt::restart()
{
    // A stale handle ignores this, so skipping the tag check cannot touch another sound.
    channel.setPosition(0);
}

void SoundReceipt::restartPaused()
{
    channel.setPosition(0);
    pause();
}

void SoundReceipt::replay()
{
    *this = Sound()->play(SoundPreset{sourceName, groupName, volume, pitch, loopCount});
}
