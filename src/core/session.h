#pragma once

#include <string>

struct DbConnection;

// The signed-in shop: the one process-wide record every window reads.
// Written and read on the window thread only; a background task works on
// copies of what it needs.
struct Session {
    // Key "UID" of Conf.ini: empty text = credentials remembered, "1" = not.
    std::string uid_flag;
    // PaymentsDb; nullptr while not connected.
    DbConnection* payments_db = nullptr;
    std::string shopname;
    std::string shopid;
    // The shop's mall account id (the uniacid of its mall rows).
    std::string wxid;
    // Fee rates as fractions (the percentages of sxf.ini divided by 100).
    float fee_rate_zhifubao = 0.0f;
    float fee_rate_weixin = 0.0f;
};

Session& session();
