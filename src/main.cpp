// Program entry: one Engine wired with the game's systems, run until the window closes.

#include "engine/Engine.h"
#include "engine/ProgramEntry.h"
#include "game/GameComposition.h"
#include "graphics/TextureManager.h"
#include "platform/HeapTuning.h"

int main()
{
    if (!ContentFoldersFound("."))
        return 1;
    TuneHeapForStartup();
    Engine engine("Wendlebox", 800, 600, 10000);
    engine.setSystemRegistrar(RegisterGameSystems);
    return RunProgram([&engine] {
        // Decoding the images needs no window: it runs while the GL context is being made.
        TextureManager::StartDecodingEarly();
        return engine.run();
    });
}
