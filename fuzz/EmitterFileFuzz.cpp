// Fuzz target: the emitter archetype file, registered with a fresh particle manager each
// time; every archetype read is then cloned and written back, as the editor does.

#include "FuzzLoaderGuard.h"
#include "FuzzScratchFile.h"
#include "particles/EmitterArchetypeFile.h"
#include "particles/ParticleEmitter.h"
#include "particles/ParticleManager.h"

#include <cstddef>
#include <cstdint>
#include <memory>

namespace
{
void CloneAndWriteBack(ParticleManager& manager)
{
    const auto archetypes = manager.getArchetypes();
    for (const auto& [name, archetype] : archetypes)
        std::unique_ptr<ParticleEmitter>(manager.createEmitter(name));
    ArchetypeDocumentText(archetypes);
}
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    static const FuzzScratchFile file("ParticleEmitter.json");
    file.write(data, size);
    ParticleManager manager;
    FuzzLoaderGuard::Run(file.getPath(), [&] {
        ReadEmitterArchetypes(file.getPath(), manager);
        CloneAndWriteBack(manager);
    });
    return 0;
}
