#pragma once

struct Session;

// Finds the signed-in shop's mall account id (the uniacid of its rows in the
// mall database) and stores it in session.wxid; empty text when the shop has
// none or the lookup fails.
void lookup_mall_id(Session& session);
