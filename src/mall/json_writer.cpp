#include "mall/json_writer.h"

#include <charconv>
#include <cmath>
#include <cstdlib>
#include <nlohmann/json.hpp>

#include "core/utf8.h"

namespace {

using nlohmann::ordered_json;

bool escaped_as_unicode(char32_t c) {
    return c <= 0x1F || (c >= 0x7F && c <= 0x9F) || c == 0xAD || (c >= 0x600 && c <= 0x604) ||
           c == 0x70F || c == 0x17B4 || c == 0x17B5 || (c >= 0x200C && c <= 0x200F) ||
           (c >= 0x2028 && c <= 0x202F) || (c >= 0x2060 && c <= 0x206F) || c == 0xFEFF ||
           (c >= 0xFFF0 && c <= 0xFFFF);
}

void write_value(const ordered_json& value, std::string& out) {
    switch (value.type()) {
        case ordered_json::value_t::object: {
            out += '{';
            bool first = true;
            for (auto member = value.begin(); member != value.end(); ++member) {
                if (!first) {
                    out += ',';
                }
                first = false;
                write_json_text(member.key(), out);
                out += ':';
                write_value(member.value(), out);
            }
            out += '}';
            break;
        }
        case ordered_json::value_t::array: {
            out += '[';
            bool first = true;
            for (const ordered_json& element : value) {
                if (!first) {
                    out += ',';
                }
                first = false;
                write_value(element, out);
            }
            out += ']';
            break;
        }
        case ordered_json::value_t::string:
            write_json_text(value.get_ref<const std::string&>(), out);
            break;
        case ordered_json::value_t::boolean:
            out += value.get<bool>() ? "true" : "false";
            break;
        case ordered_json::value_t::number_integer:
            out += std::to_string(value.get<std::int64_t>());
            break;
        case ordered_json::value_t::number_unsigned:
            out += std::to_string(value.get<std::uint64_t>());
            break;
        case ordered_json::value_t::number_float:
            out += json_number_text(value.get<double>());
            break;
        default:  // null, and values JSON has no form for
            out += "null";
            break;
    }
}

}  // namespace

void write_json_text(std::string_view utf8, std::string& out) {
    static constexpr char kHex[] = "0123456789abcdef";
    out += '"';
    while (!utf8.empty()) {
        Utf8Char c = decode_utf8(utf8);
        if (c.length == 0) {
            out += "\xEF\xBF\xBD";
            utf8.remove_prefix(1);
            continue;
        }
        switch (c.code) {
            case '\b':
                out += "\\b";
                break;
            case '\t':
                out += "\\t";
                break;
            case '\n':
                out += "\\n";
                break;
            case '\f':
                out += "\\f";
                break;
            case '\r':
                out += "\\r";
                break;
            case '\\':
                out += "\\\\";
                break;
            case '"':
                out += "\\\"";
                break;
            default:
                if (escaped_as_unicode(c.code)) {
                    out += "\\u";
                    for (int shift = 12; shift >= 0; shift -= 4) {
                        out += kHex[(c.code >> shift) & 0xF];
                    }
                } else {
                    out.append(utf8.substr(0, c.length));
                }
        }
        utf8.remove_prefix(c.length);
    }
    out += '"';
}

std::string json_number_text(double value) {
    if (!std::isfinite(value)) {
        return "null";
    }
    if (value == 0) {
        return "0";  // also for -0
    }
    // The shortest digits that read back as the same number, then laid out
    // as JavaScript does: plain from 1e-7 up to below 1e21, else exponent.
    char buffer[64];
    auto result =
        std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::scientific);
    std::string_view scientific(buffer, static_cast<size_t>(result.ptr - buffer));
    std::string out;
    if (scientific.front() == '-') {
        out += '-';
        scientific.remove_prefix(1);
    }
    size_t e = scientific.find('e');
    std::string digits;
    for (char c : scientific.substr(0, e)) {
        if (c != '.') {
            digits += c;
        }
    }
    int exponent = std::atoi(std::string(scientific.substr(e + 1)).c_str());
    int k = static_cast<int>(digits.size());
    int n = exponent + 1;  // value = 0.digits x 10^n
    if (k <= n && n <= 21) {
        out += digits;
        out.append(static_cast<size_t>(n - k), '0');
    } else if (0 < n && n <= 21) {
        out += digits.substr(0, static_cast<size_t>(n));
        out += '.';
        out += digits.substr(static_cast<size_t>(n));
    } else if (-6 < n && n <= 0) {
        out += "0.";
        out.append(static_cast<size_t>(-n), '0');
        out += digits;
    } else {
        out += digits[0];
        if (k > 1) {
            out += '.';
            out += digits.substr(1);
        }
        out += 'e';
        out += n - 1 >= 0 ? '+' : '-';
        out += std::to_string(std::abs(n - 1));
    }
    return out;
}

std::string write_json(const ordered_json& value) {
    std::string out;
    write_value(value, out);
    return out;
}
