#include "update/mem_buffer.h"

#include <algorithm>
#include <cstring>

MemBuffer::MemBuffer() : block_(kInitialCapacity, '\0') {}

void MemBuffer::append(std::string_view bytes) {
    size_t needed = length_ + bytes.size();
    if (needed > block_.size()) {
        block_.resize(2 * needed, '\0');
    }
    if (!bytes.empty()) {
        std::memcpy(block_.data() + length_, bytes.data(), bytes.size());
    }
    length_ = needed;
}

void MemBuffer::clear() {
    std::fill(block_.begin(), block_.begin() + static_cast<std::ptrdiff_t>(length_), '\0');
    length_ = 0;
    read_position_ = 0;
}

size_t MemBuffer::read(char* out, size_t max) {
    size_t count = std::min(max, length_ - read_position_);
    if (count > 0) {
        std::memcpy(out, block_.data() + read_position_, count);
        read_position_ += count;
    }
    return count;
}
