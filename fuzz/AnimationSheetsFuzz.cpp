// Fuzz target: the animation sheet file, loaded into a fresh manager each time and then asked
// for every frame arithmetic the players use.

#include "FuzzLoaderGuard.h"
#include "FuzzScratchFile.h"
#include "graphics/AnimationManager.h"

#include <cstddef>
#include <cstdint>

namespace
{
// Walks each animation a little, the way AnimationComp does between frames.
void Exercise(AnimationManager& manager)
{
    for (const std::string& sheetName : manager.getSheetNames())
    {
        AnimationSheet* sheet = manager.getAnimationSheet(sheetName);
        for (const auto& [name, info] : sheet->getAnimations())
        {
            int32_t frame = sheet->wrapFrame(0, name);
            for (int step = 0; step < 4; ++step)
                frame = sheet->nextFrame(frame, name);
            sheet->previousFrame(frame, name);
            sheet->getFrameUV(frame, name);
            sheet->getFrameDuration(name);
            sheet->isFinished(frame, name);
        }
    }
}
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    static const FuzzScratchFile file("Animations.json");
    file.write(data, size);
    AnimationManager manager;
    FuzzLoaderGuard::Run(file.getPath(), [&] {
        manager.loadAnimationSheets(file.getPath());
        Exercise(manager);
    });
    return 0;
}
