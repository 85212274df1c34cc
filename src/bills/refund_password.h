#pragma once

#include <string>
#include <string_view>

struct DbConnection;

// A shop's refund password: six characters, each a digit from 1 to 9.
bool is_refund_password(std::string_view text);

// A new refund password, every digit drawn from the system's secure random
// source; empty text when that source cannot be read.
std::string draw_refund_password();

// The statement that stores password as the shop's refund password, the shop
// id quoted for the connection (which may be null). Empty text when password
// is not a refund password, so that no malformed password can be stored.
std::string refund_password_statement(DbConnection* connection, std::string_view password,
                                      std::string_view shopid);

// The bytes of the refund password file: "您的退款密码是：" and the password, in
// GBK, without a line break or byte-order mark.
std::string refund_password_file_bytes(std::string_view password);

// Replaces the file at path with the refund password file, readable by its
// owner only. False when it cannot be written completely; then nothing is
// left behind and an existing file stays as it was.
bool write_refund_password_file(const std::string& path, std::string_view password);
