#include "app/Allocatore.h"

#include <malloc.h>

void impostaAllocatore()
{
    // One pool for all threads: each thread's own pool keeps what it freed.
    mallopt(M_ARENA_MAX, 1);
    // A fixed threshold: the default one rises after each large block freed,
    // and the large blocks after it (sounds, pictures) then stay resident.
    mallopt(M_MMAP_THRESHOLD, 128 * 1024);
}
