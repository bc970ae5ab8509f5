#pragma once
// What main() does around the engine: run it, turn any escaping exception into one clear
// line and a non-zero exit code, and say the farewell lines after a normal run.

#include <functional>

// runEngine returns false when the window or GL could not be set up.
int RunProgram(const std::function<bool()>& runEngine);
