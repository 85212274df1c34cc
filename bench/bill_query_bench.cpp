// Times the bill query of a large shop against the database of the
// deployment settings (scripts/bench starts the services): one shop with
// 100 000 successful Alipay payments in one day, made by the demo
// generator; the Alipay query
// for all staff (fee pass, fill, total) beside the mariadb command-line
// client fetching the same rows from the same server; then the export of the
// listed rows to .xls beside writing the same bytes with one write.
//
//   bill_query_bench [payments]

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <string>

#include "bills/bill_query.h"
#include "core/deploy_settings.h"
#include "core/session.h"
#include "db/db_accounts.h"
#include "export/xls_writer.h"
#include "support/demo_data.h"
#include "timeentry/time_text.h"

namespace {

using Clock = std::chrono::steady_clock;

double seconds_since(Clock::time_point start) {
    return std::chrono::duration<double>(Clock::now() - start).count();
}

std::string shell_quote(const std::string& text) {
    std::string quoted = "'";
    for (char c : text) {
        quoted += c == '\'' ? std::string("'\\''") : std::string(1, c);
    }
    return quoted + "'";
}

}  // namespace

int main(int argc, char** argv) {
    const int payments = argc > 1 ? std::atoi(argv[1]) : 100000;
    const DeploySettings settings = load_deploy_settings();
    DbConnectionOwner db(open_payments_db(settings));
    if (!db) {
        std::fprintf(stderr, "PaymentsDb not reachable at %s:%d\n", settings.db_host.c_str(),
                     settings.db_port);
        return 1;
    }

    // One day: 2026-03-07 at UTC+8, so the range of the query is known.
    const DateTime day_start{2026, 3, 7, 0, 0, 0};
    const DateTime day_end{2026, 3, 7, 23, 59, 59};
    DemoShopOptions options;
    options.shopid = "bench100k";
    options.user = "bench";
    options.workid_prefix = "B";
    options.payments = payments;
    options.end_time = std::stoll(unix_seconds_text(day_end));
    options.span_seconds = 86399;
    options.with_mall = false;
    // Every payment a successful Alipay one: the query lists them all.
    options.channels = {"支付宝"};
    options.paid_percent = 100;
    DemoShop made;
    auto start = Clock::now();
    if (!generate_demo_shop(db.get(), nullptr, options, made)) {
        std::fprintf(stderr, "the demo shop could not be written\n");
        return 1;
    }
    std::printf("generated %d payments in one day in %.1f s\n", made.payments,
                seconds_since(start));

    Session session;
    session.payments_db = db.get();
    session.shopid = options.shopid;
    session.shopname = options.shopname;
    session.fee_rate_zhifubao = 0.006f;
    BillQuery query;
    query.page = BillPage::paid;
    query.start_seconds = unix_seconds_text(day_start);
    query.end_seconds = unix_seconds_text(day_end);
    query.channel = Channel::alipay;
    query.staff_text = "全部员工";

    start = Clock::now();
    const BillQueryResult result = run_bill_query(session, query);
    const double query_s = seconds_since(start);
    std::printf(
        "bill query, Alipay, all staff (listing, fee pass, fill, total): %zu rows, "
        "total %s, %.3f s\n",
        result.rows.size(), result.total.c_str(), query_s);

    // The same rows without a fee pass, for the share of the fee updates.
    BillQuery listing_only = query;
    listing_only.channel = Channel::all_types;
    start = Clock::now();
    const size_t listed = run_bill_query(session, listing_only).rows.size();
    std::printf("bill query, all types (listing, fill, total; no fee pass): %zu rows, %.3f s\n",
                listed, seconds_since(start));

    const std::string listing = paid_payments_statement(
        nullptr, query.start_seconds, query.end_seconds, options.shopid, Channel::alipay, {});
    const std::string client = "mariadb --no-defaults --default-character-set=gbk -h " +
                               shell_quote(settings.db_host) + " -P " +
                               std::to_string(settings.db_port) + " -u " + kPaymentsDbUser + " -p" +
                               shell_quote(settings.payments_db_password) + " " + kPaymentsDbName +
                               " -e " + shell_quote(listing) + " > /dev/null";
    start = Clock::now();
    const int status = std::system(client.c_str());
    const double client_s = seconds_since(start);
    if (status != 0) {
        std::fprintf(stderr, "the mariadb client failed\n");
        return 1;
    }
    std::printf("mariadb client fetching the same rows: %.3f s\n", client_s);
    std::printf("ratio query / client: %.1f\n", query_s / client_s);

    // The export of what was listed, header row first. A sheet numbers at
    // most 65536 rows: a longer list is refused and its first rows timed.
    TextTable table;
    table.push_back({"门店编号", "支付类型", "商户订单号", "金额", "支付时间", "操作人", "手续费",
                     "手续费承担", "门店名称", "操作人ID"});
    table.insert(table.end(), result.rows.begin(), result.rows.end());
    start = Clock::now();
    const bool refused = !XlsWriter().save_table(table, "/tmp/xinghe-bench.xls");
    std::printf("export of %zu rows: %s in %.3f s\n", table.size() - 1,
                refused ? "refused (more rows than a sheet numbers)" : "written",
                seconds_since(start));
    if (table.size() > XlsWriter::kMaxRows) {
        table.resize(XlsWriter::kMaxRows);
    }
    start = Clock::now();
    XlsWriter().save_table(table, "/tmp/xinghe-bench.xls");
    const double writer_s = seconds_since(start);
    start = Clock::now();
    const std::string bytes = XlsWriter::table_bytes(table).value_or("");
    FILE* file = std::fopen("/tmp/xinghe-bench-once.xls", "wb");
    std::fwrite(bytes.data(), 1, bytes.size(), file);
    std::fclose(file);
    const double once_s = seconds_since(start);
    std::printf(
        "export of %zu rows to .xls: XlsWriter %.3f s, same bytes with one buffered "
        "write %.3f s\n",
        table.size() - 1, writer_s, once_s);
    std::remove("/tmp/xinghe-bench.xls");
    std::remove("/tmp/xinghe-bench-once.xls");
    return 0;
}
