// The fuzzer's input, read from the front in the order the call needs it. Past its end every byte
// reads as zero, so any input, however short, describes a whole call.
#pragma once

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstring>

class FuzzInput {
   public:
    FuzzInput(const uint8_t* data, std::size_t size) : data_(data), size_(size) {}

    void read(void* out, std::size_t count) {
        auto* bytes = static_cast<unsigned char*>(out);
        const std::size_t available = std::min(count, size_ - position_);
        if (available > 0) std::memcpy(bytes, data_ + position_, available);
        std::memset(bytes + available, 0, count - available);
        position_ += available;
    }

    uint8_t byte() { return value<uint8_t>(); }

    template <class T>
    T value() {
        T v;
        read(&v, sizeof v);
        return v;
    }

   private:
    const uint8_t* data_;
    std::size_t size_;
    std::size_t position_ = 0;
};
