#include "bills/bill_query.h"

#include <algorithm>
#include <utility>

#include "core/number_text.h"
#include "core/session.h"
#include "db/database.h"
#include "staff/staff_accounts.h"
#include "timeentry/time_text.h"

namespace {

bool is_channel(Channel channel) {
    int number = static_cast<int>(channel);
    return number >= 1 && number <= 6;
}

// The channel's condition for all staff and for failed payments, after the
// shop id's opening quote.
std::string_view all_staff_piece(Channel channel) {
    switch (channel) {
        case Channel::alipay:
            return "' and Payclass='支付宝'";
        case Channel::wechat:
            return "' and Payclass='微信支付'";
        case Channel::all_types:
            return "'";
        case Channel::alipay_6:
            return "' and Payclass='支付宝6期'";
        case Channel::alipay_12:
            return "' and Payclass='支付宝12期'";
        case Channel::long_pay:
            return "' and Payclass='龙支付'";
    }
    return "'";
}

// The same for one staff member, open for the name. 龙支付 has none: its
// payments are listed for all staff whatever the staff choice.
std::string_view one_staff_piece(Channel channel) {
    switch (channel) {
        case Channel::alipay:
            return "' and Payclass='支付宝' and Name='";
        case Channel::wechat:
            return "' and Payclass='微信支付' and Name='";
        case Channel::all_types:
            return "' and Name='";
        case Channel::alipay_6:
            return "' and Payclass='支付宝6期' and Name='";
        case Channel::alipay_12:
            return "' and Payclass='支付宝12期' and Name='";
        case Channel::long_pay:
            return {};
    }
    return {};
}

// The fee update's condition after the order numbers, open for START.
std::string_view fee_condition(Channel channel) {
    switch (channel) {
        case Channel::alipay:
            return " AND Payclass = '支付宝' AND status = '已支付' AND time between ";
        case Channel::wechat:
            return " AND Payclass = '微信支付' AND status = '已支付' AND time between ";
        default:
            return {};
    }
}

constexpr std::string_view kSelectPay = "SELECT * FROM qtx_shop_paylog WHERE Time between ";
constexpr std::string_view kUpdateHead = "UPDATE qtx_shop_paylog SET sxf = ROUND(Money*";

std::string payments_head(std::string_view start, std::string_view end,
                          std::string_view status_piece, std::string_view quoted_shop) {
    std::string statement;
    statement.reserve(200);
    statement += kSelectPay;
    statement += start;
    statement += " and ";
    statement += end;
    statement += status_piece;
    statement += quoted_shop;
    return statement;
}

// The part of a fee update after the order numbers.
std::string fee_tail(std::string_view condition, std::string_view start, std::string_view end,
                     std::string_view quoted_shop) {
    std::string tail(condition);
    tail += start;
    tail += " AND ";
    tail += end;
    tail += " AND Shopid = '";
    tail += quoted_shop;
    tail += "'";
    return tail;
}

// START and END are pasted without quotes, so only the forms a seconds text
// takes may go in: digits, or digits, a minus sign and digits (a time before
// 1970 padded in front with zeros). No comment or second operator can form.
bool all_digits(std::string_view text) {
    return std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; });
}

bool is_seconds_text(std::string_view text) {
    size_t minus = text.find('-');
    if (minus == std::string_view::npos) {
        return !text.empty() && all_digits(text);
    }
    std::string_view digits = text.substr(minus + 1);
    return all_digits(text.substr(0, minus)) && !digits.empty() && all_digits(digits);
}

void add_to_total(std::string& total, std::string_view amount) {
    total = number_text(text_to_number(amount) + text_to_number(total));
}

// A cell read from a named column. A read that fails leaves the column's
// value of the previous row, as a list filled from one set of variables would.
struct CellSource {
    int cell;
    std::string_view column;
};

constexpr CellSource kPaidCells[] = {
    {0, "Shopid"}, {1, "Payclass"}, {2, "Shoppayid"},         {3, "Money"},    {4, "Time"},
    {5, "Name"},   {6, "sxf"},      {7, "shouxufeichengdan"}, {8, "Shopname"}, {9, "Workid"},
};
constexpr CellSource kFailedCells[] = {
    {0, "Shopid"}, {1, "Payclass"},  {2, "Shoppayid"},         {3, "Money"},    {4, "Time"},
    {5, "Name"},   {6, "shouxufei"}, {7, "shouxufeichengdan"}, {8, "Shopname"}, {9, "Workid"},
};
constexpr CellSource kRefundCells[] = {
    {0, "shopid"},   {1, "pay_class"},    {2, "out_trade_no"},  {3, "pay_money"},
    {4, "pay_time"}, {10, "refund_time"}, {11, "refund_money"}, {12, "refund_no"},
};

