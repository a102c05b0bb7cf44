#include "app/ProcessMemory.h"

#include <cstdlib> // defines __GLIBC__ on the GNU C library

#if defined(__GLIBC__)
#include <malloc.h>
#endif

void PrepareProcessMemory()
{
#if defined(__GLIBC__)
    // Large pictures come from the heap, and the heap keeps up to this much free memory.
    mallopt(M_MMAP_THRESHOLD, 32 * 1024 * 1024); // the largest value the allocator takes
    mallopt(M_TRIM_THRESHOLD, 128 * 1024 * 1024);
#endif
}
