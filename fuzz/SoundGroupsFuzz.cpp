// Fuzz target: the channel group file ("soundGroups.json"), read by a fresh, silent sound
// manager each time.

#include "FuzzLoaderGuard.h"
#include "FuzzScratchFile.h"
#include "audio/SoundManager.h"

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    static const FuzzScratchFile file("soundGroups.json");
    static const bool silenced = [] {
        AudioSystem::setDeviceAllowed(false);
        return true;
    }();
    (void)silenced;
    file.write(data, size);
    SoundManager sound;
    sound.setSoundFolder(file.getFolder() + "/");
    sound.getAudioSystem().init(SoundManager::kChannelCount);
    FuzzLoaderGuard::Run(file.getPath(), [&] { sound.loadGroups(); });
    sound.shutdown();
    return 0;
}
