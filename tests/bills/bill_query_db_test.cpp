#include <gtest/gtest.h>

#include <algorithm>
#include <map>

#include "bills/bill_query.h"
#include "core/session.h"
#include "support/test_database.h"
#include "timeentry/time_text.h"

namespace {

// 2026-03-07 00:00:00 and 23:59:59 at UTC+8.
constexpr const char* kStart = "1772812800";
constexpr const char* kEnd = "1772899199";
constexpr int kInside = 1772850000;
constexpr int kLater = 1772900000;

// Every statement sent while it lives.
struct Payment {
    std::string id;  // order number without the shop's prefix
    std::string payclass;
    std::string money;
    std::string status = "已支付";
    std::string name = "张三";
    std::string workid = "0001";
    int time = kInside;
    std::string sxf = "NULL";  // SQL literal
    std::string shouxufei = "NULL";
    std::string chengdan = "";
    std::string shopname = "星河一号店";
};

// Each test has shops of its own; their order numbers carry the test's shop
// id so that no other test process can match them.
class BillQueryDb : public testing::Test {
protected:
    void SetUp() override {
        db_ = connect_payments_db();
        ASSERT_NE(db_, nullptr);
        shop_ = unique_id("bq");
        other_shop_ = unique_id("bqo");
        session_.payments_db = db_.get();
        session_.shopid = shop_;
        session_.shopname = "星河一号店";
        session_.fee_rate_zhifubao = 0.0038f;
        session_.fee_rate_weixin = 0.006f;
    }
    void TearDown() override {
        for (const std::string& shop : {shop_, other_shop_}) {
            run_sql(db_.get(), "DELETE FROM qtx_shop_paylog WHERE Shopid = '" + shop + "'");
            run_sql(db_.get(), "DELETE FROM lanbo_refund_log WHERE shopid = '" + shop + "'");
        }
    }

    std::string order(const std::string& id) const { return shop_ + "-" + id; }

    void add_payment(const Payment& p, const std::string& shop = {}) {
        run_sql(db_.get(),
                "INSERT INTO qtx_shop_paylog (Shopid, Shoppayid, Payclass, Money, Time, status, "
                "Shopname, Workid, Name, sxf, shouxufei, shouxufeichengdan) VALUES ('" +
                    (shop.empty() ? shop_ : shop) + "','" + order(p.id) + "','" + p.payclass +
                    "'," + p.money + "," + std::to_string(p.time) + ",'" + p.status + "','" +
                    p.shopname + "','" + p.workid + "','" + p.name + "'," + p.sxf + "," +
                    p.shouxufei + ",'" + p.chengdan + "')");
    }

    std::string stored_fee(const std::string& id, const std::string& shop = {}) {
        return query_text(db_.get(), "SELECT sxf FROM qtx_shop_paylog WHERE Shopid = '" +
                                         (shop.empty() ? shop_ : shop) + "' AND Shoppayid = '" +
                                         order(id) + "'");
    }

    BillQueryResult query(BillPage page, std::optional<Channel> channel,
                          const std::string& staff = "全部员工") {
        BillQuery q;
        q.page = page;
        q.start_seconds = kStart;
        q.end_seconds = kEnd;
        q.start_text = "2026-03-07 00:00:00";
        q.end_text = "2026-03-07 23:59:59";
        q.channel = channel;
        q.staff_text = staff;
        return run_bill_query(session_, q);
    }

    // The listed order numbers without the shop's prefix, sorted.
    std::vector<std::string> listed(const BillQueryResult& r) const {
        std::vector<std::string> ids;
        for (const BillRow& row : r.rows) {
            ids.push_back(row.at(2).substr(shop_.size() + 1));
        }
        std::sort(ids.begin(), ids.end());
        return ids;
    }

    std::string expand(std::string text) const {
        for (const auto& [key, value] : std::map<std::string, std::string>{
                 {"{S}", kStart}, {"{E}", kEnd}, {"{SHOP}", shop_}}) {
            for (size_t at; (at = text.find(key)) != std::string::npos;) {
                text.replace(at, key.size(), value);
            }
        }
        return text;
    }

