#include "engine/ProgramEntry.h"

#include "engine/TraceLog.h"

#include <exception>
#include <iostream>
#include <string>

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
