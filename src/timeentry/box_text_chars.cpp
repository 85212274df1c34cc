#include "timeentry/box_text_chars.h"

#include <cstddef>

namespace {

bool is_continuation(unsigned char byte) {
    return (byte & 0xC0) == 0x80;
}

// The length in bytes of the character that starts at offset i.
size_t char_length(std::string_view text, size_t i) {
    const auto lead = static_cast<unsigned char>(text[i]);
    size_t length = lead < 0x80 ? 1 : lead >= 0xF0 ? 4 : lead >= 0xE0 ? 3 : lead >= 0xC0 ? 2 : 1;
    if (i + length > text.size()) {
        return 1;
    }
    for (size_t k = 1; k < length; ++k) {
        if (!is_continuation(static_cast<unsigned char>(text[i + k]))) {
            return 1;
        }
    }
    return length;
}

// The byte offset of the character offset chars, or the text's size beyond its end.
size_t byte_offset(std::string_view text, int chars) {
    size_t i = 0;
    for (int n = 0; n < chars && i < text.size(); ++n) {
        i += char_length(text, i);
    }
    return i;
}

}  // namespace

int char_count(std::string_view text) {
    int n = 0;
    for (size_t i = 0; i < text.size(); i += char_length(text, i)) {
        ++n;
    }
    return n;
}

std::string_view char_slice(std::string_view text, int from, int count) {
    if (from < 0) {
        count += from;
        from = 0;
    }
    if (count <= 0) {
        return {};
    }
    const std::string_view tail = char_tail(text, from);
    return tail.substr(0, byte_offset(tail, count));
}

std::string_view char_tail(std::string_view text, int from) {
    return text.substr(byte_offset(text, from < 0 ? 0 : from));
}
