// Program entry: one Engine, run until the window closes.

#include "engine/Engine.h"
#include "engine/ProgramEntry.h"

int main()
{
    Engine engine("Wendlebox", 800, 600, 10000);
    return RunProgram([&engine] { return engine.run(); });
}
