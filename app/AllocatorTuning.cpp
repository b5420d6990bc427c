#include "AllocatorTuning.h"

#if defined(__GLIBC__)
#include <malloc.h>
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
#endif
}
