#include "app/Allocatore.h"

#include <malloc.h>

void impostaAllocatore()
{
    // One pool for all threads: each thread's own pool keeps what it freed.
    mallopt(M_ARENA_MAX, 1);
}
