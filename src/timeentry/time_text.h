#pragma once

#include <string>
#include <string_view>

#include "timeentry/clock_format.h"
#include "timeentry/date_time.h"

// The three text forms of a time: the box text (2025-12-09 18:20:12), the
// seconds text pasted into statements, and the display text of stored
// timestamps. The service keeps UTC+8: a seconds text counts from the local
// date-time 1970-01-01 08:00:00 whatever zone the machine is set to, so
// seconds are computed on the calendar, never through the machine's zone.

// Year, month, day [hour:minute[:second]]: the date fields joined by "-", "/"
// or "." (the same twice), the year of 3 or 4 digits, the other fields of 1 or
// 2, one or more blanks before the time, blanks around the whole ignored. A
// missing time is 00:00:00. Anything else, or a field out of range (month 13,
// 30 February, hour 24), gives kEarliestDateTime.
DateTime parse_time(std::string_view text);

// Part 1: date and time, 2: date only, 3: time only, any other: date and
// time. With pad, month, day, hour, minute and second get two digits (the
// box text); the year never gets leading zeros.
std::string format_time_text(const DateTime& t, bool pad, int part);

// The seconds from 1970-01-01 08:00:00 to t, in exactly 10 characters: padded
// in front with "0" when shorter, cut to the first 10 when longer (the
// earliest value gives -590114880). An invalid t counts as kEarliestDateTime.
std::string unix_seconds_text(const DateTime& t);

// parse_time of a box's text, then unix_seconds_text.
std::string box_text_seconds(std::string_view box_text);

// The seconds text of today's local date at 00:00:00.
std::string today_start_seconds();

// A stored timestamp as the lists show it. Ten characters are seconds since
// 1970-01-01 08:00:00, shown as yyyy-M-dd HH:mm:ss (hh:mm:ss, with no AM/PM
// marker, on a 12-hour clock); the whole number is used, also past 2038. Any
// other text is milliseconds since 1970-01-01 00:00:00 UTC read as a script
// number, shown in the machine's zone as yyyy-M-d HH:mm:ss; empty text when
// it is not a number or lies beyond 8.64e15 either way.
std::string display_time_text(std::string_view stored);
std::string display_time_text(std::string_view stored, bool clock_24_hour);

// t through a date picture and a time picture, each used only when it has at
// least 3 characters: yyyy (yy, y) year, M/MM month, d/dd day, H/HH hour
// 0-23, h/hh hour 1-12 (as H/HH when force_24_hour), m/mm minute, s/ss
// second; every other character is copied. Empty text when t is not valid.
std::string format_by_picture(const DateTime& t, std::string_view date_picture,
                              std::string_view time_picture, bool force_24_hour);
