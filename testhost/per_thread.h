// One object per thread that lives as long as the process. With MinGW a thread_local object's
// destructor runs after the thread's emulated thread-local storage is gone, which corrupts the
// heap, so each thread's object is made on its first use and never destroyed. Every one of them is
// also listed in a process-wide registry, so that it stays reachable: a leak checker sees memory
// kept on purpose, not memory lost when its thread ended.
#pragma once

#include <mutex>
#include <vector>

namespace testhost {

template <class T>
T& perThread() {
    thread_local T* object = nullptr;
    if (object == nullptr) {
        object = new T();
        static std::mutex registryLock;
        static auto* const registry = new std::vector<T*>();
        const std::lock_guard<std::mutex> guard(registryLock);
        registry->push_back(object);
    }
    return *object;
}

}  // namespace testhost
