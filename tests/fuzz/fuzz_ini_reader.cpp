// Any file with any names: reading never fails, and a value written into
// the file reads back as it would from a file holding nothing else, leaving
// the other keys as they were.
#include <fuzzer/FuzzedDataProvider.h>

#include <cstddef>
#include <cstdint>

#include "core/ini_text.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    FuzzedDataProvider provider(data, size);
    const std::string section = provider.ConsumeRandomLengthString(24);
    const std::string key = provider.ConsumeRandomLengthString(24);
    const std::string value = provider.ConsumeRandomLengthString(64);
    const std::string file = provider.ConsumeRemainingBytesAsString();

    const std::string read = ini_value(file, section, key);
    const std::string uid = ini_value(file, "Conf", "UID");
    if (read.size() > 3 * 10239 || uid.size() > 3 * 10239) {
        __builtin_trap();
    }

    const std::optional<std::string> written = ini_with_value(file, section, key, value);
    if (!written) {
        return 0;
    }
    const bool utf8 = file.rfind("\xEF\xBB\xBF", 0) == 0;
    const std::optional<std::string> alone =
        ini_with_value(utf8 ? "\xEF\xBB\xBF" : "", section, key, value);
    if (!alone || ini_value(*written, section, key) != ini_value(*alone, section, key)) {
        __builtin_trap();
    }
    if (ini_with_value(*written, section, key, value) != written) {
        __builtin_trap();
    }
    const bool same_key = ini_value("[Conf]\nUID=x", section, key) == "x";
    if (!same_key && ini_value(*written, "Conf", "UID") != uid) {
        __builtin_trap();
    }
    return 0;
}
