#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "db/database.h"

// The test services' databases, reached with the client's own accounts
// through the deployment settings that scripts/test exports.

DbConnectionOwner connect_payments_db();
DbConnectionOwner connect_mall_db();

// An id no other test process uses at the same time (tests run in parallel
// against one server), starting with prefix.
std::string unique_id(std::string_view prefix);

// Runs a statement that a test's arrangement needs; the test fails when the
// server refuses it.
void run_sql(DbConnection* db, std::string_view statement);

// Records every statement sent while it lives (tests compare them with the
// statements the screens should send).
class StatementLog {
public:
    StatementLog() {
        db_set_statement_observer([this](std::string_view s) { sent.emplace_back(s); });
    }
    ~StatementLog() { db_set_statement_observer({}); }
    StatementLog(const StatementLog&) = delete;
    StatementLog& operator=(const StatementLog&) = delete;

    std::vector<std::string> sent;
};

// The first column of the first row of a query, as text ("" when none).
std::string query_text(DbConnection* db, std::string_view statement);
