#include "toolkit/core/uxpages.h"

#include <cstdint>
#include <cstdlib>

#if defined(__linux__)
#include <sys/mman.h>
#endif

namespace {

constexpr size_t kHugePage = size_t(2) << 20;

}  // namespace

void* uxpages_zeroed(size_t bytes, size_t* mapped) {
    *mapped = 0;
#if defined(__linux__) && defined(MADV_HUGEPAGE)
    if (bytes >= kHugePage && bytes < (size_t(1) << 40)) {
        // A mapping one huge page longer, trimmed so that the buffer starts on a huge page.
        const size_t length = (bytes + kHugePage - 1) / kHugePage * kHugePage;
        void* raw = mmap(nullptr, length + kHugePage, PROT_READ | PROT_WRITE,
                         MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
        if (raw != MAP_FAILED) {
            const uintptr_t start = reinterpret_cast<uintptr_t>(raw);
            const uintptr_t aligned = (start + kHugePage - 1) / kHugePage * kHugePage;
            const size_t head = aligned - start, tail = kHugePage - head;
            if (head > 0) munmap(raw, head);
            if (tail > 0) munmap(reinterpret_cast<void*>(aligned + length), tail);
            void* memory = reinterpret_cast<void*>(aligned);
            madvise(memory, length, MADV_HUGEPAGE);  // advice only: without it, small pages
            *mapped = length;
            return memory;
        }
    }
#endif
    return std::calloc(bytes, 1);
}

void uxpages_release(void* memory, size_t mapped) {
#if defined(__linux__)
    if (mapped > 0) {
        munmap(memory, mapped);
        return;
    }
#endif
    std::free(memory);
}
