// Fuzz target: the event switch file. The hub reads "assets/<name>.json" from the working
// folder, so the target works inside its scratch folder.

#include "FuzzLoaderGuard.h"
#include "FuzzScratchFile.h"
#include "engine/Subject.h"

#include <cstddef>
#include <cstdint>
#include <filesystem>

namespace
{
constexpr const char* kEventFileName = "fuzz";
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    static const FuzzScratchFile file(std::string("assets/") + kEventFileName + ".json");
    static const bool entered = [] {
        std::filesystem::current_path(file.getFolder());
        return true;
    }();
    (void)entered;
    file.write(data, size);
    Subject subject;
    FuzzLoaderGuard::Run(file.getPath(), [&] { subject.loadEventFile(kEventFileName); });
    return 0;
}
