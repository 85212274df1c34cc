#pragma once

#include <string>

struct DeploySettings;
struct Session;

enum class SignInOutcome {
    Success,
    MissingUser,        // "错误！请输入用户名"
    MissingPassword,    // "错误！请输入密码"
    WrongCredentials,   // "用户名或密码错误"
    ServerUnreachable,  // "服务器连接异常！"
};

// The message the login screen shows for an outcome; empty for Success.
std::string sign_in_message(SignInOutcome outcome);

// Checks the typed user name and password against the shop accounts. On an
// attempt that reaches the account query, the shop's name and id are stored
// in the session (also when the password then turns out wrong). While the
// session has no connection, the attempt first connects again.
SignInOutcome sign_in(Session& session, const DeploySettings& settings, const std::string& user,
                      const std::string& password);

// Opens PaymentsDb for the session and switches it to GBK; false when the
// server cannot be reached.
bool connect_payments_db(Session& session, const DeploySettings& settings);
