// Fuzz target: the sound presets file ("soundPresets.json"), read by a fresh, silent sound
// manager each time.

#include "FuzzSoundFile.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    static const FuzzScratchFile file("soundPresets.json");
    FuzzSoundFile(file, data, size, [](SoundManager& sound) { sound.loadPresets(); });
    return 0;
}