constexpr size_t kPaymentCells = 10;
constexpr size_t kRefundCellCount = 13;

template <size_t N>
void fill_rows(RecordSet* records, const CellSource (&sources)[N], size_t cell_count, BillPage page,
               const std::string& shopname, BillQueryResult& result) {
    // Read once: the locale's clock costs more to look up than a row to fill.
    const bool clock_24_hour = clock_is_24_hour();
    int64_t count = db_row_count(records);
    result.rows.reserve(static_cast<size_t>(count));
    std::string held[N];
    for (int64_t i = 0; i < count; ++i) {
        BillRow row(cell_count);
        for (size_t k = 0; k < N; ++k) {
            db_read_field(records, sources[k].column, held[k]);
            row[static_cast<size_t>(sources[k].cell)] = held[k];
        }
        if (page == BillPage::refunds) {
            row[8] = shopname;
        } else {
            row[4] = display_time_text(row[4], clock_24_hour);
            if (page == BillPage::paid) {
                row[6] = number_text(text_to_number(row[6]));
            }
        }
        add_to_total(result.total, row[3]);
        result.rows.push_back(std::move(row));
        db_next_row(records);
    }
}

}  // namespace

std::optional<Channel> channel_of_radios(const std::array<bool, 6>& radio_on) {
    for (size_t i = 0; i < radio_on.size(); ++i) {
        if (radio_on[i]) {
            return static_cast<Channel>(i + 1);
        }
    }
    return std::nullopt;
}

std::optional<std::string> staff_name_filter(std::string_view staff_text) {
    if (staff_text == kAllStaffEntry) {
        return std::nullopt;
    }
    return std::string(staff_text.substr(0, staff_text.find(' ')));
}

std::string paid_payments_statement(DbConnection* connection, std::string_view start,
                                    std::string_view end, std::string_view shopid, Channel channel,
                                    const std::optional<std::string>& staff_name) {
    std::string statement = payments_head(start, end, " and status='已支付' and Shopid='",
                                          db_quote(connection, shopid));
    if (!staff_name || channel == Channel::long_pay) {
        statement += all_staff_piece(channel);
        return statement;
    }
    statement += one_staff_piece(channel);
    statement += db_quote(connection, *staff_name);
    statement += "'";
    return statement;
}

std::string failed_payments_statement(DbConnection* connection, std::string_view start,
                                      std::string_view end, std::string_view shopid,
                                      Channel channel) {
    std::string statement = payments_head(start, end, " and status!='已支付' and Shopid='",
                                          db_quote(connection, shopid));
    statement += all_staff_piece(channel);
    return statement;
}

std::string refunds_statement(DbConnection* connection, std::string_view start_text,
                              std::string_view end_text, std::string_view shopid) {
    std::string statement = "SELECT * FROM lanbo_refund_log WHERE refund_time between '";
    statement += db_quote(connection, start_text);
    statement += "' and '";
    statement += db_quote(connection, end_text);
    statement += "' and shopid = '";
    statement += db_quote(connection, shopid);
    statement += "'";
    return statement;
}

std::optional<float> fee_rate(const Session& session, Channel channel) {
    switch (channel) {
        case Channel::alipay:
            return session.fee_rate_zhifubao;
        case Channel::wechat:
            return session.fee_rate_weixin;
        default:
            return std::nullopt;
    }
}

std::string fee_rate_text(float rate) {
    return float_text(rate);
}

std::string fee_update_statement(DbConnection* connection, Channel channel,
                                 std::string_view rate_text, std::string_view shoppayid,
                                 std::string_view start, std::string_view end,
                                 std::string_view shopid) {
    std::string_view condition = fee_condition(channel);
    if (condition.empty()) {
        return {};
    }
    std::string statement(kUpdateHead);
    statement += rate_text;
    statement += ",2) WHERE Shoppayid = '";
    statement += db_quote(connection, shoppayid);
    statement += "'";
    statement += fee_tail(condition, start, end, db_quote(connection, shopid));
    return statement;
}

std::string listed_fee_update_statement(DbConnection* connection, Channel channel,
                                        std::string_view rate_text, std::string_view start,
                                        std::string_view end, std::string_view shopid) {
    std::string_view condition = fee_condition(channel);
    if (condition.empty()) {
        return {};
    }
    std::string statement(kUpdateHead);
    statement += rate_text;
    statement += ",2) WHERE";
    // The condition starts with " AND ": the first one goes.
    statement += condition.substr(4);
    statement += fee_tail(std::string_view(), start, end, db_quote(connection, shopid));
    return statement;
}

