// Any stored text into unscramble; and any text through scramble and back.
#include <cstddef>
#include <cstdint>

#include "core/credentials.h"
#include "core/text_encoding.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    const std::string check = scramble_check(kCredentialKey);

    const std::string plain = unscramble(text, kCredentialKey);
    if (!plain.empty() &&
        (text.size() < check.size() || text.substr(text.size() - check.size()) != check)) {
        __builtin_trap();
    }

    const std::string scrambled = scramble(text, kCredentialKey);
    if (scrambled.size() != 2 * to_gbk(text).size() + check.size()) {
        __builtin_trap();
    }
    // The text ends at a zero byte; what GBK lacks comes back as "?".
    if (unscramble(scrambled, kCredentialKey) != gbk_round_trip(text.substr(0, text.find('\0')))) {
        __builtin_trap();
    }
    return 0;
}
