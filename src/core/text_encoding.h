#pragma once

#include <string>
#include <string_view>

// Texts live in the program as UTF-8; GBK appears only where bytes leave or
// enter it (the database wire, the settings files, exports, digests).

// UTF-8 to GBK. A character that GBK lacks, and a byte that is not valid
// UTF-8, becomes "?".
std::string to_gbk(std::string_view utf8);

// GBK to UTF-8. A byte sequence that is not valid GBK becomes U+FFFD.
std::string from_gbk(std::string_view gbk);

// The text as GBK and back: what the far side will see of it.
std::string gbk_round_trip(std::string_view utf8);

bool is_ascii(std::string_view text);
