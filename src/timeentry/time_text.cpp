#include "timeentry/time_text.h"

#include <locale.h>
#include <stdlib.h>

#include <cmath>
#include <ctime>
#include <optional>

#include "core/utf8.h"

namespace {

// The service's zone: its seconds count starts at local 1970-01-01 08:00:00.
constexpr long long kServiceOffsetSeconds = 8 * 3600;
constexpr double kMaxTimeValue = 8.64e15;  // milliseconds either side of 1970 a script date holds

bool is_digit(char c) {
    return c >= '0' && c <= '9';
}

// Reads a run of min_digits to max_digits decimal digits.
std::optional<int> read_number(std::string_view& text, size_t min_digits, size_t max_digits) {
    size_t length = 0;
    int value = 0;
    while (length < text.size() && is_digit(text[length])) {
        if (length == max_digits) {
            return std::nullopt;
        }
        value = value * 10 + (text[length] - '0');
        ++length;
    }
    if (length < min_digits) {
        return std::nullopt;
    }
    text.remove_prefix(length);
    return value;
}

bool read_char(std::string_view& text, char c) {
    if (text.empty() || text.front() != c) {
        return false;
    }
    text.remove_prefix(1);
    return true;
}

bool is_blank(char c) {
    return c == ' ' || c == '\t';
}

std::string_view trim_blanks(std::string_view text) {
    while (!text.empty() && is_blank(text.front())) {
        text.remove_prefix(1);
    }
    while (!text.empty() && is_blank(text.back())) {
        text.remove_suffix(1);
    }
    return text;
}

std::optional<DateTime> read_date_time(std::string_view text) {
    DateTime t;
    auto year = read_number(text, 3, 4);
    if (!year || text.empty()) {
        return std::nullopt;
    }
    const char separator = text.front();
    if (separator != '-' && separator != '/' && separator != '.') {
        return std::nullopt;
    }
    text.remove_prefix(1);
    auto month = read_number(text, 1, 2);
    if (!month || !read_char(text, separator)) {
        return std::nullopt;
    }
    auto day = read_number(text, 1, 2);
    if (!day) {
        return std::nullopt;
    }
    t.year = *year;
    t.month = *month;
    t.day = *day;
    if (text.empty()) {
        return t;
    }
    if (!is_blank(text.front())) {
        return std::nullopt;
    }
    text = trim_blanks(text);
    auto hour = read_number(text, 1, 2);
    if (!hour || !read_char(text, ':')) {
        return std::nullopt;
    }
    auto minute = read_number(text, 1, 2);
    if (!minute) {
        return std::nullopt;
    }
    std::optional<int> second = 0;
    if (read_char(text, ':')) {
        second = read_number(text, 1, 2);
    }
    if (!second || !text.empty()) {
        return std::nullopt;
    }
    t.hour = *hour;
    t.minute = *minute;
    t.second = *second;
    return t;
}

std::string two_digits(int value) {
    std::string text = std::to_string(value);
    return text.size() == 1 ? "0" + text : text;
}

std::string expand_picture(const DateTime& t, std::string_view picture, bool force_24_hour) {
    const int hour_12 = t.hour % 12 == 0 ? 12 : t.hour % 12;
    std::string out;
    size_t i = 0;
    while (i < picture.size()) {
        const char letter = picture[i];
        size_t run = 1;
        while (i + run < picture.size() && picture[i + run] == letter) {
            ++run;
        }
        auto field = [&](int value) {
            size_t used = run >= 2 ? 2 : 1;
            out += used == 2 ? two_digits(value) : std::to_string(value);
            i += used;
        };
        switch (letter) {
            case 'y':
                if (run >= 4) {
                    std::string year = std::to_string(t.year);
                    out += std::string(year.size() < 4 ? 4 - year.size() : 0, '0') + year;
                    i += 4;
                } else {
                    field(t.year % 100);
                }
                break;
            case 'M':
                field(t.month);
                break;
            case 'd':
                field(t.day);
                break;
            case 'H':
                field(t.hour);
                break;
            case 'h':
                field(force_24_hour ? t.hour : hour_12);
                break;
            case 'm':
                field(t.minute);
                break;
            case 's':
                field(t.second);
                break;
            default:
                out += letter;
                ++i;
                break;
        }
    }
    return out;
}

// The white space and line terminators that a script's string-to-number
// conversion ignores around the number.
bool is_script_blank(char32_t c) {
    return c == 0x09 || c == 0x0A || c == 0x0B || c == 0x0C || c == 0x0D || c == 0x20 ||
           c == 0xA0 || c == 0x1680 || (c >= 0x2000 && c <= 0x200A) || c == 0x2028 || c == 0x2029 ||
           c == 0x202F || c == 0x205F || c == 0x3000 || c == 0xFEFF;
}

std::string_view trim_script_blanks(std::string_view text) {
    for (Utf8Char c = decode_utf8(text); c.length > 0 && is_script_blank(c.code);
         c = decode_utf8(text)) {
        text.remove_prefix(c.length);
    }
    while (!text.empty()) {
        size_t start = text.size() - 1;
        while (start > 0 && text.size() - start < 4 &&
               (static_cast<unsigned char>(text[start]) & 0xC0) == 0x80) {
            --start;
        }
        const Utf8Char last = decode_utf8(text.substr(start));
        if (last.length != text.size() - start || !is_script_blank(last.code)) {
            break;
        }
        text.remove_suffix(last.length);
    }
    return text;
}

// A decimal number with optional sign, fraction and exponent, surrounded by
// blanks; blank text is 0. Nothing for anything else.
std::optional<double> script_number(std::string_view text) {
    text = trim_script_blanks(text);
    if (text.empty()) {
        return 0.0;
    }
    size_t i = 0;
    auto digits = [&] {
        size_t start = i;
        while (i < text.size() && is_digit(text[i])) {
            ++i;
        }
        return i - start;
    };
    if (text[i] == '+' || text[i] == '-') {
        ++i;
    }
    size_t mantissa_digits = digits();
    if (i < text.size() && text[i] == '.') {
        ++i;
        mantissa_digits += digits();
    }
    if (mantissa_digits == 0) {
        return std::nullopt;
    }
    if (i < text.size() && (text[i] == 'e' || text[i] == 'E')) {
        ++i;
        if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
            ++i;
        }
        if (digits() == 0) {
            return std::nullopt;
        }
    }
    if (i != text.size()) {
        return std::nullopt;
    }
    // strtod in the "C" locale: the program's locale may use a decimal comma.
    static const locale_t c_locale = newlocale(LC_ALL_MASK, "C", static_cast<locale_t>(nullptr));
    if (!c_locale) {
        return std::nullopt;
    }
    const std::string number(text);
    return strtod_l(number.c_str(), nullptr, c_locale);
}

