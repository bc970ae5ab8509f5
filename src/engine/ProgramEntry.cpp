#include "engine/ProgramEntry.h"

#include "engine/TraceLog.h"

#include <exception>
#include <filesystem>
#include <iostream>
#include <string>
#include <vector>

namespace
{
void PrintFarewell()
{
    std::cout << "I'm dying. I dont have long in this world.\nRemember me in the next life" << std::endl;
    std::cout << "Goodbye, World!" << std::endl;
}

int Fail(const std::string& problem)
{
    Log()->error("Wendlebox stopped: " + problem);
    return 1;
}
}

bool ContentFoldersFound(const std::string& folder)
{
    std::vector<std::string> missing;
    std::error_code error;
    for (const char* name : {"assets", "shaders"})
        if (!std::filesystem::is_directory(std::filesystem::path(folder) / name, error))
            missing.push_back(std::string(name) + "/");
    if (missing.empty())
        return true;
    const std::string what = missing.size() == 2 ? "assets/ and shaders/ were" : missing[0] + " was";
    std::cerr << "Wendlebox: " << what << " not found in the current folder "
              << std::filesystem::weakly_canonical(folder, error).generic_string()
              << "; the game runs from the repository root (for example ./build/wendlebox there)." << std::endl;
    return false;
}

int RunProgram(const std::function<bool()>& runEngine)
{
    bool started = false;
    try
    {
        started = runEngine();
    }
    catch (const std::exception& problem)
    {
        return Fail(problem.what());
    }
    catch (...)
    {
        return Fail("unknown error");
    }
    PrintFarewell();
    return started ? 0 : 1;
}
