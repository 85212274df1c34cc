#include "core/number_text.h"

#include <charconv>
#include <cmath>
#include <cstdint>
#include <limits>

namespace {

// General format with the given precision, exponent widened to three digits
// as the original platform's formatter writes it.
std::string general_text(double value, int precision) {
    if (std::isnan(value)) {
        return "nan";
    }
    if (std::isinf(value)) {
        return value < 0 ? "-inf" : "inf";
    }
    char buffer[64];
    auto result = std::to_chars(buffer, buffer + sizeof buffer, value,
                                std::chars_format::general, precision);
    std::string text(buffer, result.ptr);
    size_t e = text.find('e');
    if (e != std::string::npos) {
        size_t digits_at = e + 2;  // after "e+" or "e-"
        size_t digits = text.size() - digits_at;
        if (digits < 3) {
            text.insert(digits_at, 3 - digits, '0');
        }
    }
    return text;
}

bool is_digit(char c) { return c >= '0' && c <= '9'; }

size_t skip_blanks(std::string_view text) {
    size_t i = 0;
    while (i < text.size() && (text[i] == ' ' || text[i] == '\t')) {
        ++i;
    }
    return i;
}

}  // namespace

std::string number_text(double value) { return general_text(value, 13); }

std::string float_text(float value) { return general_text(static_cast<double>(value), 6); }

double text_to_number(std::string_view text) {
    size_t start = skip_blanks(text);
    size_t i = start;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
        ++i;
    }
    size_t int_digits = 0;
    while (i < text.size() && is_digit(text[i])) {
        ++i;
        ++int_digits;
    }
    size_t frac_digits = 0;
    if (i < text.size() && text[i] == '.') {
        size_t j = i + 1;
        while (j < text.size() && is_digit(text[j])) {
            ++j;
            ++frac_digits;
        }
        if (int_digits > 0 || frac_digits > 0) {
            i = j;
        }
    }
    if (int_digits == 0 && frac_digits == 0) {
        return 0.0;
    }
    if (i < text.size() && (text[i] == 'e' || text[i] == 'E')) {
        size_t j = i + 1;
        if (j < text.size() && (text[j] == '+' || text[j] == '-')) {
            ++j;
        }
        if (j < text.size() && is_digit(text[j])) {
            while (j < text.size() && is_digit(text[j])) {
                ++j;
            }
            i = j;
        }
    }
    // from_chars takes no leading "+".
    size_t from = start;
    bool negative = false;
    if (text[from] == '+' || text[from] == '-') {
        negative = text[from] == '-';
        ++from;
    }
    double value = 0.0;
    auto result = std::from_chars(text.data() + from, text.data() + i, value);
    if (result.ec == std::errc::result_out_of_range) {
        // Too large or too small to hold: what strtod gives.
        bool tiny = false;
        for (size_t k = from; k < i && !tiny; ++k) {
            if (text[k] == 'e' || text[k] == 'E') {
                tiny = k + 1 < i && text[k + 1] == '-';
            }
        }
        value = tiny ? 0.0 : std::numeric_limits<double>::infinity();
    } else if (result.ec != std::errc()) {
        return 0.0;
    }
    return negative ? -value : value;
}

int text_to_int(std::string_view text) {
    size_t i = skip_blanks(text);
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
        negative = text[i] == '-';
        ++i;
    }
    int64_t value = 0;
    const int64_t limit = static_cast<int64_t>(std::numeric_limits<int>::max()) + 1;
    while (i < text.size() && is_digit(text[i])) {
        value = value * 10 + (text[i] - '0');
        if (value > limit) {
            value = limit;
        }
        ++i;
    }
    if (negative) {
        value = -value;
    }
    if (value > std::numeric_limits<int>::max()) {
        value = std::numeric_limits<int>::max();
    }
    return static_cast<int>(value);
}
