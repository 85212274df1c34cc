#include "db/mall_id_lookup.h"

#include <gtest/gtest.h>

#include "core/session.h"
#include "support/test_database.h"

namespace {

TEST(MallIdLookup, reads_the_shops_mall_account_and_clears_it_when_there_is_none) {
    DbConnectionOwner db = connect_payments_db();
    ASSERT_NE(db, nullptr);
    const std::string shop = unique_id("mall");
    run_sql(db.get(), "INSERT INTO qtx_shop_tools (shopid, wxid) VALUES ('" + shop + "', '77')");

    Session s;
    s.payments_db = db.get();
    s.shopid = shop;
    lookup_mall_id(s);
    EXPECT_EQ(s.wxid, "77");

    s.shopid = unique_id("nomall");
    lookup_mall_id(s);
    EXPECT_EQ(s.wxid, "");

    s.shopid = shop;
    s.payments_db = nullptr;
    s.wxid = "stale";
    lookup_mall_id(s);
    EXPECT_EQ(s.wxid, "");

    run_sql(db.get(), "DELETE FROM qtx_shop_tools WHERE shopid = '" + shop + "'");
}

TEST(MallIdLookup, a_quote_in_the_shop_id_matches_nothing_else) {
    DbConnectionOwner db = connect_payments_db();
    Session s;
    s.payments_db = db.get();
    s.shopid = "x' OR '1'='1";
    lookup_mall_id(s);
    EXPECT_EQ(s.wxid, "");
}

}  // namespace
