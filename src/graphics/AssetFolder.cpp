#include "graphics/AssetFolder.h"

#include "engine/FileHelpers.h"

#include <filesystem>
#include <iostream>

std::vector<std::string> ListAssetFolder(const std::string& folder, bool wantFolders, bool wantFiles)
{
    try
    {
        std::filesystem::directory_iterator probe(folder);
    }
    catch (const std::filesystem::filesystem_error& error)
    {
        // The file system's own text already names the folder.
        std::cout << "Exception: " << error.what() << std::endl;
        return {};
    }
    return ListFolder(folder, wantFolders, wantFiles);
}
