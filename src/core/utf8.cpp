#include "core/utf8.h"

Utf8Char decode_utf8(std::string_view text) {
    if (text.empty()) {
        return {};
    }
    auto byte = [&](size_t i) { return static_cast<unsigned char>(text[i]); };
    const unsigned char lead = byte(0);
    if (lead < 0x80) {
        return {lead, 1};
    }
    size_t length;
    char32_t code;
    char32_t smallest;
    if ((lead & 0xE0) == 0xC0) {
        length = 2, code = lead & 0x1F, smallest = 0x80;
    } else if ((lead & 0xF0) == 0xE0) {
        length = 3, code = lead & 0x0F, smallest = 0x800;
    } else if ((lead & 0xF8) == 0xF0) {
        length = 4, code = lead & 0x07, smallest = 0x10000;
    } else {
        return {};
    }
    if (length > text.size()) {
        return {};
    }
    for (size_t i = 1; i < length; ++i) {
        if ((byte(i) & 0xC0) != 0x80) {
            return {};
        }
        code = (code << 6) | (byte(i) & 0x3F);
    }
    if (code < smallest || code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF)) {
        return {};
    }
    return {code, length};
}

std::string valid_utf8(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    while (!text.empty()) {
        size_t length = utf8_sequence_length(text);
        if (length == 0) {
            out += "\xEF\xBF\xBD";
            length = 1;
        } else {
            out += text.substr(0, length);
        }
        text.remove_prefix(length);
    }
    return out;
}

size_t utf8_char_count(std::string_view text) {
    size_t count = 0;
    while (!text.empty()) {
        const size_t length = utf8_sequence_length(text);
        text.remove_prefix(length == 0 ? 1 : length);
        ++count;
    }
    return count;
}
