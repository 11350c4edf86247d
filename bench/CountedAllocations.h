// Counts the program's heap allocations: include it in exactly one file of a
// benchmark program, which then replaces the global operator new.
#pragma once

#include <atomic>
#include <cstdlib>
#include <new>

namespace bench {

inline std::atomic<long long> gAllocations{0};

inline void* CountedAlloc(std::size_t size) {
    gAllocations.fetch_add(1, std::memory_order_relaxed);
    if (void* p = std::malloc(size ? size : 1)) return p;
    throw std::bad_alloc();
}

}  // namespace bench

void* operator new(std::size_t size) { return bench::CountedAlloc(size); }
void* operator new[](std::size_t size) { return bench::CountedAlloc(size); }
void operator delete(void* p) noexcept { std::free(p); }
void operator delete[](void* p) noexcept { std::free(p); }
void operator delete(void* p, std::size_t) noexcept { std::free(p); }
void operator delete[](void* p, std::size_t) noexcept { std::free(p); }
