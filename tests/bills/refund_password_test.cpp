#include "bills/refund_password.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <set>

#include "support/temp_folder.h"

namespace {

namespace fs = std::filesystem;

TEST(RefundPassword, draws_six_digits_from_one_to_nine_and_every_digit_occurs) {
    std::set<char> digits;
    std::set<std::string> passwords;
    for (int i = 0; i < 2000; ++i) {
        std::string password = draw_refund_password();
        ASSERT_EQ(password.size(), 6u);
        for (char c : password) {
            ASSERT_TRUE(c >= '1' && c <= '9') << password;
            digits.insert(c);
        }
        passwords.insert(password);
    }
    EXPECT_EQ(digits.size(), 9u);
    // 2000 draws out of 531441 passwords: a handful of repeats at most.
    EXPECT_GT(passwords.size(), 1980u);
}

TEST(RefundPassword, recognises_only_six_digits_from_one_to_nine) {
    EXPECT_TRUE(is_refund_password("123456"));
    EXPECT_TRUE(is_refund_password("999999"));
    for (const char* bad : {"", "12345", "1234567", "123450", "12345a", "12 456", "１23456"}) {
        EXPECT_FALSE(is_refund_password(bad)) << bad;
    }
}

TEST(RefundPasswordStatement, stores_the_password_in_the_shops_member_row) {
    EXPECT_EQ(refund_password_statement(nullptr, "384921", "1001"),
              "UPDATE qtx_shop_member SET re_passwd = '384921' WHERE shopid = '1001'");
}

TEST(RefundPasswordStatement, the_shop_id_cannot_end_its_literal) {
    EXPECT_EQ(
        refund_password_statement(nullptr, "111111", "1' OR '1'='1"),
        "UPDATE qtx_shop_member SET re_passwd = '111111' WHERE shopid = '1\\' OR \\'1\\'=\\'1'");
}

TEST(RefundPasswordStatement, a_malformed_password_gives_no_statement) {
    EXPECT_EQ(refund_password_statement(nullptr, "", "1001"), "");
    EXPECT_EQ(refund_password_statement(nullptr, "1' --", "1001"), "");
}

TEST(RefundPasswordFile, holds_the_gbk_sentence_and_the_digits_only) {
    const std::string expected =
        "\xC4\xFA\xB5\xC4\xCD\xCB\xBF\xEE\xC3\xDC\xC2\xEB\xCA\xC7\xA3\xBA"  // 您的退款密码是：
        "527318";
    EXPECT_EQ(refund_password_file_bytes("527318"), expected);

    TempFolder folder;
    std::string path = folder.file("pw.txt");
    ASSERT_TRUE(write_refund_password_file(path, "527318"));
    EXPECT_EQ(read_whole_file(path), expected);
    EXPECT_EQ(fs::status(path).permissions(), fs::perms::owner_read | fs::perms::owner_write);
}

TEST(RefundPasswordFile, a_second_password_replaces_the_first) {
    TempFolder folder;
    std::string path = folder.file("pw.txt");
    ASSERT_TRUE(write_refund_password_file(path, "111111"));
    ASSERT_TRUE(write_refund_password_file(path, "222222"));
    EXPECT_TRUE(
        read_whole_file(path).ends_with("\xA3\xBA"
                                        "222222"));
    EXPECT_EQ(folder.names(), std::vector<std::string>{"pw.txt"});
}

TEST(RefundPasswordFile, an_unwritable_path_gives_false_and_no_file) {
    TempFolder folder;
    EXPECT_FALSE(write_refund_password_file(folder.file("missing/pw.txt"), "123456"));
    EXPECT_FALSE(write_refund_password_file("", "123456"));
    EXPECT_FALSE(write_refund_password_file(folder.file("pw.txt"), "12345"));
    EXPECT_TRUE(folder.names().empty());
}

}  // namespace
