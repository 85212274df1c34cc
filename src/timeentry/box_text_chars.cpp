#include "timeentry/box_text_chars.h"

#include <cstddef>

#include "core/utf8.h"

namespace {

// The length in bytes of the character that starts at offset i; a byte that
// starts none counts as a character of its own.
size_t char_length(std::string_view text, size_t i) {
    const size_t length = utf8_sequence_length(text.substr(i));
    return length == 0 ? 1 : length;
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
