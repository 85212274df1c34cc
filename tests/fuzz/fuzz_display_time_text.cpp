// Any stored text into display_time_text, on both clocks: ten characters
// always show a time, other texts a time or nothing.
#include <cstddef>
#include <cstdint>

#include "timeentry/time_text.h"

namespace {

size_t character_count(std::string_view text) {
    size_t count = 0;
    for (char c : text) {
        count += (static_cast<unsigned char>(c) & 0xC0) != 0x80;
    }
    return count;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string_view stored(reinterpret_cast<const char*>(data), size);
    const std::string on_24 = display_time_text(stored, true);
    const std::string on_12 = display_time_text(stored, false);
    if (character_count(stored) == 10 && (on_24.empty() || on_12.empty())) {
        __builtin_trap();
    }
    if (on_24.size() != on_12.size()) {
        __builtin_trap();
    }
    return 0;
}
