#pragma once

#include <cstddef>
#include <string>
#include <string_view>

// The program's one reader of UTF-8 sequences.

struct Utf8Char {
    char32_t code = 0;
    // Bytes the character takes; 0 when the bytes at the start are not one
    // well-formed character (cut short, overlong, a surrogate, beyond
    // U+10FFFF) or the text is empty.
    size_t length = 0;
};

Utf8Char decode_utf8(std::string_view text);

inline size_t utf8_sequence_length(std::string_view text) {
    return decode_utf8(text).length;
}

// The text with every byte that starts no well-formed character replaced by
// U+FFFD.
std::string valid_utf8(std::string_view text);

// Characters in the text, a byte that starts none counting as one.
size_t utf8_char_count(std::string_view text);
