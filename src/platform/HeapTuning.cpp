#include "platform/HeapTuning.h"

// Any C library header says which C library this is.
#include <cstdlib>

#if defined(__GLIBC__)
#include <malloc.h>
#endif

namespace
{
#if defined(__GLIBC__)
// The largest threshold the C library accepts on 64-bit: every image and texture of ours
// (the largest is 16 MB) then comes from the heap, where it can be reused, not from mmap.
constexpr int kLargestHeapBlock = 32 << 20;
// Freed memory stays with the process rather than going back to the system between images.
constexpr int kKeepFreedBytes = 1 << 30;
#endif
}

void TuneHeapForStartup()
{
#if defined(__GLIBC__)
    mallopt(M_ARENA_MAX, 1);
    mallopt(M_MMAP_THRESHOLD, kLargestHeapBlock);
    mallopt(M_TRIM_THRESHOLD, kKeepFreedBytes);
#endif
}
