#include "audio/SoundReceipt.h"

#include "audio/SoundManager.h"
#include "engine/Engine.h"

#include <utility>

namespace
{
int32_t gReceiptCounter = 0;

SoundManager* Sound()
{
    return Engine::getSystem<SoundManager>(SoundManager::kName, SoundManagerNull::instance());
}
}

int32_t SoundReceipt::getCounter()
{
    return gReceiptCounter;
}

void SoundReceipt::resetCounter()
{
    gReceiptCounter = 0;
}

SoundReceipt::SoundReceipt(AudioChannel channel, std::string sourceName, std::string groupName,
                           float volume, float pitch, bool stream, int32_t loopCount)
    : channel(channel), valid(true), sourceName(std::move(sourceName)),
      groupName(std::move(groupName)), volume(volume), pitch(pitch), stream(stream),
      loopCount(loopCount)
{
    // This receipt's address moved on by one receipt per receipt built before it, so
    // receipts built one after another in the same place get different tags.
    const auto before = static_cast<uint64_t>(static_cast<int64_t>(gReceiptCounter));
    this->channel.setUserData(reinterpret_cast<uintptr_t>(this) + before * sizeof(SoundReceipt));
    // Wraps like the 32-bit count it is rather than overflowing.
    gReceiptCounter = static_cast<int32_t>(static_cast<uint32_t>(gReceiptCounter) + 1u);
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
