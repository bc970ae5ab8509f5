// Fuzz target: the binding file ("assets/input.json") against the full table of input codes.

#include "FuzzLoaderGuard.h"
#include "FuzzScratchFile.h"
#include "input/InputBindingFile.h"

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    static const FuzzScratchFile file("input.json");
    static const InputCodeNames names = [] {
        InputCodeNames table;
        table.build();
        return table;
    }();
    file.write(data, size);
    FuzzLoaderGuard::Run(file.getPath(), [&] { InputBindingFile::read(file.getPath(), names); });
    return 0;
}