    DbConnectionOwner db_;
    Session session_;
    std::string shop_;
    std::string other_shop_;
};

TEST_F(BillQueryDb, lists_each_page_channel_and_staff_choice_with_its_statement) {
    const Payment payments[] = {
        {"ali-zs", "支付宝", "10.00"},
        {"ali-ls", "支付宝", "20.00", "已支付", "李四", "0002"},
        {"ali-wu", "支付宝", "7.00", "已支付", "王 五", "0003"},
        {"ali-late", "支付宝", "9.00", "已支付", "张三", "0001", kLater},
        {"wx-zs", "微信支付", "30.00"},
        {"wx-ls", "微信支付", "1.50", "已支付", "李四", "0002"},
        {"six-zs", "支付宝6期", "40.00"},
        {"twelve-ls", "支付宝12期", "50.00", "已支付", "李四", "0002"},
        {"twelve-zs", "支付宝12期", "5.00"},
        {"long-ls", "龙支付", "60.00", "已支付", "李四", "0002"},
        {"ali-fail", "支付宝", "1.00", "未支付"},
        {"wx-fail", "微信支付", "2.00", "已关闭", "李四", "0002"},
        {"six-fail", "支付宝6期", "3.00", "未支付"},
        {"twelve-fail", "支付宝12期", "4.00", "未支付"},
        {"long-fail", "龙支付", "6.00", "未支付"},
    };
    for (const Payment& p : payments) {
        add_payment(p);
    }
    add_payment({"ali-zs", "支付宝", "99.00"}, other_shop_);
    add_payment({"ali-fail", "支付宝", "99.00", "未支付"}, other_shop_);

    const std::string paid =
        "SELECT * FROM qtx_shop_paylog WHERE Time between {S} and {E} and "
        "status='已支付' and Shopid='{SHOP}";
    const std::string failed =
        "SELECT * FROM qtx_shop_paylog WHERE Time between {S} and {E} and "
        "status!='已支付' and Shopid='{SHOP}";
    struct Case {
        BillPage page;
        Channel channel;
        std::string staff;
        std::string statement;
        std::vector<std::string> ids;
        std::string total;
    };
    const Case cases[] = {
        {BillPage::paid,
         Channel::alipay,
         "全部员工",
         paid + "' and Payclass='支付宝'",
         {"ali-ls", "ali-wu", "ali-zs"},
         "37"},
        {BillPage::paid,
         Channel::alipay,
         "张三 0001",
         paid + "' and Payclass='支付宝' and Name='张三'",
         {"ali-zs"},
         "10"},
        // Only the text before the first space is the name.
        {BillPage::paid,
         Channel::alipay,
         "王 五 0003",
         paid + "' and Payclass='支付宝' and Name='王'",
         {},
         ""},
        {BillPage::paid,
         Channel::wechat,
         "全部员工",
         paid + "' and Payclass='微信支付'",
         {"wx-ls", "wx-zs"},
         "31.5"},
        {BillPage::paid,
         Channel::wechat,
         "李四 0002",
         paid + "' and Payclass='微信支付' and Name='李四'",
         {"wx-ls"},
         "1.5"},
        {BillPage::paid,
         Channel::all_types,
         "全部员工",
         paid + "'",
         {"ali-ls", "ali-wu", "ali-zs", "long-ls", "six-zs", "twelve-ls", "twelve-zs", "wx-ls",
          "wx-zs"},
         "223.5"},
        {BillPage::paid,
         Channel::all_types,
         "张三 0001",
         paid + "' and Name='张三'",
         {"ali-zs", "six-zs", "twelve-zs", "wx-zs"},
         "85"},
        {BillPage::paid,
         Channel::alipay_6,
         "全部员工",
         paid + "' and Payclass='支付宝6期'",
         {"six-zs"},
         "40"},
        {BillPage::paid,
         Channel::alipay_6,
         "李四 0002",
         paid + "' and Payclass='支付宝6期' and Name='李四'",
         {},
         ""},
        {BillPage::paid,
         Channel::alipay_12,
         "全部员工",
         paid + "' and Payclass='支付宝12期'",
         {"twelve-ls", "twelve-zs"},
         "55"},
        {BillPage::paid,
         Channel::alipay_12,
         "张三 0001",
         paid + "' and Payclass='支付宝12期' and Name='张三'",
         {"twelve-zs"},
         "5"},
        {BillPage::paid,
         Channel::long_pay,
         "全部员工",
         paid + "' and Payclass='龙支付'",
         {"long-ls"},
         "60"},
        // 龙支付 ignores the staff choice.
        {BillPage::paid,
         Channel::long_pay,
         "张三 0001",
         paid + "' and Payclass='龙支付'",
         {"long-ls"},
         "60"},
        // Failed payments ignore the staff choice.
        {BillPage::failed,
         Channel::alipay,
         "李四 0002",
         failed + "' and Payclass='支付宝'",
         {"ali-fail"},
         "1"},
        {BillPage::failed,
         Channel::wechat,
         "全部员工",
         failed + "' and Payclass='微信支付'",
         {"wx-fail"},
         "2"},
        {BillPage::failed,
         Channel::all_types,
         "李四 0002",
         failed + "'",
         {"ali-fail", "long-fail", "six-fail", "twelve-fail", "wx-fail"},
         "16"},
        {BillPage::failed,
         Channel::alipay_6,
         "全部员工",
         failed + "' and Payclass='支付宝6期'",
         {"six-fail"},
         "3"},
        {BillPage::failed,
         Channel::alipay_12,
         "全部员工",
         failed + "' and Payclass='支付宝12期'",
         {"twelve-fail"},
         "4"},
        {BillPage::failed,
         Channel::long_pay,
         "张三 0001",
         failed + "' and Payclass='龙支付'",
         {"long-fail"},
         "6"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "page " << static_cast<int>(c.page) << ", channel "
                                        << static_cast<int>(c.channel) << ", " << c.staff);
        StatementLog log;
        BillQueryResult r = query(c.page, c.channel, c.staff);
        ASSERT_FALSE(log.sent.empty());
        EXPECT_EQ(log.sent.front(), expand(c.statement));
        bool fees = c.page == BillPage::paid &&
                    (c.channel == Channel::alipay || c.channel == Channel::wechat) &&
                    !c.ids.empty();
        EXPECT_EQ(log.sent.size(), fees ? 2u : 1u);
        EXPECT_FALSE(r.channel_missing);
        EXPECT_EQ(listed(r), c.ids);
        EXPECT_EQ(r.total, c.total);
        for (const BillRow& row : r.rows) {
            EXPECT_EQ(row.size(), 10u);
        }
    }
}

TEST_F(BillQueryDb, payment_rows_show_the_stored_texts_in_the_list_columns) {
    add_payment({"paid", "支付宝", "12.50", "已支付", "张三", "0001", kInside, "0.50", "0.70",
                 "商户", "星河一号店(旧名)"});
    add_payment({"nofee", "支付宝", "7.50", "已支付", "张三", "0001", kInside + 1, "NULL", "NULL"});
    add_payment(
        {"failed", "支付宝", "3.00", "未支付", "李四", "0002", kInside, "0.40", "0.30", "顾客"});
    session_.fee_rate_zhifubao = 0.0f;

    BillQueryResult paid = query(BillPage::paid, Channel::alipay);
    ASSERT_EQ(paid.rows.size(), 2u);
    const BillRow& first = paid.rows[0][2] == order("paid") ? paid.rows[0] : paid.rows[1];
    const BillRow& second = paid.rows[0][2] == order("paid") ? paid.rows[1] : paid.rows[0];
    EXPECT_EQ(first, (BillRow{shop_, "支付宝", order("paid"), "12.50",
                              display_time_text(std::to_string(kInside)), "张三", "0.5", "商户",
                              "星河一号店(旧名)", "0001"}));
    EXPECT_EQ(second[6], "0") << "a fee never written shows 0";
    EXPECT_EQ(paid.total, "20");

    BillQueryResult failed = query(BillPage::failed, Channel::alipay);
    ASSERT_EQ(failed.rows.size(), 1u);
    EXPECT_EQ(failed.rows[0], (BillRow{shop_, "支付宝", order("failed"), "3.00",
                                       display_time_text(std::to_string(kInside)), "李四", "0.30",
                                       "顾客", "星河一号店", "0002"}));
    EXPECT_EQ(failed.total, "3");
}

TEST_F(BillQueryDb, writes_the_fee_of_listed_alipay_and_wechat_payments_of_this_shop_only) {
    struct Case {
        Channel channel;
        std::string payclass;
        std::string staff;
        // order number, amount, fee written
        std::vector<std::array<std::string, 3>> payments;
        // The fee of another staff member's payment of 100.00.
        std::string other_staff_fee;
    };
    const Case cases[] = {
        {Channel::alipay,
         "支付宝",
         "全部员工",
         {{{"a1", "100.00", "0.38"}},
          {{"a2", "12.34", "0.05"}},
          {{"a3", "250.00", "0.95"}},
          {{"a4", "0.01", "0.00"}}},
         "0.38"},
        {Channel::wechat,
         "微信支付",
         "全部员工",
         {{{"w1", "100.00", "0.60"}}, {{"w2", "33.33", "0.20"}}, {{"w3", "1.50", "0.01"}}},
         "0.60"},
        {Channel::alipay, "支付宝", "张三 0001", {{{"s1", "200.00", "0.76"}}}, "9.99"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.payclass + " " + c.staff);
        for (const auto& [id, money, fee] : c.payments) {
            add_payment({id, c.payclass, money});
            // The same order number elsewhere: another shop's payment, paid,
            // of the same channel, at the same time.
            add_payment({id, c.payclass, money, "已支付", "张三", "0001", kInside, "9.99"},
                        other_shop_);
        }
        const std::string tag = c.payments.front()[0];
        add_payment(
            {tag + "-unpaid", c.payclass, "100.00", "未支付", "张三", "0001", kInside, "9.99"});
        add_payment(
            {tag + "-late", c.payclass, "100.00", "已支付", "张三", "0001", kLater, "9.99"});
        add_payment({tag + "-other-staff", c.payclass, "100.00", "已支付", "李四", "0002", kInside,
                     "9.99"});

        StatementLog log;
        BillQueryResult r = query(BillPage::paid, c.channel, c.staff);
        ASSERT_EQ(log.sent.size(), 2u);
        std::string ids;
        for (const BillRow& row : r.rows) {
            ids += (ids.empty() ? "'" : ",'") + row[2] + "'";
        }
        // All staff: the listing's own condition names the listed rows.
        // One cashier: their order numbers, which other cashiers' payments
        // may share.
        const std::string which =
            c.staff == "全部员工" ? std::string() : "Shoppayid IN (" + ids + ") AND ";
        EXPECT_EQ(log.sent[1], "UPDATE qtx_shop_paylog SET sxf = ROUND(Money*" +
                                   fee_rate_text(*fee_rate(session_, c.channel)) + ",2) WHERE " +
                                   which + "Payclass = '" + c.payclass +
                                   "' AND status = '已支付' AND time between " + kStart + " AND " +
                                   kEnd + " AND Shopid = '" + shop_ + "'");
        for (const auto& [id, money, fee] : c.payments) {
            EXPECT_EQ(stored_fee(id), fee) << id;
            EXPECT_EQ(stored_fee(id, other_shop_), "9.99") << id;
        }
        EXPECT_EQ(stored_fee(tag + "-unpaid"), "9.99");
        EXPECT_EQ(stored_fee(tag + "-late"), "9.99");
        EXPECT_EQ(stored_fee(tag + "-other-staff"), c.other_staff_fee);
    }
}

TEST_F(BillQueryDb, writes_no_fee_for_the_other_channels) {
    const char* classes[] = {"支付宝", "微信支付", "支付宝6期", "支付宝12期", "龙支付"};
    for (const char* payclass : classes) {
        add_payment({std::string("p-") + payclass, payclass, "100.00", "已支付", "张三", "0001",
                     kInside, "1.23"});
    }
    for (Channel c :
         {Channel::all_types, Channel::alipay_6, Channel::alipay_12, Channel::long_pay}) {
        for (const char* staff : {"全部员工", "张三 0001"}) {
            StatementLog log;
            BillQueryResult r = query(BillPage::paid, c, staff);
            EXPECT_FALSE(r.rows.empty());
            EXPECT_EQ(log.sent.size(), 1u) << static_cast<int>(c) << " " << staff;
        }
    }
    // Failed payments never get a fee either.
    StatementLog log;
    query(BillPage::failed, Channel::alipay);
    EXPECT_EQ(log.sent.size(), 1u);
    for (const char* payclass : classes) {
        EXPECT_EQ(stored_fee(std::string("p-") + payclass), "1.23") << payclass;
    }
}

TEST_F(BillQueryDb, the_first_query_shows_the_old_fees_and_the_next_the_new_ones) {
    add_payment({"never", "支付宝", "100.00"});
    add_payment({"stale", "支付宝", "50.00", "已支付", "张三", "0001", kInside + 5, "1.20"});
    auto fees = [](const BillQueryResult& r) {
        std::map<std::string, std::string> by_order;
        for (const BillRow& row : r.rows) {
            by_order[row[2]] = row[6];
        }
        return by_order;
    };
    EXPECT_EQ(fees(query(BillPage::paid, Channel::alipay)),
              (std::map<std::string, std::string>{{order("never"), "0"}, {order("stale"), "1.2"}}));
    EXPECT_EQ(stored_fee("never"), "0.38");
    EXPECT_EQ(
        fees(query(BillPage::paid, Channel::alipay)),
        (std::map<std::string, std::string>{{order("never"), "0.38"}, {order("stale"), "0.19"}}));
}

TEST_F(BillQueryDb, rates_of_zero_write_fees_of_zero) {
    session_.fee_rate_zhifubao = 0.0f;
    session_.fee_rate_weixin = 0.0f;
    add_payment({"ali", "支付宝", "100.00", "已支付", "张三", "0001", kInside, "5.00"});
    add_payment({"wx", "微信支付", "100.00", "已支付", "张三", "0001", kInside, "5.00"});
    for (Channel c : {Channel::alipay, Channel::wechat}) {
        StatementLog log;
        query(BillPage::paid, c);
        ASSERT_EQ(log.sent.size(), 2u);
        EXPECT_TRUE(log.sent[1].starts_with("UPDATE qtx_shop_paylog SET sxf = ROUND(Money*0,2) "))
            << log.sent[1];
    }
    EXPECT_EQ(stored_fee("ali"), "0.00");
    EXPECT_EQ(stored_fee("wx"), "0.00");
}

TEST_F(BillQueryDb, many_payments_get_their_fees_in_a_few_statements) {
    const int count = 2500;
    std::string values;
    for (int i = 0; i < count; ++i) {
        values += (i ? ",('" : "('") + shop_ + "','" + order(std::to_string(i)) +
                  "','支付宝',100.00," + std::to_string(kInside + i) + ",'已支付','张三')";
    }
    run_sql(db_.get(),
            "INSERT INTO qtx_shop_paylog (Shopid, Shoppayid, Payclass, Money, Time, status, Name) "
            "VALUES " +
                values);
    add_payment({"7", "支付宝", "100.00", "已支付", "张三", "0001", kInside, "9.99"}, other_shop_);

    {
        StatementLog log;
        BillQueryResult r = query(BillPage::paid, Channel::alipay);
        EXPECT_EQ(r.rows.size(), static_cast<size_t>(count));
        EXPECT_EQ(log.sent.size(), 2u) << "one listing and one update for all staff";
    }
    run_sql(db_.get(), "UPDATE qtx_shop_paylog SET sxf = NULL WHERE Shopid = '" + shop_ + "'");
    StatementLog log;
    BillQueryResult r = query(BillPage::paid, Channel::alipay, "张三 0001");
    EXPECT_EQ(r.rows.size(), static_cast<size_t>(count));
    EXPECT_EQ(r.total, "250000");
    EXPECT_EQ(log.sent.size(), 4u) << "one listing and three updates of at most 1000 payments";
    EXPECT_EQ(query_text(db_.get(), "SELECT COUNT(*) FROM qtx_shop_paylog WHERE Shopid = '" +
                                        shop_ + "' AND sxf = 0.38"),
              std::to_string(count));
    EXPECT_EQ(stored_fee("7", other_shop_), "9.99");
}

TEST_F(BillQueryDb, lists_refunds_of_the_box_texts_whatever_the_channel_and_staff) {
    auto add_refund = [&](const std::string& shop, const std::string& no,
                          const std::string& refund_time, const std::string& money) {
        run_sql(db_.get(),
                "INSERT INTO lanbo_refund_log (shopid, out_trade_no, pay_class, pay_money, "
                "pay_time, refund_time, refund_no, refund_money) VALUES ('" +
                    shop + "','" + order(no) + "','支付宝'," + money + ",'2026-03-07 09:59:00','" +
                    refund_time + "','RF-" + no + "'," + money + ")");
    };
    add_refund(shop_, "r1", "2026-03-07 10:00:00", "88.80");
    add_refund(shop_, "r2", "2026-03-07 23:59:59", "11.20");
    add_refund(shop_, "r3", "2026-03-08 00:00:00", "5.00");
    add_refund(other_shop_, "r4", "2026-03-07 10:00:00", "5.00");

    for (std::optional<Channel> channel :
         {std::optional<Channel>(), std::optional(Channel::wechat)}) {
        StatementLog log;
        BillQueryResult r = query(BillPage::refunds, channel, "张三 0001");
        ASSERT_EQ(log.sent.size(), 1u);
        EXPECT_EQ(log.sent[0],
                  "SELECT * FROM lanbo_refund_log WHERE refund_time between '2026-03-07 "
                  "00:00:00' and '2026-03-07 23:59:59' and shopid = '" +
                      shop_ + "'");
        EXPECT_FALSE(r.channel_missing);
        EXPECT_EQ(listed(r), (std::vector<std::string>{"r1", "r2"}));
        const BillRow& row = r.rows[0][2] == order("r1") ? r.rows[0] : r.rows[1];
        EXPECT_EQ(row,
                  (BillRow{shop_, "支付宝", order("r1"), "88.80", "2026-03-07 09:59:00", "", "", "",
                           "星河一号店", "", "2026-03-07 10:00:00", "88.80", "RF-r1"}));
        EXPECT_EQ(r.total, "100");
    }
}

TEST_F(BillQueryDb, payment_pages_without_a_channel_send_nothing) {
    add_payment({"a", "支付宝", "1.00"});
    for (BillPage page : {BillPage::paid, BillPage::failed}) {
        StatementLog log;
        BillQueryResult r = query(page, std::nullopt);
        EXPECT_TRUE(r.channel_missing);
        EXPECT_TRUE(r.rows.empty());
        EXPECT_TRUE(log.sent.empty());
    }
}

TEST_F(BillQueryDb, only_seconds_texts_are_pasted_as_time_bounds) {
    add_payment({"a", "支付宝", "1.00"});
    // What the seconds conversion writes: digits, or a time before 1970
    // padded in front with zeros.
    for (const char* start : {"1772812800", "0000-12345", "-590114880"}) {
        StatementLog log;
        BillQuery q;
        q.page = BillPage::failed;
        q.start_seconds = start;
        q.end_seconds = kEnd;
        q.channel = Channel::alipay;
        run_bill_query(session_, q);
        EXPECT_EQ(log.sent.size(), 1u) << start;
    }
    for (const char* start : {"", "0 or 1=1", "1--", "--1", "1-", "1 ", "1e9", "1-2-3", "x-1"}) {
        for (BillPage page : {BillPage::paid, BillPage::failed}) {
            StatementLog log;
            BillQuery q;
            q.page = page;
            q.start_seconds = start;
            q.end_seconds = kEnd;
            q.channel = Channel::alipay;
            q.staff_text = "全部员工";
            BillQueryResult r = run_bill_query(session_, q);
            EXPECT_FALSE(r.channel_missing);
            EXPECT_TRUE(r.rows.empty());
            EXPECT_TRUE(log.sent.empty()) << start;
            q.start_seconds = kStart;
            q.end_seconds = start;
            EXPECT_TRUE(run_bill_query(session_, q).rows.empty());
            EXPECT_TRUE(log.sent.empty()) << start;
        }
    }
}

TEST_F(BillQueryDb, a_failed_listing_gives_no_rows_and_an_empty_total) {
    add_payment({"a", "支付宝", "1.00"});
    DbConnectionOwner lost = connect_payments_db();
    ASSERT_NE(lost, nullptr);
    const std::string id = query_text(lost.get(), "SELECT CONNECTION_ID()");
    run_sql(db_.get(), "KILL " + id);
    session_.payments_db = lost.get();
    for (BillPage page : {BillPage::paid, BillPage::failed, BillPage::refunds}) {
        BillQueryResult r = query(page, Channel::alipay);
        EXPECT_FALSE(r.channel_missing);
        EXPECT_TRUE(r.listing_failed);
        EXPECT_TRUE(r.rows.empty());
        EXPECT_EQ(r.total, "");
    }
    session_.payments_db = nullptr;
    BillQueryResult r = query(BillPage::paid, Channel::alipay);
    EXPECT_TRUE(r.listing_failed);
    EXPECT_TRUE(r.rows.empty());
    EXPECT_EQ(r.total, "");
    // A period without bills is no failure.
    session_.payments_db = db_.get();
    BillQuery empty;
    empty.start_seconds = "0000000001";
    empty.end_seconds = "0000000002";
    empty.channel = Channel::alipay;
    empty.staff_text = "全部员工";
    EXPECT_FALSE(run_bill_query(session_, empty).listing_failed);
}

}  // namespace
