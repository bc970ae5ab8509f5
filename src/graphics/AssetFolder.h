#pragma once
// Folder listing for the asset loaders: like ListFolder, but a folder that cannot be read
// is reported on standard output ("Exception: " and the file-system error's text, which names the folder) instead of
// passing silently, so a misplaced asset folder is visible at start-up.

#include <string>
#include <vector>

std::vector<std::string> ListAssetFolder(const std::string& folder, bool wantFolders, bool wantFiles);
