#include "bills/refund_password.h"

#include <sys/random.h>

#include <cerrno>

#include "core/text_encoding.h"
#include "db/database.h"
#include "core/replacing_file.h"

namespace {

constexpr std::size_t kLength = 6;

// The largest multiple of 9 that a byte can hold: bytes from here up would
// make the low digits more likely, so they are drawn again.
constexpr unsigned kAcceptBelow = 252;

bool read_random(unsigned char* bytes, std::size_t size) {
    while (size > 0) {
        ssize_t n = ::getrandom(bytes, size, 0);
        if (n < 0) {
            if (errno == EINTR) {
                continue;
            }
            return false;
        }
        bytes += n;
        size -= static_cast<std::size_t>(n);
    }
    return true;
}

}  // namespace

bool is_refund_password(std::string_view text) {
    if (text.size() != kLength) {
        return false;
    }
    for (char c : text) {
        if (c < '1' || c > '9') {
            return false;
        }
    }
    return true;
}

std::string draw_refund_password() {
    std::string password;
    unsigned char pool[16];
    while (password.size() < kLength) {
        if (!read_random(pool, sizeof pool)) {
            return {};
        }
        for (unsigned char byte : pool) {
            if (byte < kAcceptBelow && password.size() < kLength) {
                password.push_back(static_cast<char>('1' + byte % 9));
            }
        }
    }
    return password;
}

std::string refund_password_statement(DbConnection* connection, std::string_view password,
                                      std::string_view shopid) {
    if (!is_refund_password(password)) {
        return {};
    }
    std::string statement = "UPDATE qtx_shop_member SET re_passwd = '";
    statement += password;
    statement += "' WHERE shopid = '";
    statement += db_quote(connection, shopid);
    statement += "'";
    return statement;
}

std::string refund_password_file_bytes(std::string_view password) {
    return to_gbk("您的退款密码是：") + std::string(password);
}

bool write_refund_password_file(const std::string& path, std::string_view password) {
    if (!is_refund_password(password)) {
        return false;
    }
    return replace_file_contents(path, refund_password_file_bytes(password), 0600);
}
