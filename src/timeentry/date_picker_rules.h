#pragma once

#include <string>
#include <string_view>

#include "timeentry/date_time.h"

// What the date picker does to a box text: a picked calendar day replaces
// the date and keeps the box's own time.

// The calendar shows four-digit years only: a picked day then always gives a
// 19-character box text, whose fields stand at the offsets the pickers use.
inline constexpr DateTime kFirstCalendarDate{1000, 1, 1, 0, 0, 0};
inline constexpr DateTime kLastCalendarDate{9999, 12, 31, 0, 0, 0};

// The date the calendar opens on: the box text's date, brought into the
// calendar's range (a text that is no date-time gives the first date).
DateTime calendar_date_of_box(std::string_view box_text);

// The date months later (earlier when negative), the day of the month kept
// or cut to the last day of a shorter month, held within the calendar's range.
DateTime shift_calendar_date(const DateTime& date, int months);

// The picked date, a blank and the time of the box text (00:00:00 when the
// box text is no date-time).
std::string date_pick_text(const DateTime& picked, std::string_view box_text);

// Tells a click on a day from other changes of the calendar's selection. A
// press arms it; each selection change is counted; both restart the commit
// timer, and its tick commits when armed with fewer than two changes since
// (a click on a day makes at most one). Anything else (keyboard moves, a
// drag over several days) only resets it.
class DayClickCounter {
public:
    void press() { armed_ = true; }
    void selection_changed() { ++changes_; }
    // True when the tick commits the picked day; otherwise starts over.
    bool tick();
    void reset();

private:
    bool armed_ = false;
    int changes_ = 0;
};
