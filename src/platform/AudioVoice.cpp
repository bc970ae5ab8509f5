#include "platform/AudioVoice.h"

#include "platform/AudioChannelGroup.h"
#include "platform/AudioSound.h"

#include <algorithm>

namespace
{
// Source gain is clamped to this; the default of 1 would cap presets that boost a sound.
constexpr float kMaxSourceGain = 100.0f;
}

void AudioVoice::attachDevice()
{
    alGetError();
    alGenSources(1, &source);
    alGenBuffers(kBufferCount, buffers.data());
    if (alGetError() != AL_NO_ERROR)
        return;
    alSourcei(source, AL_SOURCE_RELATIVE, AL_TRUE);
    alSource3f(source, AL_POSITION, 0.0f, 0.0f, 0.0f);
    alSourcef(source, AL_MAX_GAIN, kMaxSourceGain);
    hasSource = true;
}

void AudioVoice::detachDevice()
{
    if (!hasSource)
        return;
    alSourceStop(source);
    clearQueue();
    alDeleteSources(1, &source);
    alDeleteBuffers(kBufferCount, buffers.data());
    hasSource = false;
}

void AudioVoice::begin(AudioSound* playSound, AudioChannelGroup* playGroup, bool startPaused,
                       int64_t nowMs)
{
    active = true;
    finished = false;
    sound = playSound;
    group = playGroup;
    volume = 1.0f;
    pitch = 1.0f;
    paused = startPaused;
    loopCount = 0;
    userData = 0;
    position = 0;
    fraction = 0.0;
    lastMs = nowMs;
    exhausted = false;
    reader.reset();
    // The source starts at the next pump, after the caller has set volume, pitch and loop
    // count, so the first buffers already follow them.
    pendingStart = hasSource;
}

void AudioVoice::end()
{
    if (hasSource)
    {
        alSourceStop(source);
        clearQueue();
    }
    reader.reset();
    active = false;
    finished = false;
    pendingStart = false;
    sound = nullptr;
    group = nullptr;
    userData = 0;
    ++generation;
}

float AudioVoice::effectiveVolume() const
{
    if (!group)
        return volume;
    return group->getMute() ? 0.0f : volume * group->getVolume();
}

float AudioVoice::effectivePitch() const
{
    return std::max(0.0f, group ? pitch * group->getPitch() : pitch);
}

void AudioVoice::applyGain()
{
    if (hasSource)
        alSourcef(source, AL_GAIN, effectiveVolume());
}

void AudioVoice::applyPitch()
{
    if (hasSource)
        alSourcef(source, AL_PITCH, effectivePitch());
}

void AudioVoice::setPaused(bool pause, int64_t nowMs)
{
    advanceSilently(nowMs);
    paused = pause;
    if (!hasSource || pendingStart)
        return;
    ALint state = AL_STOPPED;
    alGetSourcei(source, AL_SOURCE_STATE, &state);
    if (pause && state == AL_PLAYING)
        alSourcePause(source);
    else if (!pause && (state == AL_PAUSED || state == AL_INITIAL))
        alSourcePlay(source);
}

void AudioVoice::setLoopCount(int32_t count)
{
    loopCount = count;
    // A sound whose last pass is already queued can still be told to go round again.
    if (count != 0)
        exhausted = false;
}

void AudioVoice::setPosition(uint32_t milliseconds, int64_t nowMs)
{
    advanceSilently(nowMs);
    const int64_t frame = static_cast<int64_t>(milliseconds) * sound->getSampleRate() / 1000;
    position = std::clamp<int64_t>(frame, 0, sound->getFrameCount());
    fraction = 0.0;
    finished = false;
    exhausted = false;
    if (hasSource)
    {
        alSourceStop(source);
        pendingStart = true;
    }
}

uint32_t AudioVoice::getPositionMs() const
{
    return static_cast<uint32_t>(position * 1000 / sound->getSampleRate());
}

