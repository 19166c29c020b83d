// Counts the heap allocations of the calling thread: this test executable defines malloc and its
// kin, so every allocation in the process, the plug-in's included, passes through the counter on
// its way to the C library's allocator.
#pragma once

#include <cstddef>

// The allocations this thread made while running `work`.
template <class Work>
std::size_t allocationsDuring(Work&& work);

namespace counting_allocator {
void start();
std::size_t stop();
}  // namespace counting_allocator

template <class Work>
std::size_t allocationsDuring(Work&& work) {
    counting_allocator::start();
    work();
    return counting_allocator::stop();
}
