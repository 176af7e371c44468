// Replaces the global operator new and delete to keep a tally of live heap bytes, so the tests
// can tell how much a read of a hostile file allocated.
#include <malloc.h>

#include <atomic>
#include <cstdlib>
#include <new>

#include "tests/platform/xfile/x_test_util.h"

namespace {
std::atomic<size_t> live{0};
std::atomic<size_t> peak{0};
std::atomic<size_t> baseline{0};

void* Allocate(size_t n) {
    void* p = std::malloc(n ? n : 1);
    if (!p) throw std::bad_alloc();
    const size_t now = live += malloc_usable_size(p);
    size_t seen = peak.load();
    while (now > seen && !peak.compare_exchange_weak(seen, now)) {
    }
    return p;
}
void Release(void* p) {
    if (!p) return;
    live -= malloc_usable_size(p);
    std::free(p);
}
}  // namespace

void* operator new(size_t n) {
    return Allocate(n);
}
void* operator new[](size_t n) {
    return Allocate(n);
}
void operator delete(void* p) noexcept {
    Release(p);
}
void operator delete[](void* p) noexcept {
    Release(p);
}
void operator delete(void* p, size_t) noexcept {
    Release(p);
}
void operator delete[](void* p, size_t) noexcept {
    Release(p);
}

namespace xtest {
void HeapTally::Reset() {
    baseline = peak = live.load();
}
size_t HeapTally::Peak() {
    return peak.load() - baseline.load();
}
}  // namespace xtest
