#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "db/database.h"

// A shop with realistic rows in both databases, for the demo, the
// benchmarks and tests that want volume. One generator, sized by its
// options.
struct DemoShopOptions {
    std::string shopid = "10086";
    std::string shopname = "星河演示门店";
    std::string user = "demo";
    std::string password = "demo1234";
    std::string wxid = "8";           // the shop's mall account id
    std::string workid_prefix = "D";  // staff work ids are unique over all shops
    int payments = 3000;
    // Payments, coupons and mall rows fall in the span_seconds before end_time.
    int64_t end_time = 0;  // Unix seconds; 0 = now
    int64_t span_seconds = 30 * 86400;
    uint32_t seed = 20261211;
    // The channels payments are spread over (all five when empty) and the
    // share of them that succeeded.
    std::vector<std::string> channels;
    int paid_percent = 85;
    bool with_mall = true;
};

struct DemoShop {
    std::vector<std::string> staff_names;
    std::vector<std::string> staff_workids;
    int payments = 0;
    int refunds = 0;
    int coupons = 0;
    int mall_orders = 0;
};

// Removes every row of the shop (and of its mall account), then writes it
// anew. False when a statement is refused.
bool generate_demo_shop(DbConnection* payments_db, DbConnection* mall_db,
                        const DemoShopOptions& options, DemoShop& made);
