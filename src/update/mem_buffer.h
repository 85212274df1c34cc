#pragma once

#include <cstddef>
#include <string_view>
#include <vector>

// A growable, zero-filled byte buffer that the HTTP client's callbacks fill
// (response body, headers) or empty (upload). It starts at 512 bytes and,
// when full, grows to twice the size it needs, so a body of n bytes costs
// about log2(n / 512) reallocations.
class MemBuffer {
public:
    static constexpr size_t kInitialCapacity = 512;

    MemBuffer();

    void append(std::string_view bytes);
    // Zeroes the stored bytes and starts over, for writing and for reading.
    void clear();
    // Copies up to max bytes from the read position into out and advances
    // the read position; 0 once every stored byte has been handed out.
    size_t read(char* out, size_t max);

    const char* data() const { return block_.data(); }
    size_t length() const { return length_; }
    size_t capacity() const { return block_.size(); }
    size_t read_position() const { return read_position_; }
    std::string_view bytes() const { return {block_.data(), length_}; }

private:
    std::vector<char> block_;
    size_t length_ = 0;
    size_t read_position_ = 0;
};
