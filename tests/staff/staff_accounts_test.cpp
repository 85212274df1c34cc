#include "staff/staff_accounts.h"

#include <gtest/gtest.h>

#include "core/credentials.h"

namespace {

TEST(StaffMessages, carry_the_typed_texts) {
    EXPECT_EQ(staff_added_message("0001", "张三", "abc123"),
              "新增成功！\r\n员工编号：0001\r\n员工姓名：张三\r\n员工密码：abc123");
    EXPECT_EQ(delete_staff_question("0001"), "确定删除编号：0001的员工吗？");
    EXPECT_EQ(password_reset_message("0001"), "当前编号：0001密码已重置为：kqz947");
    EXPECT_EQ(no_such_staff_message("0001"), "本门店没有编号为0001的员工");
    EXPECT_EQ(kDuplicateWorkidMessage, "当前商户已存在此员工编号，请换一个");
    EXPECT_EQ(kStaffDeletedMessage, "当前员工删除成功！");
}

TEST(DefaultStaffPassword, its_digest_is_the_md5_of_the_password) {
    EXPECT_EQ(kDefaultStaffPassword, "kqz947");
    EXPECT_EQ(md5_hex(kDefaultStaffPassword), kDefaultStaffPasswordDigest);
}

TEST(StaffStatements, match_the_texts_the_service_expects) {
    EXPECT_EQ(staff_choice_statement(nullptr, "1001"),
              "SELECT * FROM qtx_shop_sub_member where shopid = '1001'");
    EXPECT_EQ(duplicate_check_statement(nullptr, "0001"),
              "select * from qtx_shop_sub_member where workid = '0001'");
    EXPECT_EQ(new_staff_assignments(nullptr, "d41d8cd98f00b204e9800998ecf8427e", "张三", "1001",
                                    "星河一号店", "0001"),
              "passwd='d41d8cd98f00b204e9800998ecf8427e',name='张三',shopid='1001',"
              "shopname='星河一号店',workid='0001'");
    EXPECT_EQ(delete_staff_statement(nullptr, "0001", "1001"),
              "DELETE  FROM qtx_shop_sub_member WHERE workid = '0001' AND shopid = '1001'");
    EXPECT_EQ(reset_password_condition(nullptr, "0001", "1001"),
              "workid='0001' AND shopid = '1001'");
}

TEST(StaffStatements, typed_texts_cannot_end_their_literal) {
    EXPECT_EQ(duplicate_check_statement(nullptr, "x' OR '1'='1"),
              "select * from qtx_shop_sub_member where workid = 'x\\' OR \\'1\\'=\\'1'");
    EXPECT_EQ(delete_staff_statement(nullptr, "' OR 1=1 -- ", "1001"),
              "DELETE  FROM qtx_shop_sub_member WHERE workid = '\\' OR 1=1 -- ' AND shopid = "
              "'1001'");
    EXPECT_EQ(new_staff_assignments(nullptr, "d", "O'Brien", "1001", "Joe's", "1"),
              "passwd='d',name='O\\'Brien',shopid='1001',shopname='Joe\\'s',workid='1'");
}

}  // namespace
