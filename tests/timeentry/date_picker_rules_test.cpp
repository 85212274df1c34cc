#include "timeentry/date_picker_rules.h"

#include <gtest/gtest.h>

#include <string>

namespace {

TEST(DatePick, writes_the_picked_date_with_the_box_time) {
    struct Case {
        DateTime picked;
        std::string box_text;
        std::string written;
    };
    const Case cases[] = {
        {{2025, 12, 15}, "2025-12-09 18:20:12", "2025-12-15 18:20:12"},
        {{2026, 1, 3}, "2025-12-9 8:5:0", "2026-01-03 08:05:00"},
        {{2024, 2, 29}, "2025/12/09 23:59:59", "2024-02-29 23:59:59"},
        {{2025, 12, 15}, "2025-12-09", "2025-12-15 00:00:00"},
        // A box text that is no date-time has no time to keep.
        {{2025, 12, 15}, "abc", "2025-12-15 00:00:00"},
        {{2025, 12, 15}, "", "2025-12-15 00:00:00"},
        {{2025, 12, 15}, "2025-12-09 24:00:00", "2025-12-15 00:00:00"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(date_pick_text(c.picked, c.box_text), c.written) << c.box_text;
    }
}

TEST(CalendarDate, opens_on_the_box_date_within_four_digit_years) {
    struct Case {
        std::string box_text;
        DateTime date;
    };
    const Case cases[] = {
        {"2025-12-09 18:20:12", {2025, 12, 9}},
        {"1970-01-01 08:00:00", {1970, 1, 1}},
        {"9999-12-31 23:59:59", {9999, 12, 31}},
        {"999-12-31 23:59:59", kFirstCalendarDate},
        // A text that is no date-time parses to 0100-01-01.
        {"abc", kFirstCalendarDate},
        {"", kFirstCalendarDate},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(calendar_date_of_box(c.box_text), c.date) << c.box_text;
    }
}

TEST(CalendarDate, steps_keep_the_day_or_the_last_day_of_a_shorter_month) {
    struct Case {
        DateTime from;
        int months;
        DateTime to;
    };
    const Case cases[] = {
        {{2025, 12, 9}, 12, {2026, 12, 9}},       {{2025, 12, 9}, -12, {2024, 12, 9}},
        {{2025, 12, 9}, 1, {2026, 1, 9}},         {{2025, 1, 9}, -1, {2024, 12, 9}},
        {{2025, 1, 31}, 1, {2025, 2, 28}},        {{2024, 1, 31}, 1, {2024, 2, 29}},
        {{2024, 2, 29}, 12, {2025, 2, 28}},       {{2025, 3, 31}, -1, {2025, 2, 28}},
        {{2025, 5, 31}, 1, {2025, 6, 30}},        {{1000, 1, 15}, -1, kFirstCalendarDate},
        {{1000, 6, 15}, -12, kFirstCalendarDate}, {{9999, 12, 15}, 1, kLastCalendarDate},
        {{9999, 1, 15}, 12, kLastCalendarDate},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(shift_calendar_date(c.from, c.months), c.to)
            << c.from.year << "-" << c.from.month << "-" << c.from.day << " by " << c.months;
    }
}

// The commit timer ticks 50 ms after the last press or selection change.
TEST(DayClickCounter, commits_a_press_with_fewer_than_two_selection_changes) {
    struct Case {
        const char* events;  // p: press, c: selection change
        bool commits;
    };
    const Case cases[] = {
        {"pc", true},    // a click on another day
        {"p", true},     // a click on the day already selected
        {"pcc", false},  // a drag over days, or a move to another month
        {"c", false},    // the keyboard
        {"cc", false},  {"", false},
    };
    for (const Case& c : cases) {
        DayClickCounter counter;
        for (const char* e = c.events; *e; ++e) {
            *e == 'p' ? counter.press() : counter.selection_changed();
        }
        EXPECT_EQ(counter.tick(), c.commits) << c.events;
    }
}

TEST(DayClickCounter, starts_over_after_a_tick_without_commit) {
    DayClickCounter counter;
    counter.press();
    counter.selection_changed();
    counter.selection_changed();
    EXPECT_FALSE(counter.tick());
    counter.selection_changed();
    EXPECT_FALSE(counter.tick());  // no press since: not armed
    counter.press();
    counter.selection_changed();
    EXPECT_TRUE(counter.tick());
}

}  // namespace
