#include "FuzzScratchFile.h"

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <stdexcept>
#include <unistd.h>

namespace
{
constexpr const char* kMemoryFolder = "/dev/shm";

std::filesystem::path ScratchRoot()
{
    std::error_code error;
    if (std::filesystem::is_directory(kMemoryFolder, error))
        return kMemoryFolder;
    return std::filesystem::temp_directory_path();
}
}

FuzzScratchFile::FuzzScratchFile(const std::string& fileName)
{
    const std::filesystem::path base = ScratchRoot() / ("wendlebox-fuzz-" + std::to_string(getpid()));
    std::filesystem::create_directories(base);
    folder = base.string();
    path = (base / fileName).string();
    std::filesystem::create_directories(std::filesystem::path(path).parent_path());
}

FuzzScratchFile::~FuzzScratchFile()
{
    std::error_code error;
    std::filesystem::remove_all(folder, error);
}

void FuzzScratchFile::write(const uint8_t* data, size_t size) const
{
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
    if (!out)
    {
        std::fprintf(stderr, "fuzz: cannot write the scratch file %s\n", path.c_str());
        std::abort();
    }
}
