#include "FuzzLoaderGuard.h"

#include <cstdio>
#include <cstdlib>
#include <exception>
#include <new>

namespace
{
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
    std::fprintf(stderr, "==fuzz== loader of %s ended with %s\n", path.c_str(), what.c_str());
    std::fflush(stderr);
    std::abort();
}
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
