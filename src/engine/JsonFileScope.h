#pragma once
// Names the data file a loader is reading while the loader runs, so that a value refused deep
// inside it (a number out of range, read by a helper that is handed only the value) can still
// name its file. Scopes nest: the innermost live one is current. One thread, as everywhere.

#include <string>

class JsonFileScope
{
public:
    explicit JsonFileScope(std::string path);
    ~JsonFileScope();
    JsonFileScope(const JsonFileScope&) = delete;
    JsonFileScope& operator=(const JsonFileScope&) = delete;

    // The innermost live scope's file, or a placeholder outside every scope.
    static const std::string& current();

private:
    std::string path;
    const JsonFileScope* outer;
};
