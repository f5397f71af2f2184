#include "platform/AllocatorTuning.h"

#include <cstdlib>  // on glibc, defines __GLIBC__
#if defined(__GLIBC__)
#include <malloc.h>
#endif

namespace platform {

void KeepLargeBlocksReturnable() {
#if defined(__GLIBC__)
    // glibc maps blocks of 128 KiB and more on their own and unmaps them when freed, but
    // raises that threshold to the size of each such block freed, up to 32 MiB. After the
    // first HD frames were freed, the engine's threads took such blocks from their heaps
    // instead, where freed ones stayed resident: opening one file after another grew the
    // player by 20 to 60 MiB. A threshold set here stays where it is.
    mallopt(M_MMAP_THRESHOLD, 128 * 1024);
#endif
}

void ReturnFreedMemory() {
#if defined(__GLIBC__)
    // Smaller blocks come from the heaps of the threads that ask for them, and a heap
    // gives freed memory back only from its top. The engine's threads come and go with
    // each file, and every heap they used kept what they had freed: ten minutes of opening
    // files grew the player by 67 MiB, nearly all of it free. A trim returns every whole
    // free page. Done once per file, it never held the UI thread up for 20 ms in those runs.
    malloc_trim(0);
#endif
}

}  // namespace platform
