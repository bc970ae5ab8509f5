#pragma once
// What main() does around the engine: run it, turn any escaping exception into one clear
// line and a non-zero exit code, and say the farewell lines after a normal run.

#include <functional>
#include <string>

// The game reads assets/ and shaders/ from the folder it is started in; started anywhere else,
// every loader would report its own missing file. False, after one line on standard error
// naming the missing folders and where the game runs from, when folder lacks either.
bool ContentFoldersFound(const std::string& folder);

// runEngine returns false when the window or GL could not be set up.
int RunProgram(const std::function<bool()>& runEngine);
