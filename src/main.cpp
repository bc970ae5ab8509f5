// Program entry: one Engine, run until the window closes, then the farewell lines.

#include "engine/Engine.h"
#include "engine/TraceLog.h"

#include <exception>
#include <iostream>

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

int main()
{
    Engine engine("Wendlebox", 800, 600, 10000);
    bool started = false;
    try
    {
        started = engine.run();
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
