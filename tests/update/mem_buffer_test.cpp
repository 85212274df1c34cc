#include "update/mem_buffer.h"

#include <gtest/gtest.h>

#include <string>

namespace {

TEST(MemBuffer, starts_at_512_zeroed_bytes) {
    MemBuffer buffer;
    EXPECT_EQ(buffer.capacity(), 512u);
    EXPECT_EQ(buffer.length(), 0u);
    EXPECT_EQ(std::string(buffer.data(), 512), std::string(512, '\0'));
}

TEST(MemBuffer, grows_to_twice_what_it_needs_and_keeps_its_bytes) {
    struct Step {
        size_t append;
        size_t capacity_after;
    };
    const Step steps[] = {{512, 512}, {1, 1026}, {513, 1026}, {1, 2054}, {10000, 22054}};
    MemBuffer buffer;
    std::string expected;
    for (const Step& step : steps) {
        std::string bytes(step.append, static_cast<char>('a' + expected.size() % 26));
        buffer.append(bytes);
        expected += bytes;
        EXPECT_EQ(buffer.capacity(), step.capacity_after) << "after " << expected.size();
        EXPECT_EQ(buffer.bytes(), expected);
    }
    // The grown part past the stored bytes is zero-filled.
    EXPECT_EQ(buffer.data()[buffer.length()], '\0');
    EXPECT_EQ(buffer.data()[buffer.capacity() - 1], '\0');
}

TEST(MemBuffer, clear_zeroes_the_bytes_and_rewinds_reading) {
    MemBuffer buffer;
    buffer.append("upload");
    char out[4];
    EXPECT_EQ(buffer.read(out, sizeof out), 4u);
    buffer.clear();
    EXPECT_EQ(buffer.length(), 0u);
    EXPECT_EQ(buffer.read_position(), 0u);
    EXPECT_EQ(std::string(buffer.data(), 6), std::string(6, '\0'));
}

TEST(MemBuffer, reading_hands_out_each_byte_once_then_ends) {
    MemBuffer buffer;
    buffer.append("0123456789");
    char out[4];
    std::string read;
    size_t got;
    while ((got = buffer.read(out, sizeof out)) > 0) {
        read.append(out, got);
    }
    EXPECT_EQ(read, "0123456789");
    EXPECT_EQ(buffer.read_position(), 10u);
    EXPECT_EQ(buffer.read(out, sizeof out), 0u);
}

}  // namespace
