#pragma once
// The file a fuzz input is handed to a loader through. Loaders read paths, so each input is
// written to one file in a folder of this process's own (in memory under /dev/shm when it
// exists, so a million writes cost little), which goes away with the object.

#include <cstddef>
#include <cstdint>
#include <string>

class FuzzScratchFile
{
public:
    // The file's name inside the folder; loaders that go by extension need the right one.
    explicit FuzzScratchFile(const std::string& fileName);
    ~FuzzScratchFile();
    FuzzScratchFile(const FuzzScratchFile&) = delete;
    FuzzScratchFile& operator=(const FuzzScratchFile&) = delete;

    // Replaces the file's whole content with the input.
    void write(const uint8_t* data, size_t size) const;
    const std::string& getFolder() const { return folder; }
    const std::string& getPath() const { return path; }

private:
    std::string folder;
    std::string path;
};
