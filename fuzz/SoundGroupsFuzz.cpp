// Fuzz target: the channel group file ("soundGroups.json"), read by a fresh, silent sound
// manager each time.

#include "FuzzSoundFile.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    static const FuzzScratchFile file("soundGroups.json");
    FuzzSoundFile(file, data, size, [](SoundManager& sound) {
        sound.getAudioSystem().init(SoundManager::kChannelCount);
        sound.loadGroups();
    });
    return 0;
}
