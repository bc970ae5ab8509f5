// Fuzz target: the entity archetype file ("assets/Entity.json"), read into a fresh entity
// manager that is emptied after every input.

#include "FuzzLoaderGuard.h"
#include "FuzzScratchFile.h"
#include "world/ArchetypeReader.h"
#include "world/EntityManager.h"

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    static const FuzzScratchFile file("Entity.json");
    file.write(data, size);
    EntityManager manager;
    FuzzLoaderGuard::Run(file.getPath(), [&] { ArchetypeReader::read(file.getPath(), manager); });
    manager.shutdown();
    return 0;
}
