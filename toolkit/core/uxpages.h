#pragma once
// Zeroed memory for large buffers (pixmaps of whole pages). Big requests come straight from
// the system as fresh pages marked for huge pages, so that touching an 8 MB page first costs a
// few page faults instead of two thousand (on virtual machines each fault is dear); small ones
// come from calloc. Release with the size the allocation reported.

#include <cstddef>

// `bytes` zeroed bytes, or nullptr. *mapped is what uxpages_release needs back (0 for calloc).
void* uxpages_zeroed(size_t bytes, size_t* mapped);
void uxpages_release(void* memory, size_t mapped);
