#include "core/credentials.h"

#include "core/text_encoding.h"

namespace {

constexpr unsigned char kScrambleByte = kScrambleConstant & 0xFF;

int hex_digit(char c) {
    if (c >= '0' && c <= '9') {
        return c - '0';
    }
    if (c >= 'A' && c <= 'F') {
        return c - 'A' + 10;
    }
    if (c >= 'a' && c <= 'f') {
        return c - 'a' + 10;
    }
    return -1;
}

}  // namespace

std::string scramble_check(std::string_view key) {
    std::string check = md5_hex(key).substr(2, kCheckLength);
    for (char& c : check) {
        if (c >= 'a' && c <= 'z') {
            c = static_cast<char>(c - 'a' + 'A');
        }
    }
    return check;
}

std::string scramble(std::string_view plain, std::string_view key) {
    static constexpr char kDigits[] = "0123456789ABCDEF";
    const std::string bytes = to_gbk(plain);
    std::string out;
    out.reserve(2 * bytes.size() + kCheckLength);
    for (char c : bytes) {
        unsigned char b = static_cast<unsigned char>(c) ^ kScrambleByte;
        out += kDigits[b >> 4];
        out += kDigits[b & 0x0F];
    }
    return out + scramble_check(key);
}

std::string unscramble(std::string_view stored, std::string_view key) {
    // The check is ASCII, so comparing the last nine bytes is comparing the
    // last nine characters.
    if (stored.size() < kCheckLength ||
        stored.substr(stored.size() - kCheckLength) != scramble_check(key)) {
        return {};
    }
    std::string_view body = stored.substr(0, stored.size() - kCheckLength);
    std::string bytes;
    bytes.reserve(body.size() / 2 + 1);
    bool ended = false;
    // Pieces of two digits; a final single digit is a piece of its own.
    for (size_t at = 0; at < body.size(); at += 2) {
        int value = 0;
        for (size_t i = at; i < at + 2 && i < body.size(); ++i) {
            int digit = hex_digit(body[i]);
            if (digit < 0) {
                return {};
            }
            value = value * 16 + digit;
        }
        unsigned char b = static_cast<unsigned char>(value) ^ kScrambleByte;
        ended = ended || b == 0;
        if (!ended) {
            bytes += static_cast<char>(b);
        }
    }
    return from_gbk(bytes);
}
