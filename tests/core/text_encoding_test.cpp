#include "core/text_encoding.h"

#include <gtest/gtest.h>

namespace {

TEST(TextEncoding, chinese_text_round_trips_through_gbk) {
    const std::string text = "星河 - 财务端：交易成功，合计金额 12.5 元";
    std::string gbk = to_gbk(text);
    EXPECT_EQ(gbk.substr(0, 4), "\xD0\xC7\xBA\xD3");  // 星河
    EXPECT_EQ(from_gbk(gbk), text);
}

TEST(TextEncoding, double_byte_characters_with_a_backslash_as_second_byte) {
    EXPECT_EQ(to_gbk("運"), "\xDF\x5C");
    EXPECT_EQ(to_gbk("乗"), "\x81\x5C");
    EXPECT_EQ(from_gbk("\xDF\x5C\x27"), "運'");
}

TEST(TextEncoding, characters_gbk_lacks_become_question_marks) {
    EXPECT_EQ(to_gbk("a😀b"), "a?b");
    EXPECT_EQ(to_gbk("한"), "?");
}

TEST(TextEncoding, invalid_utf8_bytes_become_question_marks) {
    EXPECT_EQ(to_gbk(std::string("\xBF' OR 1=1", 9)), "?' OR 1=1");
    EXPECT_EQ(to_gbk(std::string("\xE6\x98", 2)), "??");
}

TEST(TextEncoding, invalid_gbk_becomes_replacement_characters) {
    EXPECT_EQ(from_gbk("\xBF\x27"), "\xEF\xBF\xBD'");
    EXPECT_EQ(from_gbk("ab\x81"), "ab\xEF\xBF\xBD");
    EXPECT_EQ(from_gbk("\xFF"), "\xEF\xBF\xBD");
}

TEST(TextEncoding, nul_bytes_are_characters_like_any_other) {
    std::string text("a\0b", 3);
    EXPECT_EQ(to_gbk(text), text);
    EXPECT_EQ(from_gbk(std::string("\xD0\xC7\0", 3)), std::string("星\0", 4));
}

TEST(TextEncoding, long_texts_convert_whole) {
    std::string text;
    for (int i = 0; i < 5000; ++i) {
        text += "财务";
    }
    EXPECT_EQ(to_gbk(text).size(), 20000u);
    EXPECT_EQ(from_gbk(to_gbk(text)), text);
}

}  // namespace
