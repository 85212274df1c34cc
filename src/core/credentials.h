#pragma once

#include <string>
#include <string_view>

#include "core/md5_hex.h"

// The scrambled form in which Conf.ini remembers the last user name and
// password: every GBK byte of the text, exclusive-or the low 8 bits of
// kScrambleConstant, in two uppercase hexadecimal digits, followed by nine
// check characters taken from the MD5 digest of the key. It keeps the
// credentials from being read at a glance; it is no encryption.

inline constexpr std::string_view kCredentialKey = "mintpa318";
inline constexpr int kScrambleConstant = 9406;
inline constexpr size_t kCheckLength = 9;

// The nine check characters of key: characters 3 to 11 of the lowercase
// hexadecimal MD5 digest of its GBK bytes, in upper case.
std::string scramble_check(std::string_view key);

// 2n + 9 characters for a text of n GBK bytes.
std::string scramble(std::string_view plain, std::string_view key);

// The text scrambled with key; empty text when stored does not end in key's
// check characters or holds anything but hexadecimal digits before them. The
// text ends at a zero byte, which no scrambled text holds.
std::string unscramble(std::string_view stored, std::string_view key);
