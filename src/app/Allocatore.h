#pragma once
// How the process's memory allocator is set up, before anything is allocated.

// Freed memory is reused by every thread and large blocks go back to the
// system when freed: texts made on the speech thread and pictures decoded on
// their own thread would otherwise leave megabytes of freed holes resident.
void impostaAllocatore();
