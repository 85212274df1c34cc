#include "support/test_database.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <atomic>
#include <cstdlib>

#include "core/deploy_settings.h"
#include "db/db_accounts.h"

namespace {

void require_services() {
    if (!std::getenv("XINGHE_DB_PORT")) {
        ADD_FAILURE() << "the test services are not running: run scripts/test";
    }
}

}  // namespace

DbConnectionOwner connect_payments_db() {
    require_services();
    DbConnectionOwner db(open_payments_db(load_deploy_settings()));
    EXPECT_NE(db, nullptr) << "PaymentsDb of the test services not reachable";
    return db;
}

DbConnectionOwner connect_mall_db() {
    require_services();
    DbConnectionOwner db(open_mall_db(load_deploy_settings()));
    EXPECT_NE(db, nullptr) << "MallDb of the test services not reachable";
    return db;
}

std::string unique_id(std::string_view prefix) {
    static std::atomic<int> counter{0};
    return std::string(prefix) + std::to_string(::getpid()) + "x" + std::to_string(++counter);
}

void run_sql(DbConnection* db, std::string_view statement) {
    EXPECT_TRUE(db_execute(db, statement)) << "refused: " << statement;
}

std::string query_text(DbConnection* db, std::string_view statement) {
    std::string value;
    EXPECT_TRUE(db_execute(db, statement)) << "refused: " << statement;
    RecordSetOwner records(db_store_result(db));
    db_read_field(records.get(), 0, value);
    return value;
}
