#include <gtest/gtest.h>

#include "core/credentials.h"
#include "core/session.h"
#include "staff/staff_accounts.h"
#include "support/test_database.h"

namespace {

// Each test has two shops and work ids of its own.
class StaffDb : public testing::Test {
protected:
    void SetUp() override {
        db_ = connect_payments_db();
        ASSERT_NE(db_, nullptr);
        shop_ = unique_id("st");
        other_shop_ = unique_id("sto");
        session_.payments_db = db_.get();
        session_.shopid = shop_;
        session_.shopname = "星河一号店";
    }
    void TearDown() override {
        run_sql(db_.get(), "DELETE FROM qtx_shop_sub_member WHERE shopid IN ('" + shop_ + "','" +
                               other_shop_ + "')");
    }

    void add_member(const std::string& shop, const std::string& workid, const std::string& name,
                    const std::string& passwd = "old") {
        run_sql(db_.get(),
                "INSERT INTO qtx_shop_sub_member (workid, name, passwd, shopid, "
                "shopname) VALUES ('" +
                    workid + "','" + name + "','" + passwd + "','" + shop + "','x')");
    }
    std::string member_count(const std::string& shop, const std::string& workid) {
        return query_text(db_.get(), "SELECT COUNT(*) FROM qtx_shop_sub_member WHERE shopid = '" +
                                         shop + "' AND workid = '" + workid + "'");
    }
    std::string password_of(const std::string& shop, const std::string& workid) {
        return query_text(db_.get(), "SELECT passwd FROM qtx_shop_sub_member WHERE shopid = '" +
                                         shop + "' AND workid = '" + workid + "'");
    }

