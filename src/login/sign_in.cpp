#include "login/sign_in.h"

#include "core/credentials.h"
#include "core/deploy_settings.h"
#include "core/session.h"
#include "db/database.h"
#include "db/db_accounts.h"

std::string sign_in_message(SignInOutcome outcome) {
    switch (outcome) {
        case SignInOutcome::Success:
            return {};
        case SignInOutcome::MissingUser:
            return "错误！请输入用户名";
        case SignInOutcome::MissingPassword:
            return "错误！请输入密码";
        case SignInOutcome::WrongCredentials:
            return "用户名或密码错误";
        case SignInOutcome::ServerUnreachable:
            return "服务器连接异常！";
    }
    return {};
}

bool connect_payments_db(Session& session, const DeploySettings& settings) {
    session.payments_db = open_payments_db(settings);
    if (!session.payments_db) {
        return false;
    }
    db_execute(session.payments_db, "set names GBK");
    return true;
}

SignInOutcome sign_in(Session& session, const DeploySettings& settings, const std::string& user,
                      const std::string& password) {
    if (user.empty()) {
        return SignInOutcome::MissingUser;
    }
    if (password.empty()) {
        return SignInOutcome::MissingPassword;
    }
    // Without a connection every attempt would read as wrong credentials and
    // only a restart would help: try the server again first.
    if (!session.payments_db && !connect_payments_db(session, settings)) {
        return SignInOutcome::ServerUnreachable;
    }
    DbConnection* db = session.payments_db;
    db_execute(db, "select * from qtx_shop_member where user = '" + db_quote(db, user) + "'");
    RecordSetOwner account(db_store_result(db));
    std::string stored_user;
    std::string stored_digest;
    db_read_field(account.get(), "user", stored_user);
    db_read_field(account.get(), "passwd", stored_digest);
    db_read_field(account.get(), "shopname", session.shopname);
    db_read_field(account.get(), "shopid", session.shopid);

    // The server may find the row in another letter case; only the exact
    // name signs in.
    if (stored_user != user || md5_hex(password) != stored_digest) {
        return SignInOutcome::WrongCredentials;
    }
    return SignInOutcome::Success;
}
