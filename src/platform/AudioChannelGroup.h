#pragma once
// A named bus of channels. Its volume and pitch multiply those of every channel played on
// it, and muting it silences them all; changes reach playing channels at once.

#include <string>

class AudioSystem;

class AudioChannelGroup
{
public:
    AudioChannelGroup(AudioSystem* system, std::string name);

    const std::string& getName() const { return name; }
    void setVolume(float newVolume);
    float getVolume() const { return volume; }
    void setPitch(float newPitch);
    float getPitch() const { return pitch; }
    void setMute(bool mute);
    bool getMute() const { return muted; }

private:
    AudioSystem* system;
    std::string name;
    float volume = 1.0f;
    float pitch = 1.0f;
    bool muted = false;
};
