#pragma once

#include <string>
#include <string_view>

// The MD5 digest of the text's GBK bytes in 32 lowercase hexadecimal digits,
// as the service stores sign-in and staff passwords.
std::string md5_hex(std::string_view text);
