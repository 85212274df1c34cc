#pragma once

#include <string>
#include <string_view>
#include <vector>

// What the time picker does to a box text (2025-12-09 18:20:12). It edits one
// field of the time, the one under the box's caret; the field is never
// stored, always found again from the caret. Offsets are character offsets.

enum class TimeField { none, hour, minute, second };

// Caret 11-13 is the hour, 14-16 the minute, 17-19 the second, any other none.
TimeField time_field_at(int caret);
// "小时", "分钟", "秒钟"; empty for none, where the caption keeps its text.
std::string time_field_caption(TimeField field);
// The offset of the field's first character: 11, 14 or 17; -1 for none.
int time_field_offset(TimeField field);

inline constexpr int kTimeGridRows = 6;
inline constexpr int kTimeGridColumns = 10;

// The texts of every grid cell in reading order (row 0 columns 0-9, then row
// 1, ...): the field's values as two digits, 00-23 or 00-59, then empty cells.
std::vector<std::string> time_grid_cells(TimeField field);

// A box text and the caret to set with it.
struct TimeBoxEdit {
    std::string text;
    int caret = 0;

    bool operator==(const TimeBoxEdit&) const = default;
};

// The picked grid value written over the field's two characters, the caret on
// the field's first offset. Without a field, or with an empty value, the text
// and the caret stay as they are.
TimeBoxEdit pick_time_value(std::string_view text, int caret, std::string_view value);

// A typed character rolled into the field: the field's two characters and
// the character are read as a number from their leading digits, and leading
// characters are dropped while it exceeds 23 (hour) or 59, so the field keeps
// the last digits typed that still make a valid value (18, then 5, gives 05;
// then 9 gives 59). A character that is no digit leaves the value as it was.
// The caret goes to the field's first offset; without a field nothing changes.
TimeBoxEdit roll_typed_char(std::string_view text, int caret, std::string_view typed);

enum class ArrowKey { left, right };

// Left moves from the second to the minute and from the minute to the hour,
// right the other way; anywhere else the caret stays.
int caret_after_arrow(int caret, ArrowKey key);

// "最小时间" and "最大时间": the time part set to 00:00:00 or 23:59:59, the
// date and whatever follows offset 19 kept.
std::string earliest_time_of_day(std::string_view text);
std::string latest_time_of_day(std::string_view text);
