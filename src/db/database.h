#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <string_view>

// The client's thin layer over the MySQL client library. Every operation
// fails quietly: a null connection or record set is the "0" handle, which
// each operation accepts and answers with its failure result without
// touching the network. Nothing throws and nothing is shown.
//
// Statements and values are UTF-8 here; the wire speaks GBK.

struct DbConnection;
// The complete stored result of one statement with a row cursor on row 1.
struct RecordSet;

DbConnection* db_connect(const std::string& host, const std::string& user,
                         const std::string& password, const std::string& database, int port);
void db_close(DbConnection* connection);

bool db_execute(DbConnection* connection, std::string_view statement);
// The rows the last statement on the connection deleted, inserted or changed
// (an UPDATE that leaves a row as it was does not count it); -1 for a null
// connection or when the last statement failed.
int64_t db_affected_rows(DbConnection* connection);
RecordSet* db_store_result(DbConnection* connection);
void db_free_result(RecordSet* records);

int64_t db_row_count(const RecordSet* records);
// Moves the cursor one row on; false when it was already past the last row.
bool db_next_row(RecordSet* records);
bool db_first_row(RecordSet* records);

// Reads a column of the row under the cursor (the last row once the cursor
// has passed it). Columns by name match case-sensitively. NULL reads as
// empty text or 0. On failure the value is left as it was.
bool db_read_field(const RecordSet* records, std::string_view column, std::string& value);
bool db_read_field(const RecordSet* records, std::string_view column, int& value);
bool db_read_field(const RecordSet* records, std::string_view column, float& value);
bool db_read_field(const RecordSet* records, int column, std::string& value);
bool db_read_field(const RecordSet* records, int column, int& value);
bool db_read_field(const RecordSet* records, int column, float& value);

RecordSet* db_find_records(DbConnection* connection, std::string_view table,
                           std::string_view columns, std::string_view condition,
                           std::string_view order);
bool db_insert_record(DbConnection* connection, std::string_view table,
                      std::string_view assignments);
bool db_update_record(DbConnection* connection, std::string_view table,
                      std::string_view assignments, std::string_view condition);

// Escapes a text for pasting between the single quotes of a statement sent on
// the connection, honouring its character set and its server's escaping mode.
// Ordinary texts come back unchanged.
std::string db_quote(DbConnection* connection, std::string_view text);

// Sees every statement before it is sent (tests compare them with what the
// screens should send). Pass an empty function to stop.
void db_set_statement_observer(std::function<void(std::string_view)> observer);

struct DbConnectionCloser {
    void operator()(DbConnection* connection) const { db_close(connection); }
};
struct RecordSetFreer {
    void operator()(RecordSet* records) const { db_free_result(records); }
};
using DbConnectionOwner = std::unique_ptr<DbConnection, DbConnectionCloser>;
using RecordSetOwner = std::unique_ptr<RecordSet, RecordSetFreer>;
