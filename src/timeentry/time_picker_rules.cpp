#include "timeentry/time_picker_rules.h"

#include "timeentry/box_text_chars.h"

namespace {

constexpr int kTimeOffset = 11;
constexpr int kTimeEnd = 19;

int field_limit(TimeField field) {
    return field == TimeField::hour ? 23 : 59;
}

// The number formed by the leading decimal digits, 0 without any.
int leading_value(std::string_view text) {
    int value = 0;
    for (char c : text) {
        if (c < '0' || c > '9') {
            break;
        }
        value = value * 10 + (c - '0');
    }
    return value;
}

std::string two_digits(int value) {
    return std::string(1, static_cast<char>('0' + value / 10)) +
           static_cast<char>('0' + value % 10);
}

std::string with_field(std::string_view text, int offset, std::string_view value) {
    std::string result(char_slice(text, 0, offset));
    result += value;
    result += char_tail(text, offset + 2);
    return result;
}

std::string with_time(std::string_view text, std::string_view time) {
    std::string result(char_slice(text, 0, kTimeOffset));
    result += time;
    result += char_tail(text, kTimeEnd);
    return result;
}

}  // namespace

TimeField time_field_at(int caret) {
    if (caret >= 11 && caret <= 13) {
        return TimeField::hour;
    }
    if (caret >= 14 && caret <= 16) {
        return TimeField::minute;
    }
    if (caret >= 17 && caret <= 19) {
        return TimeField::second;
    }
    return TimeField::none;
}

std::string time_field_caption(TimeField field) {
    switch (field) {
        case TimeField::hour:
            return "小时";
        case TimeField::minute:
            return "分钟";
        case TimeField::second:
            return "秒钟";
        case TimeField::none:
            break;
    }
    return {};
}

int time_field_offset(TimeField field) {
    switch (field) {
        case TimeField::hour:
            return 11;
        case TimeField::minute:
            return 14;
        case TimeField::second:
            return 17;
        case TimeField::none:
            break;
    }
    return -1;
}

std::vector<std::string> time_grid_cells(TimeField field) {
    const int values = field == TimeField::none ? 0 : field_limit(field) + 1;
    std::vector<std::string> cells(kTimeGridRows * kTimeGridColumns);
    for (int i = 0; i < values && i < static_cast<int>(cells.size()); ++i) {
        cells[i] = two_digits(i);
    }
    return cells;
}

TimeBoxEdit pick_time_value(std::string_view text, int caret, std::string_view value) {
    const TimeField field = time_field_at(caret);
    if (field == TimeField::none || value.empty()) {
        return {std::string(text), caret};
    }
    const int offset = time_field_offset(field);
    return {with_field(text, offset, value), offset};
}

TimeBoxEdit roll_typed_char(std::string_view text, int caret, std::string_view typed) {
    const TimeField field = time_field_at(caret);
    if (field == TimeField::none) {
        return {std::string(text), caret};
    }
    const int offset = time_field_offset(field);
    std::string rolled(char_slice(text, offset, 2));
    rolled += char_slice(typed, 0, 1);
    std::string_view r = rolled;
    while (leading_value(r) > field_limit(field)) {
        r = char_tail(r, 1);
    }
    return {with_field(text, offset, two_digits(leading_value(r))), offset};
}

int caret_after_arrow(int caret, ArrowKey key) {
    const TimeField field = time_field_at(caret);
    if (key == ArrowKey::left) {
        if (field == TimeField::second) {
            return time_field_offset(TimeField::minute);
        }
        if (field == TimeField::minute) {
            return time_field_offset(TimeField::hour);
        }
    } else {
        if (field == TimeField::hour) {
            return time_field_offset(TimeField::minute);
        }
        if (field == TimeField::minute) {
            return time_field_offset(TimeField::second);
        }
    }
    return caret;
}

std::string earliest_time_of_day(std::string_view text) {
    return with_time(text, "00:00:00");
}

std::string latest_time_of_day(std::string_view text) {
    return with_time(text, "23:59:59");
}
