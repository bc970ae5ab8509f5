// Preloaded into the real game by measure_startup.py (LD_PRELOAD). It wraps glfwSwapBuffers:
// the first call is passed on to GLFW, so the first frame really reaches the window, then the
// monotonic clock is written to the file named by WENDLEBOX_FIRST_FRAME_FILE and the process
// ends at once. The game itself carries no measuring code and prints nothing extra.

#include <dlfcn.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <ctime>

struct GLFWwindow;

namespace
{
constexpr const char* kOutputVariable = "WENDLEBOX_FIRST_FRAME_FILE";

using SwapBuffersCall = void (*)(GLFWwindow*);

long long MonotonicNanos()
{
    timespec now{};
    clock_gettime(CLOCK_MONOTONIC, &now);
    return static_cast<long long>(now.tv_sec) * 1000000000LL + now.tv_nsec;
}

void WriteStamp(long long nanos)
{
    const char* path = std::getenv(kOutputVariable);
    FILE* out = path ? std::fopen(path, "w") : nullptr;
    std::fprintf(out ? out : stderr, "%lld\n", nanos);
    if (out)
        std::fclose(out);
}
}

extern "C" void glfwSwapBuffers(GLFWwindow* window)
{
    const auto realSwap = reinterpret_cast<SwapBuffersCall>(dlsym(RTLD_NEXT, "glfwSwapBuffers"));
    if (realSwap)
        realSwap(window);
    WriteStamp(MonotonicNanos());
    _exit(0);
}
