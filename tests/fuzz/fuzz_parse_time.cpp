// Any text into parse_time: the result is always a valid date-time, and a
// text that parses gives back the same value through its own box text.
#include <cstddef>
#include <cstdint>

#include "timeentry/time_text.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    const DateTime t = parse_time(text);
    if (!t.is_valid()) {
        __builtin_trap();
    }
    const std::string seconds = unix_seconds_text(t);
    if (seconds.size() != 10 || box_text_seconds(text) != seconds) {
        __builtin_trap();
    }
    if (t == kEarliestDateTime) {
        return 0;
    }
    if (parse_time(format_time_text(t, true, 1)) != t ||
        parse_time(format_time_text(t, false, 1)) != t) {
        __builtin_trap();
    }
    // A seconds text of ten digits shows as the time it came from.
    const long long count = seconds_from_1970(t) - 8 * 3600;
    if (count >= 0 && count < 10000000000LL &&
        display_time_text(seconds, true) != format_by_picture(t, "yyyy-M-dd ", "HH:mm:ss", false)) {
        __builtin_trap();
    }
    return 0;
}
