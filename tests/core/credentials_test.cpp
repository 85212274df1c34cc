#include "core/credentials.h"

#include <gtest/gtest.h>

namespace {

// Characters 3 to 11 of md5("mintpa318") = 2dd8186e8a17dc990f3a8f2ca831d61f.
const std::string kCheck = "D8186E8A1";

TEST(Md5Hex, digests_gbk_bytes_in_lowercase_hex) {
    struct Case {
        std::string text;
        std::string digest;
    };
    const Case cases[] = {
        {"", "d41d8cd98f00b204e9800998ecf8427e"},
        {"abc", "900150983cd24fb0d6963f7d28e17f72"},
        {"mintpa318", "2dd8186e8a17dc990f3a8f2ca831d61f"},
        {"星河", "9fb92d77a46c3509cbcc16136de5263a"},  // over D0 C7 BA D3, not the UTF-8 bytes
        {"密码", "d2293e30f0c964c5f6242486aa8a483c"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(md5_hex(c.text), c.digest) << c.text;
    }
}

TEST(Scramble, check_characters_come_from_the_key) {
    EXPECT_EQ(kCredentialKey, "mintpa318");
    EXPECT_EQ(kScrambleConstant, 9406);
    EXPECT_EQ(scramble_check(kCredentialKey), kCheck);
}

TEST(Scramble, gives_two_characters_per_gbk_byte_and_the_check) {
    struct Case {
        std::string plain;
        std::string stored;
    };
    const Case cases[] = {
        {"", kCheck},
        {"a", "DF" + kCheck},     // 0x61 ^ 0xBE
        {"\xBE", "81" + kCheck},  // an invalid UTF-8 byte goes out as "?": 0x3F ^ 0xBE
        {"1", "8F" + kCheck},     // 0x31 ^ 0xBE
        {"星", "6E79" + kCheck},  // D0 C7
        {"運", "61E2" + kCheck},  // DF 5C: a backslash as second byte
        {"A0", "FF8E" + kCheck},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(scramble(c.plain, kCredentialKey), c.stored) << c.plain;
    }
    EXPECT_EQ(scramble("星河财务", kCredentialKey).size(), 25u);
    EXPECT_EQ(scramble("x", kCredentialKey).size(), 11u);
}

TEST(Scramble, unscramble_restores_every_text) {
    std::string every_ascii;
    for (int c = 1; c < 0x80; ++c) {
        every_ascii += static_cast<char>(c);
    }
    const std::string texts[] = {
        "",           "a",      "admin",         "shop_0001", "张三丰",
        "密码123!@#", "運乗表", "星河 - 财务端", every_ascii, std::string(3000, 'z')};
    for (const std::string& text : texts) {
        EXPECT_EQ(unscramble(scramble(text, kCredentialKey), kCredentialKey), text) << text;
    }
}

TEST(Scramble, unscramble_needs_the_check_and_hexadecimal_digits) {
    struct Case {
        std::string stored;
        std::string plain;
    };
    const Case cases[] = {
        {"", ""},                               // shorter than the check
        {"D8186E8A", ""},                       // eight characters
        {kCheck, ""},                           // empty text scrambled
        {"DF" + std::string("d8186e8a1"), ""},  // the check compares exactly
        {"DF" + scramble_check("other"), ""},   // another key
        {"DFD8186E8A", ""},                     // check cut short
        {"df" + kCheck, "a"},                   // lowercase digits read as hex
        {"DFD" + kCheck, "a\xEF\xBF\xBD"},      // final single digit: 0x0D ^ 0xBE, not GBK
        {"DG" + kCheck, ""},                    // not a hexadecimal digit
        {"D " + kCheck, ""},
        {"星" + kCheck, ""},
        {"DFBEDF" + kCheck, "a"},         // a zero byte ends the text
        {"3F" + kCheck, "\xEF\xBF\xBD"},  // 0x81 alone is not GBK
        {std::string("DF\0", 3) + kCheck, ""},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(unscramble(c.stored, kCredentialKey), c.plain) << c.stored;
    }
}

}  // namespace
