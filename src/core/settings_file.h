#pragma once

#include <string>
#include <string_view>

// INI files with the Windows private-profile behaviour the client's files
// were written for (see core/ini_text.h): GBK text, section and key names
// found without regard to ASCII letter case, the first match wins, values
// trimmed of blanks.

// The value of key in section of the file at path; empty text when the file,
// the section or the key is missing or the file cannot be read. A value is
// read up to 10239 bytes.
std::string read_setting(const std::string& path, std::string_view section, std::string_view key);

// Sets key in section to value, creating the file, the section and the key as
// needed; every other line stays as it was. The file is replaced atomically
// (a symbolic link is followed); a new file is readable and writable by its
// owner only, an existing one keeps its mode. False when the file cannot be
// read or written, or a name or the value would break the file's lines.
bool write_setting(const std::string& path, std::string_view section, std::string_view key,
                   std::string_view value);
