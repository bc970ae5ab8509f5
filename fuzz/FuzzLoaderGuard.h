#pragma once
// How a fuzz target judges a loader's way out. A loader may refuse bad data by throwing a
// standard exception (the game turns it into one line and an exit); that is not a finding.
// Running out of memory (std::bad_alloc) or throwing anything else is: the guard reports it
// and aborts, so libFuzzer keeps the input. With WENDLEBOX_FUZZ_STRICT=1 in the environment,
// an exception whose text does not name the file counts as a finding too.

#include <functional>
#include <string>

namespace FuzzLoaderGuard
{
void Run(const std::string& path, const std::function<void()>& load);
// Reports a finding on standard error (as it was at start-up, since the runs close it) and
// aborts.
[[noreturn]] void Fail(const std::string& text);
}
