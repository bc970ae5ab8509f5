#include "FuzzLoaderGuard.h"

#include <cstdio>
#include <cstdlib>
#include <exception>
#include <new>
#include <unistd.h>

namespace
{
// The runs close the target's standard error; findings keep a copy of it taken at start-up.
int gReportFd = STDERR_FILENO;

constexpr const char* kStrictVariable = "WENDLEBOX_FUZZ_STRICT";

bool IsStrict()
{
    static const bool strict = [] {
        const char* value = std::getenv(kStrictVariable);
        return value && std::string(value) == "1";
    }();
    return strict;
}

[[noreturn]] void Report(const std::string& what, const std::string& path)
{
    FuzzLoaderGuard::Fail("loader of " + path + " ended with " + what);
}
}

// libFuzzer calls this before it closes standard error.
extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    const int copy = dup(STDERR_FILENO);
    if (copy >= 0)
        gReportFd = copy;
    return 0;
}

void FuzzLoaderGuard::Fail(const std::string& text)
{
    dprintf(gReportFd, "==fuzz== %s\n", text.c_str());
    std::abort();
}

void FuzzLoaderGuard::Run(const std::string& path, const std::function<void()>& load)
{
    try
    {
        load();
    }
    catch (const std::bad_alloc& problem)
    {
        Report(std::string("std::bad_alloc: ") + problem.what(), path);
    }
    catch (const std::exception& problem)
    {
        const std::string text = problem.what();
        if (IsStrict() && text.find(path) == std::string::npos)
            Report("an exception that does not name the file: " + text, path);
    }
    catch (...)
    {
        Report("an exception of unknown type", path);
    }
}