std::vector<std::string> fee_update_statements(DbConnection* connection, Channel channel,
                                               std::string_view rate_text,
                                               std::span<const std::string> shoppayids,
                                               std::string_view start, std::string_view end,
                                               std::string_view shopid) {
    std::vector<std::string> statements;
    std::string_view condition = fee_condition(channel);
    if (condition.empty() || shoppayids.empty()) {
        return statements;
    }
    std::string head(kUpdateHead);
    head += rate_text;
    head += ",2) WHERE Shoppayid IN (";
    std::string tail(1, ')');
    tail += fee_tail(condition, start, end, db_quote(connection, shopid));

    std::string statement;
    size_t ids_in_statement = 0;
    auto finish = [&] {
        statement += tail;
        statements.push_back(std::move(statement));
        statement.clear();
        ids_in_statement = 0;
    };
    for (const std::string& id : shoppayids) {
        std::string quoted = db_quote(connection, id);
        // ",'" + id + "'"
        size_t grows = quoted.size() + 3;
        if (ids_in_statement > 0 && (ids_in_statement == kFeeUpdateIdsPerStatement ||
                                     statement.size() + grows + tail.size() > kFeeUpdateMaxBytes)) {
            finish();
        }
        if (ids_in_statement == 0) {
            statement.reserve(std::min(kFeeUpdateMaxBytes,
                                       head.size() + tail.size() + kFeeUpdateIdsPerStatement * 24));
            statement = head;
        } else {
            statement += ',';
        }
        statement += '\'';
        statement += quoted;
        statement += '\'';
        ++ids_in_statement;
    }
    finish();
    return statements;
}

std::string bill_total_text(const std::vector<BillRow>& rows) {
    std::string total;
    for (const BillRow& row : rows) {
        add_to_total(total, row.size() > 3 ? std::string_view(row[3]) : std::string_view());
    }
    return total;
}

BillQueryResult run_bill_query(const Session& session, const BillQuery& query) {
    BillQueryResult result;
    DbConnection* db = session.payments_db;
    const bool payments = query.page == BillPage::paid || query.page == BillPage::failed;
    if (!payments && query.page != BillPage::refunds) {
        return result;
    }
    if (payments && (!query.channel || !is_channel(*query.channel))) {
        result.channel_missing = true;
        return result;
    }
    if (payments &&
        (!is_seconds_text(query.start_seconds) || !is_seconds_text(query.end_seconds))) {
        // Treated as a listing the server refused: nothing may be pasted bare
        // that is not a number.
        result.listing_failed = true;
        return result;
    }

    std::string statement;
    if (query.page == BillPage::paid) {
        statement =
            paid_payments_statement(db, query.start_seconds, query.end_seconds, session.shopid,
                                    *query.channel, staff_name_filter(query.staff_text));
    } else if (query.page == BillPage::failed) {
        statement = failed_payments_statement(db, query.start_seconds, query.end_seconds,
                                              session.shopid, *query.channel);
    } else {
        statement = refunds_statement(db, query.start_text, query.end_text, session.shopid);
    }
    // Stored in full before any fee is written: the list shows the fees as
    // they were, the next query shows the new ones.
    RecordSetOwner records(db_execute(db, statement) ? db_store_result(db) : nullptr);
    if (!records) {
        result.listing_failed = true;
        return result;
    }
    switch (query.page) {
        case BillPage::paid:
            fill_rows(records.get(), kPaidCells, kPaymentCells, query.page, session.shopname,
                      result);
            break;
        case BillPage::failed:
            fill_rows(records.get(), kFailedCells, kPaymentCells, query.page, session.shopname,
                      result);
            break;
        case BillPage::refunds:
            fill_rows(records.get(), kRefundCells, kRefundCellCount, query.page, session.shopname,
                      result);
            break;
    }

    if (query.page != BillPage::paid) {
        return result;
    }
    std::optional<float> rate = fee_rate(session, *query.channel);
    if (!rate || result.rows.empty()) {
        return result;
    }
    const std::optional<std::string> staff_name = staff_name_filter(query.staff_text);
    if (!staff_name) {
        db_execute(db, listed_fee_update_statement(db, *query.channel, fee_rate_text(*rate),
                                                   query.start_seconds, query.end_seconds,
                                                   session.shopid));
        return result;
    }
    // One cashier: the same order number may stand on another cashier's
    // payment, which one statement per listed payment would reach too.
    std::vector<std::string> shoppayids;
    shoppayids.reserve(result.rows.size());
    for (const BillRow& row : result.rows) {
        shoppayids.push_back(row[2]);
    }
    // A failed update is left as it is: the listing stands either way.
    for (const std::string& update :
         fee_update_statements(db, *query.channel, fee_rate_text(*rate), shoppayids,
                               query.start_seconds, query.end_seconds, session.shopid)) {
        db_execute(db, update);
    }
    return result;
}