std::string display_milliseconds(std::string_view stored) {
    std::optional<double> value = script_number(stored);
    if (!value || std::isnan(*value) || std::fabs(*value) > kMaxTimeValue) {
        return {};
    }
    const long long milliseconds = static_cast<long long>(std::trunc(*value));
    long long seconds = milliseconds / 1000;
    if (milliseconds % 1000 < 0) {
        --seconds;
    }
    const std::time_t instant = static_cast<std::time_t>(seconds);
    std::tm local{};
    if (!localtime_r(&instant, &local)) {
        return {};
    }
    return std::to_string(local.tm_year + 1900LL) + "-" + std::to_string(local.tm_mon + 1) + "-" +
           std::to_string(local.tm_mday) + " " + two_digits(local.tm_hour) + ":" +
           two_digits(local.tm_min) + ":" + two_digits(local.tm_sec);
}

// A ten-character stored text: the whole number at its start (blanks and a
// sign allowed), 0 without digits.
long long stored_seconds(std::string_view stored) {
    size_t i = 0;
    while (i < stored.size() && is_blank(stored[i])) {
        ++i;
    }
    bool negative = false;
    if (i < stored.size() && (stored[i] == '+' || stored[i] == '-')) {
        negative = stored[i] == '-';
        ++i;
    }
    long long value = 0;
    for (; i < stored.size() && is_digit(stored[i]); ++i) {
        value = value * 10 + (stored[i] - '0');  // at most ten digits
    }
    return negative ? -value : value;
}

}  // namespace

DateTime parse_time(std::string_view text) {
    std::optional<DateTime> t = read_date_time(trim_blanks(text));
    return t && t->is_valid() ? *t : kEarliestDateTime;
}

std::string format_time_text(const DateTime& t, bool pad, int part) {
    auto field = [pad](int value) { return pad ? two_digits(value) : std::to_string(value); };
    const std::string date = std::to_string(t.year) + "-" + field(t.month) + "-" + field(t.day);
    const std::string time = field(t.hour) + ":" + field(t.minute) + ":" + field(t.second);
    switch (part) {
        case 2:
            return date;
        case 3:
            return time;
        default:
            return date + " " + time;
    }
}

std::string unix_seconds_text(const DateTime& t) {
    const DateTime value = t.is_valid() ? t : kEarliestDateTime;
    const long long seconds = seconds_from_1970(value) - kServiceOffsetSeconds;
    std::string text = std::to_string(seconds);
    if (text.size() < 10) {
        text.insert(0, 10 - text.size(), '0');
    }
    return text.substr(0, 10);
}

std::string box_text_seconds(std::string_view box_text) {
    return unix_seconds_text(parse_time(box_text));
}

std::string today_start_seconds() {
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    if (!localtime_r(&now, &local)) {
        return unix_seconds_text(kEarliestDateTime);
    }
    const DateTime today{local.tm_year + 1900, local.tm_mon + 1, local.tm_mday, 0, 0, 0};
    return box_text_seconds(format_by_picture(today, "yyyy/M/d", "", false) + " 00:00:00");
}

std::string display_time_text(std::string_view stored) {
    return display_time_text(stored, clock_is_24_hour());
}

std::string display_time_text(std::string_view stored, bool clock_24_hour) {
    if (utf8_char_count(stored) != 10) {
        return display_milliseconds(stored);
    }
    const DateTime t = date_time_from_1970(stored_seconds(stored) + kServiceOffsetSeconds);
    return format_by_picture(t, "yyyy-M-dd ", clock_24_hour ? "HH:mm:ss" : "hh:mm:ss", false);
}

std::string format_by_picture(const DateTime& t, std::string_view date_picture,
                              std::string_view time_picture, bool force_24_hour) {
    if (!t.is_valid()) {
        return {};
    }
    std::string out;
    if (utf8_char_count(date_picture) >= 3) {
        out += expand_picture(t, date_picture, force_24_hour);
    }
    if (utf8_char_count(time_picture) >= 3) {
        out += expand_picture(t, time_picture, force_24_hour);
    }
    return out;
}