void AudioVoice::pump()
{
    if (!active || !hasSource || finished)
        return;
    if (pendingStart)
    {
        startSource();
        return;
    }
    ALint processed = 0;
    alGetSourcei(source, AL_BUFFERS_PROCESSED, &processed);
    for (ALint i = 0; i < processed; ++i)
    {
        ALuint buffer = 0;
        alSourceUnqueueBuffers(source, 1, &buffer);
        if (!exhausted && fillBuffer(buffer))
            alSourceQueueBuffers(source, 1, &buffer);
    }
    ALint queued = 0;
    ALint state = AL_STOPPED;
    alGetSourcei(source, AL_BUFFERS_QUEUED, &queued);
    alGetSourcei(source, AL_SOURCE_STATE, &state);
    if (queued == 0)
        finished = true;
    else if (state == AL_STOPPED && !paused)
        alSourcePlay(source);  // the queue ran dry between two pumps
}

void AudioVoice::advanceSilently(int64_t nowMs)
{
    if (!active || hasSource)
        return;
    if (paused || finished)
    {
        lastMs = nowMs;
        return;
    }
    const double frames = static_cast<double>(nowMs - lastMs) / 1000.0 *
                              sound->getSampleRate() * effectivePitch() +
                          fraction;
    lastMs = nowMs;
    const auto whole = static_cast<int64_t>(frames);
    fraction = frames - static_cast<double>(whole);
    skipLooping(whole);
}

void AudioVoice::startSource()
{
    pendingStart = false;
    alSourceStop(source);
    clearQueue();
    if (!reader)
        reader = sound->openReader();
    if (!reader)
    {
        finished = true;
        return;
    }
    reader->seek(position);
    exhausted = false;
    for (ALuint buffer : buffers)
    {
        if (!fillBuffer(buffer))
            break;
        alSourceQueueBuffers(source, 1, &buffer);
    }
    if (exhausted && position == 0 && sound->getFrameCount() == 0)
    {
        finished = true;
        return;
    }
    applyGain();
    applyPitch();
    if (!paused)
        alSourcePlay(source);
}

bool AudioVoice::fillBuffer(ALuint buffer)
{
    const int32_t channels = sound->getChannels();
    scratch.resize(static_cast<size_t>(kBufferFrames * channels));
    const int64_t frames = readLooping(scratch.data(), kBufferFrames);
    if (frames == 0)
    {
        exhausted = true;
        return false;
    }
    const ALenum format = channels == 2 ? AL_FORMAT_STEREO16 : AL_FORMAT_MONO16;
    alBufferData(buffer, format, scratch.data(),
                 static_cast<ALsizei>(frames * channels * static_cast<int64_t>(sizeof(int16_t))),
                 sound->getSampleRate());
    return true;
}

int64_t AudioVoice::readLooping(int16_t* out, int64_t frames)
{
    const int32_t channels = sound->getChannels();
    int64_t got = 0;
    bool justWrapped = false;
    while (got < frames)
    {
        const int64_t count = reader->read(out + got * channels, frames - got);
        position += count;
        got += count;
        if (got == frames)
            break;
        // A file that yields nothing right after a rewind would spin forever.
        if ((count == 0 && justWrapped) || !wrapAtEnd())
            break;
        reader->seek(0);
        justWrapped = true;
    }
    return got;
}

void AudioVoice::skipLooping(int64_t frames)
{
    const int64_t length = sound->getFrameCount();
    if (length <= 0)
    {
        finished = true;
        return;
    }
    if (loopCount < 0)
    {
        position = (position + frames) % length;
        return;
    }
    while (frames > 0)
    {
        const int64_t left = length - position;
        if (frames < left)
        {
            position += frames;
            return;
        }
        frames -= left;
        position = length;
        if (!wrapAtEnd())
        {
            finished = true;
            return;
        }
    }
}

bool AudioVoice::wrapAtEnd()
{
    if (loopCount == 0)
        return false;
    if (loopCount > 0)
        --loopCount;
    position = 0;
    return true;
}

void AudioVoice::clearQueue()
{
    alSourcei(source, AL_BUFFER, 0);
}
