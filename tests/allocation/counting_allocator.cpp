#include "counting_allocator.h"

#include <cerrno>
#include <cstdlib>

extern "C" {
void* __libc_malloc(std::size_t size);
void* __libc_calloc(std::size_t count, std::size_t size);
void* __libc_realloc(void* block, std::size_t size);
void* __libc_memalign(std::size_t alignment, std::size_t size);
void __libc_free(void* block);
}

namespace {

// Plain thread-local words in the executable: reaching them allocates nothing itself.
thread_local bool counting = false;
thread_local std::size_t allocations = 0;

void count() {
    if (counting) ++allocations;
}

}  // namespace

namespace counting_allocator {

void start() {
    allocations = 0;
    counting = true;
}

std::size_t stop() {
    counting = false;
    return allocations;
}

}  // namespace counting_allocator

extern "C" {

void* malloc(std::size_t size) {
    count();
    return __libc_malloc(size);
}

void* calloc(std::size_t n, std::size_t size) {
    count();
    return __libc_calloc(n, size);
}

void* realloc(void* block, std::size_t size) {
    count();
    return __libc_realloc(block, size);
}

void* memalign(std::size_t alignment, std::size_t size) {
    count();
    return __libc_memalign(alignment, size);
}

void* aligned_alloc(std::size_t alignment, std::size_t size) {
    count();
    return __libc_memalign(alignment, size);
}

int posix_memalign(void** block, std::size_t alignment, std::size_t size) {
    count();
    void* allocated = __libc_memalign(alignment, size);
    if (allocated == nullptr) return ENOMEM;
    *block = allocated;
    return 0;
}

void free(void* block) {
    __libc_free(block);
}

}  // extern "C"
