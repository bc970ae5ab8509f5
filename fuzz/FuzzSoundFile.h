#pragma once
// The sound settings targets share one recipe: write the input as the named file in a scratch
// sound folder, and have a fresh, silent sound manager read it with the given loader.

#include "FuzzLoaderGuard.h"
#include "FuzzScratchFile.h"
#include "audio/SoundManager.h"

#include <cstddef>
#include <cstdint>

template <class Load>
void FuzzSoundFile(const FuzzScratchFile& file, const uint8_t* data, size_t size, Load load)
{
    static const bool silenced = [] {
        AudioSystem::setDeviceAllowed(false);
        return true;
    }();
    (void)silenced;
    file.write(data, size);
    SoundManager sound;
    sound.setSoundFolder(file.getFolder() + "/");
    FuzzLoaderGuard::Run(file.getPath(), [&] { load(sound); });
    sound.shutdown();
}
