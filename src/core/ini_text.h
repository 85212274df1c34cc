#pragma once

#include <optional>
#include <string>
#include <string_view>

// The private-profile reading and writing of an INI file, done on the file's
// bytes in memory so that it can be checked without touching the disk.
//
// The bytes are GBK text (UTF-8 when they start with a UTF-8 byte order
// mark); lines end in "\r\n", "\n" or "\r". A section starts at a line
// "[name]"; a key is a line "name=value" (a line without "=" is a key with
// no value); lines starting with ";" are comments. Names are trimmed of
// blanks and found without regard to ASCII letter case; the first section of
// a name is the only one looked in, and the first key of a name in it wins.

// The value of key in section, as UTF-8: trimmed of blanks, cut at a zero
// byte, one pair of enclosing quotes (" or ') removed, and limited to 10239
// bytes in GBK without splitting a character. Empty text when the section or
// the key is missing.
std::string ini_value(std::string_view bytes, std::string_view section, std::string_view key);

// The bytes with key in section set to value (UTF-8 texts): the key line is
// replaced in place, or added at the end of the section, or added with a new
// section at the end of the file. Every other line keeps its bytes and its
// line break. Nothing when a name is empty, a name or the value holds a line
// break or a zero byte, the section name holds "]", the key holds "=" or
// starts with "[" or ";", or a name does not survive the file's encoding
// (it could never be found again).
std::optional<std::string> ini_with_value(std::string_view bytes, std::string_view section,
                                          std::string_view key, std::string_view value);
