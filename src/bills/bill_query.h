#pragma once

#include <array>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

struct DbConnection;
struct Session;

// The store bill query: the shop's successful payments, failed payments or
// refunds of a time range, with the shop's fee written into the listed
// Alipay and WeChat Pay payments.

// The inner pages of the bill page, numbered as the tab control numbers them.
enum class BillPage { paid = 0, failed = 1, refunds = 2 };

// The payment channels, numbered as their radio buttons (单选框1..单选框6).
enum class Channel {
    alipay = 1,
    wechat = 2,
    all_types = 3,
    alipay_6 = 4,
    alipay_12 = 5,
    long_pay = 6
};

inline constexpr std::string_view kChooseChannelMessage = "请选择查询类型！";
inline constexpr std::string_view kListingFailedMessage =
    "查询失败：未能从服务器读取账单，列表中没有显示任何记录。请检查网络连接后再查询。";

// The channel of the first radio button that is on, testing 单选框1 to
// 单选框6 in that order; none when all are off.
std::optional<Channel> channel_of_radios(const std::array<bool, 6>& radio_on);

// The name the successful payments are filtered by: none for "全部员工",
// otherwise the text before its first space (empty when it starts with one).
std::optional<std::string> staff_name_filter(std::string_view staff_text);

// Listing statements. START and END are seconds texts, pasted bare; the shop
// id, the staff name and the refund box texts are quoted for the connection
// (which may be null).
std::string paid_payments_statement(DbConnection* connection, std::string_view start,
                                    std::string_view end, std::string_view shopid, Channel channel,
                                    const std::optional<std::string>& staff_name);
std::string failed_payments_statement(DbConnection* connection, std::string_view start,
                                      std::string_view end, std::string_view shopid,
                                      Channel channel);
std::string refunds_statement(DbConnection* connection, std::string_view start_text,
                              std::string_view end_text, std::string_view shopid);

// The rate a channel's listed payments are charged: the shop's Alipay or
// WeChat Pay rate; none for the other channels, which get no fee.
std::optional<float> fee_rate(const Session& session, Channel channel);
// The rate as the fee statement writes it (0.0038, 0.006, 0, 5e-005).
std::string fee_rate_text(float rate);

// The fee update of one payment of the shop. Only for Alipay and WeChat Pay;
// empty text for the other channels.
std::string fee_update_statement(DbConnection* connection, Channel channel,
                                 std::string_view rate_text, std::string_view shoppayid,
                                 std::string_view start, std::string_view end,
                                 std::string_view shopid);

// The same updates for many payments, a bounded number of order numbers per
// statement: together they change exactly the rows that one statement per
// payment would. Nothing for the other channels or for no payments.
inline constexpr size_t kFeeUpdateIdsPerStatement = 1000;
// Well below the smallest max_allowed_packet a server is likely to keep.
inline constexpr size_t kFeeUpdateMaxBytes = 256 * 1024;
std::vector<std::string> fee_update_statements(DbConnection* connection, Channel channel,
                                               std::string_view rate_text,
                                               std::span<const std::string> shoppayids,
                                               std::string_view start, std::string_view end,
                                               std::string_view shopid);

// The fee update of every payment an all-staff listing lists: its own
// condition names exactly those rows, so one statement does the work of one
// per payment (and, with no index to find order numbers by, in one pass over
// the range instead of one per batch). Empty text for the other channels.
std::string listed_fee_update_statement(DbConnection* connection, Channel channel,
                                        std::string_view rate_text, std::string_view start,
                                        std::string_view end, std::string_view shopid);

using BillRow = std::vector<std::string>;

// The running total of cell 3 ("金额") over the rows: the running text is
// read back as a number at every step, so each sum is rounded to 13
// significant digits. Empty text for no rows.
std::string bill_total_text(const std::vector<BillRow>& rows);

struct BillQuery {
    BillPage page = BillPage::paid;
    // Seconds texts of the two time boxes (payments).
    std::string start_seconds;
    std::string end_seconds;
    // The two box texts themselves (refunds).
    std::string start_text;
    std::string end_text;
    std::optional<Channel> channel;
    // Text of the staff choice (组合框1).
    std::string staff_text;
};

struct BillQueryResult {
    // No channel chosen on a payment page: kChooseChannelMessage is due, no
    // statement was run and the list stays as it was.
    bool channel_missing = false;
    // The listing could not be read (no connection, the server refused it):
    // the list is emptied all the same, but it does not mean there are no
    // bills, and the user must be told.
    bool listing_failed = false;
    // The page's new list: 10 cells a payment, 13 a refund.
    std::vector<BillRow> rows;
    // "合计金额：" text.
    std::string total;
};

// Runs the query of the page on session.payments_db. The listed cells show
// the values as they were before the fee updates ran; a failed listing gives
// no rows and an empty total.
BillQueryResult run_bill_query(const Session& session, const BillQuery& query);
