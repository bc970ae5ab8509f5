#include "engine/FileHelpers.h"

#include "engine/TraceLog.h"

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <stdexcept>

namespace
{
bool TryReadFile(const std::string& path, std::string& contents)
{
    std::ifstream file(path, std::ios::in | std::ios::binary);
    if (!file)
        return false;
    std::ostringstream text;
    text << file.rdbuf();
    contents = text.str();
    return true;
}
}

std::string ReadFile(const std::string& path)
{
    std::string contents;
    if (!TryReadFile(path, contents))
    {
        const std::string line = "File: " + path + " not found.";
        Log()->error(line);
        throw std::runtime_error(line);
    }
    return contents;
}

std::string ReadRequiredFile(const std::string& path)
{
    std::string contents;
    if (!TryReadFile(path, contents))
    {
        const std::string line = "File: [" + path + "] not found.";
        Log()->error(line);
        throw std::invalid_argument(line);
    }
    return contents;
}

std::string GetExtension(const std::string& path)
{
    const size_t dot = path.find_last_of('.');
    return dot == std::string::npos ? std::string() : path.substr(dot + 1);
}

std::string StripExtension(const std::string& path)
{
    const size_t dot = path.find_last_of('.');
    return dot == std::string::npos ? path : path.substr(0, dot);
}

std::string GetFileName(const std::string& path)
{
    std::string trimmed = path;
    if (!trimmed.empty() && (trimmed.back() == '/' || trimmed.back() == '\\'))
        trimmed.pop_back();
    const size_t separator = trimmed.find_last_of("/\\");
    return separator == std::string::npos ? trimmed : trimmed.substr(separator + 1);
}

std::vector<std::string> ListFolder(const std::string& folder, bool wantFolders, bool wantFiles)
{
    std::vector<std::string> entries;
    std::error_code error;
    for (const auto& entry : std::filesystem::directory_iterator(folder, error))
    {
        const bool isFolder = entry.is_directory(error);
        const bool isFile = entry.is_regular_file(error);
        if ((wantFolders && isFolder) || (wantFiles && isFile))
            entries.push_back(entry.path().generic_string());
    }
    std::sort(entries.begin(), entries.end());
    return entries;
}

bool WriteTextAtomically(const std::string& path, const std::string& text)
{
    if (path.empty())
        return false;
    const std::string temporary = path + ".tmp";
    {
        std::ofstream out(temporary, std::ios::binary | std::ios::trunc);
        if (!out)
            return false;
        out << text;
        if (!out.flush())
        {
            out.close();
            std::remove(temporary.c_str());
            return false;
        }
    }
    if (std::rename(temporary.c_str(), path.c_str()) != 0)
    {
        std::remove(temporary.c_str());
        return false;
    }
    return true;
}
