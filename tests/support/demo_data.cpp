#include "support/demo_data.h"

#include <ctime>
#include <random>

#include "core/number_text.h"

namespace {

// Collects the value lists of one INSERT and sends them in batches: one
// statement per row would take minutes for a large shop.
class BatchInsert {
public:
    BatchInsert(DbConnection* db, std::string head) : db_(db), head_(std::move(head)) {}
    ~BatchInsert() { flush(); }

    void add(const std::string& values) {
        if (!pending_.empty()) {
            pending_ += ',';
        }
        pending_ += '(' + values + ')';
        if (++rows_ >= 1000) {
            flush();
        }
    }
    bool flush() {
        if (rows_ > 0) {
            ok_ = db_execute(db_, head_ + " VALUES " + pending_) && ok_;
            pending_.clear();
            rows_ = 0;
        }
        return ok_;
    }
    bool ok() const { return ok_; }

private:
    DbConnection* db_;
    std::string head_;
    std::string pending_;
    int rows_ = 0;
    bool ok_ = true;
};

std::string q(DbConnection* db, const std::string& text) {
    return std::string("'") + db_quote(db, text) + "'";
}

std::string money_text(int cents) {
    return std::to_string(cents / 100) + "." + (cents % 100 < 10 ? "0" : "") +
           std::to_string(cents % 100);
}

// Date-time text of a Unix time as the service writes it (China time).
std::string china_time_text(int64_t seconds) {
    std::time_t t = static_cast<std::time_t>(seconds + 8 * 3600);
    std::tm parts{};
    gmtime_r(&t, &parts);
    char buffer[32];
    std::strftime(buffer, sizeof buffer, "%Y-%m-%d %H:%M:%S", &parts);
    return buffer;
}

const char* const kStaffNames[] = {"张三", "李四", "王五", "赵六", "钱七"};
const char* const kChannels[] = {"支付宝", "微信支付", "支付宝6期", "支付宝12期", "龙支付"};
const char* const kFailedStatus[] = {"支付失败", "未支付", "已关闭"};
struct CouponKind {
    const char* kind;
    const char* items[3];
};
const CouponKind kCouponKinds[] = {
    {"微团券", {"双人下午茶套餐", "单人工作餐", "招牌奶茶两杯"}},
    {"口碑券", {"满100减20", "8.8折代金券", "生日特惠券"}},
    {"点评团购券", {"四人火锅套餐", "精品咖啡券", "周末双人餐"}},
    {"积分兑换", {"积分兑换饮品", "积分兑换甜品", "积分兑换纸巾"}},
    {"拼团兑换", {"三人拼团烤鸭", "拼团水果拼盘", "拼团蛋糕"}},
};
const char* const kGoods[] = {"招牌牛肉面",     "鲜榨橙汁", "蓝莓芝士蛋糕", "黑椒牛排套餐",
                              "手工水饺(30只)", "美式咖啡", "抹茶拿铁",     "烤鸭半只"};

// PHP's serialize() of a list of used-portion records, as the mall stores it.
std::string verify_info(int used, int64_t when) {
    std::string text = "a:" + std::to_string(used) + ":{";
    for (int i = 0; i < used; ++i) {
        std::string stamp = std::to_string(when + i * 60);
        text += "i:" + std::to_string(i) +
                ";a:1:{s:10:\"verifytime\";s:" + std::to_string(stamp.size()) + ":\"" + stamp +
                "\";}";
    }
    return text + "}";
}

bool clear_shop(DbConnection* payments, DbConnection* mall, const DemoShopOptions& o) {
    bool ok = true;
    const std::string shop = q(payments, o.shopid);
    for (const char* table : {"qtx_shop_member", "qtx_shop_sub_member", "lanbo_refund_log",
                              "qtx_shop_code", "qtx_shop_tools"}) {
        ok =
            db_execute(payments, std::string("DELETE FROM ") + table + " WHERE shopid = " + shop) &&
            ok;
    }
    ok = db_execute(payments, "DELETE FROM qtx_shop_paylog WHERE Shopid = " + shop) && ok;
    ok = db_execute(payments, "DELETE FROM qtx_shop_sub_member WHERE workid LIKE " +
                                  q(payments, o.workid_prefix + "%")) &&
         ok;
    if (mall && o.with_mall) {
        const std::string account = std::to_string(text_to_int(o.wxid));
        ok = db_execute(mall,
                        "DELETE g FROM ims_ewei_shop_order_goods g JOIN ims_ewei_shop_order o "
                        "ON g.orderid = o.id WHERE o.uniacid = " +
                            account) &&
             ok;
        for (const char* table :
             {"ims_ewei_shop_order", "ims_ewei_shop_order_refund", "ims_ewei_shop_creditshop_log",
              "ims_ewei_shop_groups_order", "ims_ewei_shop_groups_order_refund"}) {
            ok = db_execute(mall,
                            std::string("DELETE FROM ") + table + " WHERE uniacid = " + account) &&
                 ok;
        }
    }
    return ok;
}

}  // namespace

