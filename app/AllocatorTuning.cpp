#include "AllocatorTuning.h"

// Any header of the C library tells whether it is glibc.
#include <cstdint>
#include <cstdlib>

#if defined(__GLIBC__)
#include <malloc.h>
#include <sys/mman.h>
#include <unistd.h>
#endif

void TuneAllocatorForLargeTests()
{
#if defined(__GLIBC__)
    mallopt(M_MXFAST, 0);
    // Setting one threshold stops the allocator from adjusting the others,
    // so both are set: up to 1 GiB of freed memory is kept, and blocks of
    // up to 32 MiB (the most allowed) come from the heap, where they are
    // reused, rather than from mappings of their own, made new each time.
    mallopt(M_TRIM_THRESHOLD, 1 << 30);
    mallopt(M_MMAP_THRESHOLD, 32 << 20);
    mallopt(M_TOP_PAD, 256 << 20);
    // A block larger than the fresh heap has free makes it grow now, by the
    // pad; the growth is offered 2 MiB pages. A heap that does not grow
    // this way (another allocator in front, say) is left as it is.
    char* const before = static_cast<char*>(sbrk(0));
    // Held through a volatile pointer: a compiler may drop a block that is
    // freed unused, and with it the growth.
    void* volatile block = std::malloc(8 << 20);
    char* const after = static_cast<char*>(sbrk(0));
    std::free(block);
    constexpr uintptr_t kHugePage = 2 << 20;
    const uintptr_t from = (reinterpret_cast<uintptr_t>(before) + kHugePage - 1) & ~(kHugePage - 1);
    if (before != reinterpret_cast<char*>(-1) && reinterpret_cast<uintptr_t>(after) > from)
        madvise(reinterpret_cast<void*>(from), reinterpret_cast<uintptr_t>(after) - from, MADV_HUGEPAGE);
#endif
}
