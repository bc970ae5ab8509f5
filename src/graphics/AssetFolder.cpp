#include "graphics/AssetFolder.h"

#include "engine/FileHelpers.h"

#include <filesystem>
#include <iostream>

std::vector<std::string> ListAssetFolder(const std::string& folder, bool wantFolders, bool wantFiles)
{
    std::error_code error;
    std::filesystem::directory_iterator probe(folder, error);
    if (error)
    {
        std::cout << "Exception: " << error.message() << " [" << folder << "]" << std::endl;
        return {};
    }
    return ListFolder(folder, wantFolders, wantFiles);
}
