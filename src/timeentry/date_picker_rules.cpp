#include "timeentry/date_picker_rules.h"

#include <algorithm>
#include <tuple>

#include "timeentry/time_text.h"

namespace {

bool before(const DateTime& a, const DateTime& b) {
    return std::tie(a.year, a.month, a.day) < std::tie(b.year, b.month, b.day);
}

DateTime date_only(const DateTime& t) {
    return {t.year, t.month, t.day, 0, 0, 0};
}

DateTime within_calendar(const DateTime& date) {
    if (before(date, kFirstCalendarDate)) {
        return kFirstCalendarDate;
    }
    if (before(kLastCalendarDate, date)) {
        return kLastCalendarDate;
    }
    return date_only(date);
}

}  // namespace

DateTime calendar_date_of_box(std::string_view box_text) {
    return within_calendar(parse_time(box_text));
}

DateTime shift_calendar_date(const DateTime& date, int months) {
    const long long index = date.year * 12LL + (date.month - 1) + months;
    if (index < kFirstCalendarDate.year * 12LL) {
        return kFirstCalendarDate;
    }
    if (index >= (kLastCalendarDate.year + 1) * 12LL) {
        return kLastCalendarDate;
    }
    const int year = static_cast<int>(index / 12);
    const int month = static_cast<int>(index % 12) + 1;
    return within_calendar({year, month, std::min(date.day, days_in_month(year, month)), 0, 0, 0});
}

std::string date_pick_text(const DateTime& picked, std::string_view box_text) {
    return format_time_text(picked, true, 2) + " " +
           format_time_text(parse_time(box_text), true, 3);
}

bool DayClickCounter::tick() {
    if (armed_ && changes_ < 2) {
        return true;
    }
    reset();
    return false;
}

void DayClickCounter::reset() {
    armed_ = false;
    changes_ = 0;
}
