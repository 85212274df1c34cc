#include "timeentry/clock_format.h"

#include <langinfo.h>
#include <locale.h>

#include <memory>
#include <type_traits>

namespace {

struct LocaleFree {
    void operator()(locale_t locale) const { freelocale(locale); }
};
using LocaleOwner = std::unique_ptr<std::remove_pointer_t<locale_t>, LocaleFree>;

bool is_flag(char c) {
    return c == '_' || c == '-' || c == '0' || c == '^' || c == '#';
}

}  // namespace

bool time_format_is_24_hour(std::string_view format) {
    for (size_t i = 0; i < format.size(); ++i) {
        if (format[i] != '%') {
            continue;
        }
        ++i;
        while (i < format.size() && is_flag(format[i])) {
            ++i;
        }
        while (i < format.size() && format[i] >= '0' && format[i] <= '9') {
            ++i;
        }
        if (i < format.size() && (format[i] == 'E' || format[i] == 'O')) {
            ++i;
        }
        if (i >= format.size()) {
            break;
        }
        if (format[i] == 'I' || format[i] == 'l' || format[i] == 'r') {
            return false;
        }
    }
    return true;
}

bool clock_is_24_hour() {
    LocaleOwner locale(newlocale(LC_TIME_MASK, "", static_cast<locale_t>(nullptr)));
    if (!locale) {
        return true;
    }
    const char* format = nl_langinfo_l(T_FMT, locale.get());
    return time_format_is_24_hour(format ? format : "");
}
