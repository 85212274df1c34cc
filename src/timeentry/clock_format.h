#pragma once

#include <string_view>

// Whether the user's locale shows times on a 24-hour clock: the time format
// of LC_TIME as the environment sets it (LC_ALL, LC_TIME, LANG), read without
// changing the process's locale. 24-hour when the locale is unknown.
bool clock_is_24_hour();

// Whether a strftime time format (the locale's T_FMT) keeps a 24-hour clock:
// false when it writes the hour with %I, %l or %r.
bool time_format_is_24_hour(std::string_view format);
