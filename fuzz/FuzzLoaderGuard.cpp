#include "FuzzLoaderGuard.h"

#include <cstdio>
#include <cstdlib>
#include <exception>
#include <new>
#include <sanitizer/common_interface_defs.h>

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
    FuzzLoaderGuard::Fail("loader of " + path + " ended with " + what);
}
}

void FuzzLoaderGuard::Fail(const std::string& text)
{
    std::fprintf(stderr, "==fuzz== %s\n", text.c_str());
    std::fflush(stderr);
    __sanitizer_report_error_summary(("fuzz: " + text).c_str());
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
