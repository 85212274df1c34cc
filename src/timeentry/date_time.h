#pragma once

// A local calendar date and clock time to the second, without zone: what a
// time box shows. Plain fields, so that callers can build and compare values.
struct DateTime {
    int year = 0;
    int month = 0;
    int day = 0;
    int hour = 0;
    int minute = 0;
    int second = 0;

    // A real date of the years 100 to 9999 and a time of 00:00:00 to 23:59:59.
    bool is_valid() const;

    bool operator==(const DateTime&) const = default;
};

// The earliest value, 0100-01-01 00:00:00; also what a text that is not a
// date-time parses to.
inline constexpr DateTime kEarliestDateTime{100, 1, 1, 0, 0, 0};

int days_in_month(int year, int month);

// Seconds from 1970-01-01 00:00:00 to t on the same clock (negative before
// it), by calendar arithmetic: no zone is involved. t must be valid.
long long seconds_from_1970(const DateTime& t);

// The date-time that many seconds after 1970-01-01 00:00:00 on the same
// clock; any count of the 64-bit range whose year fits an int.
DateTime date_time_from_1970(long long seconds);