bool generate_demo_shop(DbConnection* payments, DbConnection* mall, const DemoShopOptions& o,
                        DemoShop& made) {
    made = DemoShop{};
    db_execute(payments, "set names GBK");
    if (mall) {
        db_execute(mall, "set names GBK");
    }
    if (!clear_shop(payments, mall, o)) {
        return false;
    }
    std::mt19937 random(o.seed);
    auto pick = [&](int n) { return static_cast<int>(random() % static_cast<uint32_t>(n)); };
    const int64_t end = o.end_time ? o.end_time : static_cast<int64_t>(std::time(nullptr));
    const int64_t start = end - o.span_seconds;
    auto moment = [&] {
        return start + static_cast<int64_t>(random() % static_cast<uint64_t>(o.span_seconds + 1));
    };
    bool ok = true;

    ok = db_execute(
             payments,
             "INSERT INTO qtx_shop_member (user, passwd, shopname, shopid, re_passwd) VALUES (" +
                 q(payments, o.user) + ", MD5(" + q(payments, o.password) + "), " +
                 q(payments, o.shopname) + ", " + q(payments, o.shopid) + ", '123456')") &&
         ok;
    ok = db_execute(payments, "INSERT INTO qtx_shop_tools (shopid, wxid) VALUES (" +
                                  q(payments, o.shopid) + ", " + q(payments, o.wxid) + ")") &&
         ok;
    {
        BatchInsert staff(
            payments, "INSERT INTO qtx_shop_sub_member (workid, name, passwd, shopid, shopname)");
        int number = 1;
        for (const char* name : kStaffNames) {
            std::string workid =
                o.workid_prefix + std::string(number < 10 ? "000" : "00") + std::to_string(number);
            ++number;
            staff.add(q(payments, workid) + "," + q(payments, name) + ",MD5('kqz947')," +
                      q(payments, o.shopid) + "," + q(payments, o.shopname));
            made.staff_names.push_back(name);
            made.staff_workids.push_back(workid);
        }
        ok = staff.flush() && ok;
    }

    {
        BatchInsert paylog(
            payments,
            "INSERT INTO qtx_shop_paylog (Shopid, Shoppayid, Payclass, Money, Time, status, "
            "Shopname, Workid, Name, sxf, shouxufei, shouxufeichengdan)");
        BatchInsert refunds(
            payments,
            "INSERT INTO lanbo_refund_log (shopid, out_trade_no, pay_class, pay_money, "
            "pay_time, refund_time, refund_no, refund_money)");
        for (int i = 0; i < o.payments; ++i) {
            const int64_t when = moment();
            const int staff = pick(static_cast<int>(made.staff_names.size()));
            const std::string channel =
                o.channels.empty()
                    ? std::string(kChannels[pick(5)])
                    : o.channels[static_cast<size_t>(pick(static_cast<int>(o.channels.size())))];
            const bool paid = pick(100) < o.paid_percent;
            const char* status = paid ? "已支付" : kFailedStatus[pick(3)];
            const int cents = 100 + pick(99900);
            const std::string order =
                "P" + o.shopid + "T" + std::to_string(when) + "N" + std::to_string(i);
            paylog.add(q(payments, o.shopid) + "," + q(payments, order) + "," +
                       q(payments, channel) + "," + money_text(cents) + "," + std::to_string(when) +
                       "," + q(payments, status) + "," + q(payments, o.shopname) + "," +
                       q(payments, made.staff_workids[static_cast<size_t>(staff)]) + "," +
                       q(payments, made.staff_names[static_cast<size_t>(staff)]) + "," +
                       (pick(2) ? "NULL" : money_text(cents * 38 / 10000)) + "," +
                       money_text(cents * 6 / 1000) + "," +
                       q(payments, pick(4) ? "商户承担" : "顾客承担"));
            ++made.payments;
            if (paid && pick(100) < 3) {
                const int64_t refunded_at = std::min(end, when + 600 + pick(86400));
                const int refund_cents = pick(2) ? cents : 1 + pick(cents);
                refunds.add(q(payments, o.shopid) + "," + q(payments, order) + "," +
                            q(payments, channel) + "," + money_text(cents) + "," +
                            q(payments, china_time_text(when)) + "," +
                            q(payments, china_time_text(refunded_at)) + "," +
                            q(payments, "R" + order) + "," + money_text(refund_cents));
                ++made.refunds;
            }
        }
        ok = paylog.flush() && refunds.flush() && ok;
    }

    {
        BatchInsert codes(payments,
                          "INSERT INTO qtx_shop_code (shopid, item_name, code_class, code_text, "
                          "money, time, name, workid, shopname)");
        const int coupons = std::max(50, o.payments / 5);
        for (int i = 0; i < coupons; ++i) {
            const CouponKind& kind = kCouponKinds[pick(5)];
            const int staff = pick(static_cast<int>(made.staff_names.size()));
            codes.add(q(payments, o.shopid) + "," + q(payments, kind.items[pick(3)]) + "," +
                      q(payments, kind.kind) + "," +
                      q(payments, std::to_string(100000000000LL + random() % 900000000000ULL)) +
                      "," + money_text(500 + pick(20000)) + "," + std::to_string(moment()) + "," +
                      q(payments, made.staff_names[static_cast<size_t>(staff)]) + "," +
                      q(payments, made.staff_workids[static_cast<size_t>(staff)]) + "," +
                      q(payments, o.shopname));
            ++made.coupons;
        }
        ok = codes.flush() && ok;
    }

    if (!mall || !o.with_mall) {
        return ok;
    }
    const std::string account = std::to_string(text_to_int(o.wxid));
    // Goods are shared by every mall account: add them once.
    db_execute(mall, "SELECT COUNT(*) FROM ims_ewei_shop_goods");
    {
        RecordSetOwner count(db_store_result(mall));
        int goods = 0;
        db_read_field(count.get(), 0, goods);
        if (goods < static_cast<int>(std::size(kGoods))) {
            BatchInsert add(mall, "INSERT INTO ims_ewei_shop_goods (id, title)");
            for (size_t g = 0; g < std::size(kGoods); ++g) {
                add.add(std::to_string(g + 1) + "," + q(mall, kGoods[g]));
            }
            ok = add.flush() && ok;
            ok = db_execute(mall,
                            "INSERT IGNORE INTO ims_ewei_shop_creditshop_goods (id, money) VALUES "
                            "(1, 9.90), (2, 19.90), (3, 4.50)") &&
                 ok;
        }
    }
    const int orders = std::max(40, o.payments / 20);
    for (int i = 0; i < orders; ++i) {
        const int64_t paid_at = moment();
        const int statuses[] = {1, 1, 3, 3, 3, -1};
        const int status = statuses[pick(6)];
        const int pieces = 1 + pick(5);
        const int used = status == 3 ? pieces : status == 1 ? pick(pieces) : 0;
        const int cents = 990 + pick(30000);
        const std::string ordersn = "ME" + std::to_string(paid_at) + std::to_string(1000 + i);
        ok =
            db_execute(mall,
                       "INSERT INTO ims_ewei_shop_order (uniacid, ordersn, price, status, paytime, "
                       "verifycode, verifyinfo) VALUES (" +
                           account + "," + q(mall, ordersn) + "," + money_text(cents) + "," +
                           std::to_string(status) + "," + std::to_string(paid_at) + "," +
                           q(mall, std::to_string(10000000 + pick(89999999))) + "," +
                           q(mall, verify_info(used, paid_at)) + ")") &&
            ok;
        const std::string order_id = "LAST_INSERT_ID()";
        ok =
            db_execute(
                mall,
                "INSERT INTO ims_ewei_shop_order_goods (orderid, goodsid, price, total) VALUES (" +
                    order_id + "," + std::to_string(1 + pick(static_cast<int>(std::size(kGoods)))) +
                    "," + money_text(cents) + "," + std::to_string(pieces) + ")") &&
            ok;
        ++made.mall_orders;
        const int refund_kind = pick(100);
        if (refund_kind < 12) {
            // Granted refunds and requests still waiting for the shop.
            const bool granted = refund_kind < 6;
            const int64_t asked = std::min(end, paid_at + 3600 + pick(86400));
            ok =
                db_execute(
                    mall,
                    "INSERT INTO ims_ewei_shop_order_refund (uniacid, orderid, orderprice, status, "
                    "createtime, refundtime) SELECT " +
                        account + ", orderid, price, " + (granted ? "1" : "0") + ", " +
                        std::to_string(asked) + ", " +
                        (granted ? std::to_string(std::min(end, asked + 1800)) : "0") +
                        " FROM ims_ewei_shop_order_goods WHERE id = LAST_INSERT_ID()") &&
                ok;
        }
    }
    {
        BatchInsert credit(mall,
                           "INSERT INTO ims_ewei_shop_creditshop_log (uniacid, goodsid, paytype, "
                           "paystatus, createtime)");
        BatchInsert groups(
            mall,
            "INSERT INTO ims_ewei_shop_groups_order (uniacid, price, status, refundid, "
            "createtime)");
        BatchInsert group_refunds(
            mall,
            "INSERT INTO ims_ewei_shop_groups_order_refund (uniacid, applyprice, "
            "refundstatus, refundtime)");
        for (int i = 0; i < orders; ++i) {
            credit.add(account + "," + std::to_string(1 + pick(3)) + "," +
                       std::to_string(pick(3) ? 1 : 0) + "," + std::to_string(pick(5) ? 1 : 0) +
                       "," + std::to_string(moment()));
            const bool refunded = pick(10) == 0;
            groups.add(account + "," + money_text(1990 + pick(20000)) + "," +
                       (pick(8) ? "1" : "-1") + "," + (refunded ? std::to_string(1 + i) : "0") +
                       "," + std::to_string(moment()));
            if (refunded) {
                group_refunds.add(account + "," + money_text(1990 + pick(20000)) + "," +
                                  (pick(4) ? "1" : "0") + "," + std::to_string(moment()));
            }
        }
        ok = credit.flush() && groups.flush() && group_refunds.flush() && ok;
    }
    return ok;
}
