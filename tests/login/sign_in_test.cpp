#include "login/sign_in.h"

#include <gtest/gtest.h>
#include <stdlib.h>

#include "core/deploy_settings.h"
#include "core/session.h"
#include "support/test_database.h"
#include "support/test_shop.h"

namespace {

class SignInTest : public testing::Test {
protected:
    void SetUp() override {
        db_ = connect_payments_db();
        ASSERT_NE(db_, nullptr);
        shop_ = std::make_unique<TestShop>(db_.get(), "秘密pw");
        session_.payments_db = db_.get();
    }
    SignInOutcome attempt(const std::string& user, const std::string& password) {
        return sign_in(session_, load_deploy_settings(), user, password);
    }

    DbConnectionOwner db_;
    std::unique_ptr<TestShop> shop_;
    Session session_;
};

TEST_F(SignInTest, the_exact_name_and_password_sign_in_and_fill_the_session) {
    EXPECT_EQ(attempt(shop_->user, "秘密pw"), SignInOutcome::Success);
    EXPECT_EQ(session_.shopid, shop_->shopid);
    EXPECT_EQ(session_.shopname, "测试门店");
}

TEST_F(SignInTest, each_failure_has_its_message) {
    struct Case {
        std::string user;
        std::string password;
        SignInOutcome outcome;
        const char* message;
    };
    std::string upper = shop_->user;
    upper[0] = static_cast<char>(std::toupper(upper[0]));
    const Case cases[] = {
        {"", "x", SignInOutcome::MissingUser, "错误！请输入用户名"},
        {shop_->user, "", SignInOutcome::MissingPassword, "错误！请输入密码"},
        {shop_->user, "wrong", SignInOutcome::WrongCredentials, "用户名或密码错误"},
        {"nosuchuser", "秘密pw", SignInOutcome::WrongCredentials, "用户名或密码错误"},
        // The server finds the row whatever the letter case; the name must match exactly.
        {upper, "秘密pw", SignInOutcome::WrongCredentials, "用户名或密码错误"},
        {"请输入账号", "请输入密码", SignInOutcome::WrongCredentials, "用户名或密码错误"},
        {"x' OR '1'='1", "秘密pw", SignInOutcome::WrongCredentials, "用户名或密码错误"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.user + " / " + c.password);
        SignInOutcome outcome = attempt(c.user, c.password);
        EXPECT_EQ(outcome, c.outcome);
        EXPECT_EQ(sign_in_message(outcome), c.message);
    }
}

TEST_F(SignInTest, a_digest_stored_in_upper_case_never_matches) {
    run_sql(db_.get(), "UPDATE qtx_shop_member SET passwd = UPPER(passwd) WHERE shopid = '" +
                           shop_->shopid + "'");
    EXPECT_EQ(attempt(shop_->user, "秘密pw"), SignInOutcome::WrongCredentials);
}

TEST_F(SignInTest, without_a_connection_it_connects_again_first) {
    session_.payments_db = nullptr;
    EXPECT_EQ(attempt(shop_->user, "秘密pw"), SignInOutcome::Success);
    ASSERT_NE(session_.payments_db, nullptr);
    db_close(session_.payments_db);
}

TEST_F(SignInTest, an_unreachable_server_says_so_instead_of_wrong_credentials) {
    session_.payments_db = nullptr;
    DeploySettings unreachable = load_deploy_settings();
    unreachable.db_port = 1;
    EXPECT_EQ(sign_in(session_, unreachable, shop_->user, "秘密pw"),
              SignInOutcome::ServerUnreachable);
    EXPECT_EQ(sign_in_message(SignInOutcome::ServerUnreachable), "服务器连接异常！");
    EXPECT_EQ(session_.payments_db, nullptr);
}

}  // namespace
