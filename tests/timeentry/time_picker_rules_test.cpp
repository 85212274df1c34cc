#include "timeentry/time_picker_rules.h"

#include <gtest/gtest.h>

#include <string>

namespace {

const std::string kBox = "2025-12-09 18:20:12";

TEST(TimeField, follows_the_caret_offset) {
    struct Case {
        int caret;
        TimeField field;
        std::string caption;
        int first_offset;
    };
    const Case cases[] = {
        {0, TimeField::none, "", -1},        {10, TimeField::none, "", -1},
        {11, TimeField::hour, "小时", 11},   {12, TimeField::hour, "小时", 11},
        {13, TimeField::hour, "小时", 11},   {14, TimeField::minute, "分钟", 14},
        {15, TimeField::minute, "分钟", 14}, {16, TimeField::minute, "分钟", 14},
        {17, TimeField::second, "秒钟", 17}, {19, TimeField::second, "秒钟", 17},
        {20, TimeField::none, "", -1},       {-1, TimeField::none, "", -1},
    };
    for (const Case& c : cases) {
        const TimeField field = time_field_at(c.caret);
        EXPECT_EQ(field, c.field) << c.caret;
        EXPECT_EQ(time_field_caption(field), c.caption) << c.caret;
        EXPECT_EQ(time_field_offset(field), c.first_offset) << c.caret;
    }
}

TEST(TimeGrid, holds_the_field_values_in_reading_order_then_empty_cells) {
    struct Case {
        TimeField field;
        int values;
    };
    for (const Case& c : {Case{TimeField::hour, 24}, Case{TimeField::minute, 60},
                          Case{TimeField::second, 60}, Case{TimeField::none, 0}}) {
        const std::vector<std::string> cells = time_grid_cells(c.field);
        ASSERT_EQ(cells.size(), 60u);
        for (int i = 0; i < 60; ++i) {
            const std::string expected =
                i < c.values ? std::string{char('0' + i / 10), char('0' + i % 10)} : "";
            EXPECT_EQ(cells[i], expected) << "cell " << i;
        }
    }
    // The hour fills rows 0 and 1 and the first four cells of row 2.
    EXPECT_EQ(time_grid_cells(TimeField::hour)[2 * kTimeGridColumns + 3], "23");
    EXPECT_EQ(time_grid_cells(TimeField::hour)[2 * kTimeGridColumns + 4], "");
}

TEST(TimePick, writes_the_value_over_the_field_under_the_caret) {
    struct Case {
        std::string text;
        int caret;
        std::string value;
        TimeBoxEdit edit;
    };
    const Case cases[] = {
        {kBox, 15, "45", {"2025-12-09 18:45:12", 14}},
        {kBox, 12, "07", {"2025-12-09 07:20:12", 11}},
        {kBox, 13, "23", {"2025-12-09 23:20:12", 11}},
        {kBox, 19, "00", {"2025-12-09 18:20:00", 17}},
        {kBox, 17, "59", {"2025-12-09 18:20:59", 17}},
        {kBox, 12, "", {kBox, 12}},    // an empty cell changes nothing
        {kBox, 10, "45", {kBox, 10}},  // no field
        {kBox, 25, "45", {kBox, 25}},
        {"2025-12-09 18:20:12 备注", 18, "30", {"2025-12-09 18:20:30 备注", 17}},
        {"2025年12月09日 18:20",
         14,
         "45",
         {"2025年12月09日 18450", 14}},  // offsets count characters
    };
    for (const Case& c : cases) {
        EXPECT_EQ(pick_time_value(c.text, c.caret, c.value), c.edit) << c.text << " @" << c.caret;
    }
}

// Each step types one character into the box text left by the one before.
TEST(TimeTyping, rolls_digits_into_the_field_within_its_limit) {
    struct Case {
        std::string text;
        int caret;
        std::vector<std::string> typed;
        std::vector<std::string> after_each;
    };
    const Case cases[] = {
        {kBox, 11, {"5"}, {"2025-12-09 05:20:12"}},
        {kBox, 12, {"2", "3"}, {"2025-12-09 02:20:12", "2025-12-09 23:20:12"}},
        {"2025-12-09 01:20:12", 13, {"2"}, {"2025-12-09 12:20:12"}},
        {"2025-12-09 18:59:12", 15, {"9"}, {"2025-12-09 18:09:12"}},
        {kBox, 14, {"3", "7"}, {"2025-12-09 18:03:12", "2025-12-09 18:37:12"}},
        {kBox,
         18,
         {"4", "5", "6"},
         {"2025-12-09 18:20:24", "2025-12-09 18:20:45", "2025-12-09 18:20:56"}},
        {kBox, 11, {"x"}, {kBox}},   // no digit: the value stays
        {kBox, 11, {"时"}, {kBox}},  // nor does a character beyond ASCII
        {"2025-12-09 ab:20:12", 11, {"7"}, {"2025-12-09 00:20:12"}},
        {"2025-12-09 2", 12, {"9"}, {"2025-12-09 09"}},
    };
    for (const Case& c : cases) {
        std::string text = c.text;
        for (size_t i = 0; i < c.typed.size(); ++i) {
            const TimeBoxEdit edit = roll_typed_char(text, c.caret, c.typed[i]);
            EXPECT_EQ(edit.text, c.after_each[i]) << c.text << " typing " << c.typed[i];
            EXPECT_EQ(edit.caret, time_field_offset(time_field_at(c.caret)));
            text = edit.text;
        }
    }
}

TEST(TimeTyping, leaves_the_box_as_it_is_outside_the_time_fields) {
    for (int caret : {0, 10, 20, 25}) {
        EXPECT_EQ(roll_typed_char(kBox, caret, "5"), (TimeBoxEdit{kBox, caret})) << caret;
    }
}

TEST(TimeArrows, move_the_caret_to_the_neighbouring_field) {
    struct Case {
        int caret;
        int after_left;
        int after_right;
    };
    const Case cases[] = {
        {10, 10, 10}, {11, 11, 14}, {13, 13, 14}, {14, 11, 17},
        {16, 11, 17}, {17, 14, 17}, {19, 14, 19}, {20, 20, 20},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(caret_after_arrow(c.caret, ArrowKey::left), c.after_left) << c.caret;
        EXPECT_EQ(caret_after_arrow(c.caret, ArrowKey::right), c.after_right) << c.caret;
    }
}

TEST(TimeOfDay, sets_the_whole_time_and_keeps_date_and_tail) {
    struct Case {
        std::string text;
        std::string earliest;
        std::string latest;
    };
    const Case cases[] = {
        {kBox, "2025-12-09 00:00:00", "2025-12-09 23:59:59"},
        {"2025-12-09 18:20:12 x", "2025-12-09 00:00:00 x", "2025-12-09 23:59:59 x"},
        {"2025-12-09", "2025-12-0900:00:00", "2025-12-0923:59:59"},
        {"", "00:00:00", "23:59:59"},
        {"2025年12月09日 18:20:12", "2025年12月09日00:00:002", "2025年12月09日23:59:592"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(earliest_time_of_day(c.text), c.earliest) << c.text;
        EXPECT_EQ(latest_time_of_day(c.text), c.latest) << c.text;
    }
}

}  // namespace
