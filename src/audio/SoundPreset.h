#pragma once
// A named sound recipe: which source (or music track) to play, on which channel group, how
// loud, at what pitch and how often.

#include <cstdint>
#include <string>

struct SoundPreset
{
    std::string source = "Default";
    std::string group = "Default";
    float volume = 1.0f;
    float pitch = 1.0f;
    // -1 plays endlessly, 0 once, n plays n further times.
    int32_t loopCount = 0;
};
