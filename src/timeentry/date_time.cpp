#include "timeentry/date_time.h"

namespace {

constexpr long long kSecondsPerDay = 86400;

long long floor_div(long long a, long long b) {
    return a / b - ((a % b != 0) && ((a < 0) != (b < 0)));
}

// Days from 1970-01-01 in the proleptic Gregorian calendar.
long long days_from_civil(long long year, int month, int day) {
    year -= month <= 2;
    const long long era = floor_div(year, 400);
    const long long year_of_era = year - era * 400;
    const long long day_of_year = (153 * (month > 2 ? month - 3 : month + 9) + 2) / 5 + day - 1;
    const long long day_of_era =
        year_of_era * 365 + year_of_era / 4 - year_of_era / 100 + day_of_year;
    return era * 146097 + day_of_era - 719468;
}

}  // namespace

int days_in_month(int year, int month) {
    static constexpr int kDays[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    if (month < 1 || month > 12) {
        return 0;
    }
    bool leap = (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
    return kDays[month - 1] + (month == 2 && leap ? 1 : 0);
}

bool DateTime::is_valid() const {
    return year >= 100 && year <= 9999 && month >= 1 && month <= 12 && day >= 1 &&
           day <= days_in_month(year, month) && hour >= 0 && hour <= 23 && minute >= 0 &&
           minute <= 59 && second >= 0 && second <= 59;
}

long long seconds_from_1970(const DateTime& t) {
    return days_from_civil(t.year, t.month, t.day) * kSecondsPerDay + t.hour * 3600LL +
           t.minute * 60LL + t.second;
}

DateTime date_time_from_1970(long long seconds) {
    const long long days = floor_div(seconds, kSecondsPerDay);
    const long long rest = seconds - days * kSecondsPerDay;
    // The inverse of days_from_civil.
    const long long shifted = days + 719468;
    const long long era = floor_div(shifted, 146097);
    const long long day_of_era = shifted - era * 146097;
    const long long year_of_era =
        (day_of_era - day_of_era / 1460 + day_of_era / 36524 - day_of_era / 146096) / 365;
    const long long day_of_year =
        day_of_era - (365 * year_of_era + year_of_era / 4 - year_of_era / 100);
    const long long month_index = (5 * day_of_year + 2) / 153;
    DateTime t;
    t.day = static_cast<int>(day_of_year - (153 * month_index + 2) / 5 + 1);
    t.month = static_cast<int>(month_index < 10 ? month_index + 3 : month_index - 9);
    t.year = static_cast<int>(year_of_era + era * 400 + (t.month <= 2));
    t.hour = static_cast<int>(rest / 3600);
    t.minute = static_cast<int>(rest / 60 % 60);
    t.second = static_cast<int>(rest % 60);
    return t;
}
