#include "bills/bill_query.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "core/session.h"

namespace {

BillRow amount_row(const std::string& amount) {
    BillRow row(10);
    row[3] = amount;
    return row;
}

TEST(BillTotal, adds_the_amounts_rounding_the_running_text_at_every_step) {
    struct Case {
        std::vector<std::string> amounts;
        std::string total;
    };
    const Case cases[] = {
        {{"12.50", "7.5"}, "20"},
        {{"0.1", "0.2"}, "0.3"},
        {{}, ""},
        {{"0"}, "0"},
        {{"abc", "", "5"}, "5"},
        {{"-3.25", "1"}, "-2.25"},
        // Summed at full precision this would end in ...124; the running text
        // keeps 13 digits after each step.
        {{"1234567890.123", "0.0004", "0.0004"}, "1234567890.123"},
    };
    for (const Case& c : cases) {
        std::vector<BillRow> rows;
        for (const std::string& amount : c.amounts) {
            rows.push_back(amount_row(amount));
        }
        EXPECT_EQ(bill_total_text(rows), c.total) << testing::PrintToString(c.amounts);
    }
}

TEST(FeeRateText, writes_the_rounded_float_with_at_most_six_digits) {
    const std::pair<float, const char*> cases[] = {
        {0.0038f, "0.0038"}, {0.006f, "0.006"}, {0.0f, "0"}, {5e-5f, "5e-005"}, {0.0025f, "0.0025"},
    };
    for (const auto& [rate, text] : cases) {
        EXPECT_EQ(fee_rate_text(rate), text);
    }
}

TEST(FeeRate, only_alipay_and_wechat_pay_carry_a_rate) {
    Session s;
    s.fee_rate_zhifubao = 0.0038f;
    s.fee_rate_weixin = 0.006f;
    EXPECT_EQ(fee_rate(s, Channel::alipay), 0.0038f);
    EXPECT_EQ(fee_rate(s, Channel::wechat), 0.006f);
    for (Channel c :
         {Channel::all_types, Channel::alipay_6, Channel::alipay_12, Channel::long_pay}) {
        EXPECT_EQ(fee_rate(s, c), std::nullopt) << static_cast<int>(c);
    }
}

TEST(ChannelOfRadios, the_first_radio_on_in_order_one_to_six_decides) {
    struct Case {
        std::array<bool, 6> on;
        std::optional<Channel> channel;
    };
    const Case cases[] = {
        {{false, false, false, false, false, false}, std::nullopt},
        {{true, false, false, false, false, false}, Channel::alipay},
        {{false, true, false, false, false, false}, Channel::wechat},
        {{false, false, true, false, false, false}, Channel::all_types},
        {{false, false, false, true, false, false}, Channel::alipay_6},
        {{false, false, false, false, true, false}, Channel::alipay_12},
        {{false, false, false, false, false, true}, Channel::long_pay},
        {{false, true, false, false, false, true}, Channel::wechat},
        {{false, false, false, true, true, true}, Channel::alipay_6},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(channel_of_radios(c.on), c.channel) << testing::PrintToString(c.on);
    }
}

TEST(StaffNameFilter, takes_the_text_before_the_first_space_unless_all_staff) {
    const std::pair<const char*, std::optional<std::string>> cases[] = {
        {"全部员工", std::nullopt},
        {"张三 0001", "张三"},
        {"王 五 0003", "王"},
        {"张三", "张三"},
        {"", ""},
        {" 0001", ""},
        {"全部员工 ", "全部员工"},
    };
    for (const auto& [text, name] : cases) {
        EXPECT_EQ(staff_name_filter(text), name) << text;
    }
}

TEST(BillStatements, match_the_texts_the_service_expects) {
    EXPECT_EQ(paid_payments_statement(nullptr, "1772812800", "1772899199", "1001", Channel::alipay,
                                      "张三"),
              "SELECT * FROM qtx_shop_paylog WHERE Time between 1772812800 and 1772899199 and "
              "status='已支付' and Shopid='1001' and Payclass='支付宝' and Name='张三'");
    EXPECT_EQ(fee_update_statement(nullptr, Channel::alipay, "0.0038", "P0001", "1772812800",
                                   "1772899199", "1001"),
              "UPDATE qtx_shop_paylog SET sxf = ROUND(Money*0.0038,2) WHERE Shoppayid = 'P0001' "
              "AND Payclass = '支付宝' AND status = '已支付' AND time between 1772812800 AND "
              "1772899199 AND Shopid = '1001'");
    EXPECT_EQ(fee_update_statement(nullptr, Channel::wechat, "0.006", "W1", "1", "2", "1001"),
              "UPDATE qtx_shop_paylog SET sxf = ROUND(Money*0.006,2) WHERE Shoppayid = 'W1' AND "
              "Payclass = '微信支付' AND status = '已支付' AND time between 1 AND 2 AND Shopid = "
              "'1001'");
    EXPECT_EQ(fee_update_statement(nullptr, Channel::all_types, "0.006", "W1", "1", "2", "1001"),
              "");
    EXPECT_EQ(refunds_statement(nullptr, "2026-03-07 00:00:00", "2026-03-07 23:59:59", "1001"),
              "SELECT * FROM lanbo_refund_log WHERE refund_time between '2026-03-07 00:00:00' "
              "and '2026-03-07 23:59:59' and shopid = '1001'");
}

TEST(BillStatements, pasted_texts_cannot_end_their_literal) {
    EXPECT_EQ(
        paid_payments_statement(nullptr, "1", "2", "1' OR '1'='1", Channel::all_types, "O'Brien"),
        "SELECT * FROM qtx_shop_paylog WHERE Time between 1 and 2 and status='已支付' and "
        "Shopid='1\\' OR \\'1\\'=\\'1' and Name='O\\'Brien'");
    EXPECT_EQ(refunds_statement(nullptr, "x' OR 1=1 -- ", "y", "1001"),
              "SELECT * FROM lanbo_refund_log WHERE refund_time between 'x\\' OR 1=1 -- ' and "
              "'y' and shopid = '1001'");
    EXPECT_EQ(fee_update_statements(nullptr, Channel::alipay, "0.0038", {{"a'b"}}, "1", "2", "s'")
                  .front(),
              "UPDATE qtx_shop_paylog SET sxf = ROUND(Money*0.0038,2) WHERE Shoppayid IN "
              "('a\\'b') AND Payclass = '支付宝' AND status = '已支付' AND time between 1 AND 2 "
              "AND Shopid = 's\\''");
}

TEST(FeeUpdateStatements, list_the_order_numbers_of_the_shop_in_one_statement) {
    const std::vector<std::string> ids{"P1", "P2", "P3"};
    EXPECT_EQ(fee_update_statements(nullptr, Channel::wechat, "0.006", ids, "10", "20", "1001"),
              std::vector<std::string>{
                  "UPDATE qtx_shop_paylog SET sxf = ROUND(Money*0.006,2) WHERE Shoppayid IN "
                  "('P1','P2','P3') AND Payclass = '微信支付' AND status = '已支付' AND time "
                  "between 10 AND 20 AND Shopid = '1001'"});
    EXPECT_TRUE(
        fee_update_statements(nullptr, Channel::alipay, "0.0038", {}, "1", "2", "1001").empty());
    for (Channel c :
         {Channel::all_types, Channel::alipay_6, Channel::alipay_12, Channel::long_pay}) {
        EXPECT_TRUE(fee_update_statements(nullptr, c, "0.0038", ids, "1", "2", "1001").empty());
    }
}

// The order numbers each statement lists, in order.
std::vector<std::vector<std::string>> listed_ids(const std::vector<std::string>& statements) {
    std::vector<std::vector<std::string>> lists;
    for (const std::string& s : statements) {
        const std::string open = "IN ('";
        const std::string close = "') AND Payclass";
        size_t from = s.find(open) + open.size();
        std::string inside = s.substr(from, s.find(close) - from);
        std::vector<std::string> ids;
        for (size_t at = 0;;) {
            size_t next = inside.find("','", at);
            ids.push_back(inside.substr(at, next - at));
            if (next == std::string::npos) {
                break;
            }
            at = next + 3;
        }
        lists.push_back(ids);
    }
    return lists;
}

TEST(FeeUpdateStatements, cover_every_payment_once_in_bounded_statements) {
    struct Case {
        size_t count;
        size_t id_length;
        // Empty: as many as the size allows.
        std::vector<size_t> per_statement;
    };
    const Case cases[] = {
        {1, 8, {1}},     {1000, 8, {1000}}, {1001, 8, {1000, 1}}, {2500, 8, {1000, 1000, 500}},
        {1000, 600, {}},
    };
    for (const Case& c : cases) {
        std::vector<std::string> ids;
        for (size_t i = 0; i < c.count; ++i) {
            std::string id = "P" + std::to_string(i);
            id.resize(std::max(id.size(), c.id_length), 'x');
            ids.push_back(id);
        }
        std::vector<std::string> statements =
            fee_update_statements(nullptr, Channel::alipay, "0.0038", ids, "1", "2", "1001");
        std::vector<std::string> seen;
        std::vector<size_t> sizes;
        for (const auto& list : listed_ids(statements)) {
            sizes.push_back(list.size());
            seen.insert(seen.end(), list.begin(), list.end());
        }
        EXPECT_EQ(seen, ids) << c.count << " x " << c.id_length;
        if (!c.per_statement.empty()) {
            EXPECT_EQ(sizes, c.per_statement) << c.count << " x " << c.id_length;
        }
        for (size_t i = 0; i < statements.size(); ++i) {
            EXPECT_LE(statements[i].size(), kFeeUpdateMaxBytes);
            EXPECT_TRUE(statements[i].ends_with(" AND Shopid = '1001'"));
            if (i + 1 < statements.size() && sizes[i] < kFeeUpdateIdsPerStatement) {
                // Full: one more order number would not have fitted.
                EXPECT_GT(statements[i].size() + c.id_length + 3, kFeeUpdateMaxBytes);
            }
        }
    }
}

TEST(BillQuery, a_payment_page_without_a_channel_asks_for_one) {
    Session s;
    for (BillPage page : {BillPage::paid, BillPage::failed}) {
        BillQuery q;
        q.page = page;
        q.start_seconds = "1";
        q.end_seconds = "2";
        q.staff_text = "全部员工";
        BillQueryResult r = run_bill_query(s, q);
        EXPECT_TRUE(r.channel_missing);
        EXPECT_TRUE(r.rows.empty());
        EXPECT_EQ(r.total, "");
    }
    BillQuery refunds;
    refunds.page = BillPage::refunds;
    EXPECT_FALSE(run_bill_query(s, refunds).channel_missing);
}

}  // namespace
