#include "support/test_shop.h"

#include "core/credentials.h"
#include "core/session.h"
#include "support/test_database.h"

TestShop::TestShop(DbConnection* db, const std::string& password, const std::string& shopname)
    : shopid(unique_id("S")),
      user(unique_id("u")),
      password(password),
      shopname(shopname),
      db_(db) {
    run_sql(db_, "INSERT INTO qtx_shop_member (user, passwd, shopname, shopid) VALUES ('" +
                     db_quote(db_, user) + "', '" + md5_hex(password) + "', '" +
                     db_quote(db_, shopname) + "', '" + db_quote(db_, shopid) + "')");
}

TestShop::~TestShop() {
    const std::string shop = std::string("'") + db_quote(db_, shopid) + "'";
    for (const char* table : {"qtx_shop_member", "qtx_shop_sub_member", "lanbo_refund_log",
                              "qtx_shop_code", "qtx_shop_tools"}) {
        db_execute(db_, std::string("DELETE FROM ") + table + " WHERE shopid = " + shop);
    }
    db_execute(db_, "DELETE FROM qtx_shop_paylog WHERE Shopid = " + shop);
}

void sign_in_session(const TestShop& shop, DbConnection* db) {
    Session& s = session();
    s.payments_db = db;
    s.shopid = shop.shopid;
    s.shopname = shop.shopname;
}

void clear_session() {
    session() = Session{};
}
