#pragma once
// Whole-file reading and the path splitters every asset loader uses to turn file names into
// resource names.

#include <string>
#include <vector>

// Throws std::runtime_error (after logging "File: <path> not found.") when the file
// cannot be opened.
std::string ReadFile(const std::string& path);
// The same for the data files whose loaders name the path in brackets: logs
// "File: [<path>] not found." and throws std::invalid_argument with that text.
std::string ReadRequiredFile(const std::string& path);
std::string GetExtension(const std::string& path);
std::string StripExtension(const std::string& path);
std::string GetFileName(const std::string& path);
// Writes through a temporary file and a rename, so a reader never sees half a file; returns
// false, leaving any old file whole, when the path is empty or cannot be written.
bool WriteTextAtomically(const std::string& path, const std::string& text);
// Entries directly inside the folder, sorted by name so that "first file wins" rules are
// deterministic; an unreadable folder gives an empty list.
std::vector<std::string> ListFolder(const std::string& folder, bool wantFolders, bool wantFiles);