    DbConnectionOwner db_;
    Session session_;
    std::string shop_;
    std::string other_shop_;
};

TEST_F(StaffDb, adds_the_member_with_the_digest_of_the_password) {
    const std::string workid = unique_id("w");
    StatementLog log;
    EXPECT_EQ(add_staff_member(session_, workid, "张三", "abc123"), AddStaffOutcome::added);
    EXPECT_EQ(log.sent, (std::vector<std::string>{
                            "select * from qtx_shop_sub_member where workid = '" + workid + "'",
                            "insert into qtx_shop_sub_member set passwd='" + md5_hex("abc123") +
                                "',name='张三',shopid='" + shop_ +
                                "',shopname='星河一号店',workid='" + workid + "'"}));
    EXPECT_EQ(query_text(db_.get(),
                         "SELECT CONCAT_WS('|', name, passwd, shopid, shopname) FROM "
                         "qtx_shop_sub_member WHERE workid = '" +
                             workid + "'"),
              "张三|" + md5_hex("abc123") + "|" + shop_ + "|星河一号店");

    const std::string no_password = unique_id("w");
    EXPECT_EQ(add_staff_member(session_, no_password, "李四", ""), AddStaffOutcome::added);
    EXPECT_EQ(password_of(shop_, no_password), "d41d8cd98f00b204e9800998ecf8427e");
}

TEST_F(StaffDb, refuses_a_work_id_that_any_shop_uses_and_an_empty_one) {
    const std::string ours = unique_id("w");
    const std::string theirs = unique_id("w");
    add_member(shop_, ours, "张三");
    add_member(other_shop_, theirs, "李四");

    EXPECT_EQ(add_staff_member(session_, ours, "王五", "1"), AddStaffOutcome::duplicate);
    EXPECT_EQ(add_staff_member(session_, theirs, "王五", "1"), AddStaffOutcome::duplicate);
    EXPECT_EQ(add_staff_member(session_, "", "王五", "1"), AddStaffOutcome::duplicate);
    EXPECT_EQ(member_count(shop_, ours), "1");
    EXPECT_EQ(member_count(shop_, theirs), "0");
    EXPECT_EQ(member_count(shop_, ""), "0");
}

TEST_F(StaffDb, deletes_only_a_member_of_this_shop) {
    const std::string ours = unique_id("w");
    const std::string theirs = unique_id("w");
    add_member(shop_, ours, "张三");
    add_member(other_shop_, theirs, "李四");

    StatementLog log;
    EXPECT_EQ(delete_staff_member(session_, ours), StaffChangeOutcome::done);
    EXPECT_EQ(log.sent.at(0), "DELETE  FROM qtx_shop_sub_member WHERE workid = '" + ours +
                                  "' AND shopid = '" + shop_ + "'");
    EXPECT_EQ(member_count(shop_, ours), "0");

    EXPECT_EQ(delete_staff_member(session_, theirs), StaffChangeOutcome::no_such_member);
    EXPECT_EQ(member_count(other_shop_, theirs), "1");
    EXPECT_EQ(delete_staff_member(session_, ours), StaffChangeOutcome::no_such_member);
}

TEST_F(StaffDb, resets_the_password_of_a_member_of_this_shop_only) {
    const std::string ours = unique_id("w");
    const std::string theirs = unique_id("w");
    add_member(shop_, ours, "张三");
    add_member(other_shop_, theirs, "李四");

    StatementLog log;
    EXPECT_EQ(reset_staff_password(session_, ours), StaffChangeOutcome::done);
    EXPECT_EQ(log.sent.at(0), "update qtx_shop_sub_member set passwd='" +
                                  std::string(kDefaultStaffPasswordDigest) + "' where workid='" +
                                  ours + "' AND shopid = '" + shop_ + "'");
    EXPECT_EQ(password_of(shop_, ours), kDefaultStaffPasswordDigest);
    // Already the default: the row is unchanged but still this shop's member.
    EXPECT_EQ(reset_staff_password(session_, ours), StaffChangeOutcome::done);

    EXPECT_EQ(reset_staff_password(session_, theirs), StaffChangeOutcome::no_such_member);
    EXPECT_EQ(password_of(other_shop_, theirs), "old");
    EXPECT_EQ(reset_staff_password(session_, unique_id("w")), StaffChangeOutcome::no_such_member);
}

TEST_F(StaffDb, lists_the_shops_members_after_all_staff_in_result_order) {
    const std::string a = unique_id("w"), b = unique_id("w"), c = unique_id("w");
    add_member(shop_, a, "张三");
    add_member(other_shop_, unique_id("w"), "赵六");
    add_member(shop_, b, "王 五");
    add_member(shop_, c, "李四");

    StatementLog log;
    EXPECT_EQ(staff_choice_entries(session_),
              (std::vector<std::string>{"全部员工", "张三 " + a, "王 五 " + b, "李四 " + c}));
    EXPECT_EQ(log.sent, std::vector<std::string>{
                            "SELECT * FROM qtx_shop_sub_member where shopid = '" + shop_ + "'"});

    session_.shopid = unique_id("empty");
    EXPECT_EQ(staff_choice_entries(session_), std::vector<std::string>{"全部员工"});
}

TEST_F(StaffDb, a_lost_connection_fails_every_change_and_lists_all_staff_only) {
    const std::string ours = unique_id("w");
    add_member(shop_, ours, "张三");
    DbConnectionOwner lost = connect_payments_db();
    ASSERT_NE(lost, nullptr);
    run_sql(db_.get(), "KILL " + query_text(lost.get(), "SELECT CONNECTION_ID()"));
    session_.payments_db = lost.get();

    EXPECT_EQ(add_staff_member(session_, unique_id("w"), "李四", "1"), AddStaffOutcome::failed);
    EXPECT_EQ(delete_staff_member(session_, ours), StaffChangeOutcome::failed);
    EXPECT_EQ(reset_staff_password(session_, ours), StaffChangeOutcome::failed);
    EXPECT_EQ(staff_choice_entries(session_), std::vector<std::string>{"全部员工"});
    EXPECT_EQ(member_count(shop_, ours), "1");
    EXPECT_EQ(password_of(shop_, ours), "old");
}

}  // namespace
