#pragma once

#include <string>

#include "db/database.h"

// A shop account of the test's own in PaymentsDb (unique ids, since tests run
// in parallel), removed with all its rows when the object goes.
class TestShop {
public:
    // password is stored as the MD5 digest of its GBK bytes.
    explicit TestShop(DbConnection* db, const std::string& password = "secret",
                      const std::string& shopname = "测试门店");
    ~TestShop();
    TestShop(const TestShop&) = delete;
    TestShop& operator=(const TestShop&) = delete;

    std::string shopid;
    std::string user;
    std::string password;
    std::string shopname;

private:
    DbConnection* db_;
};

// Puts the shop into the process-wide session as a sign-in would, with the
// connection as PaymentsDb (not owned).
void sign_in_session(const TestShop& shop, DbConnection* db);
void clear_session();
