#pragma once
// A named sound recipe: which source (or music track) to play, on which channel group, how
// loud, at what pitch and how often.

#include <cstdint>
#include <string>

struct SoundPreset
{
    // The name of the preset, source and group that stand in for missing ones.
    static constexpr const char* kDefaultName = "Default";

    std::string source = kDefaultName;
    std::string group = kDefaultName;
    float volume = 1.0f;
    float pitch = 1.0f;
    // -1 plays endlessly, 0 once, n plays n further times.
    int32_t loopCount = 0;
};
