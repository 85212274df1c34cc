#include "db/database.h"

#include <mysql.h>

#include <atomic>
#include <mutex>
#include <vector>

#include "core/number_text.h"
#include "core/text_encoding.h"

struct DbConnection {
    MYSQL* mysql = nullptr;
    // The last statement produced a result set that nobody has stored yet.
    bool result_pending = false;
};

struct RecordSet {
    MYSQL_RES* result = nullptr;
    std::vector<std::string> column_names;  // UTF-8
    std::vector<MYSQL_ROW> rows;
    std::vector<unsigned long> lengths;     // rows.size() x column count
    size_t cursor = 0;                      // 0-based; rows.size() = past the last row
};

namespace {

std::once_flag library_once;

std::atomic<bool> observer_set{false};
std::mutex observer_mutex;
std::function<void(std::string_view)> statement_observer;

void notify_observer(std::string_view statement) {
    if (!observer_set.load(std::memory_order_acquire)) {
        return;
    }
    std::lock_guard lock(observer_mutex);
    if (statement_observer) {
        statement_observer(statement);
    }
}

// Drops a result set that the previous statement left unread, so the next
// statement is not refused as out of sync.
void discard_pending(DbConnection* connection) {
    if (!connection->result_pending) {
        return;
    }
    connection->result_pending = false;
    if (MYSQL_RES* result = mysql_store_result(connection->mysql)) {
        mysql_free_result(result);
    }
}

// The row a read looks at: the one under the cursor, or the last row once
// the cursor has passed it; nullopt-like -1 when there are no rows.
long current_row(const RecordSet* records) {
    if (records->rows.empty()) {
        return -1;
    }
    size_t row = records->cursor < records->rows.size() ? records->cursor
                                                         : records->rows.size() - 1;
    return static_cast<long>(row);
}

int column_by_name(const RecordSet* records, std::string_view name) {
    for (size_t i = 0; i < records->column_names.size(); ++i) {
        if (records->column_names[i] == name) {
            return static_cast<int>(i);
        }
    }
    return -1;
}

// The raw GBK bytes of a field; false when the read must fail. A NULL value
// gives is_null true.
bool raw_field(const RecordSet* records, int column, std::string_view& bytes, bool& is_null) {
    if (!records || column < 0 || static_cast<size_t>(column) >= records->column_names.size()) {
        return false;
    }
    long row = current_row(records);
    if (row < 0) {
        return false;
    }
    size_t columns = records->column_names.size();
    const char* data = records->rows[static_cast<size_t>(row)][column];
    is_null = data == nullptr;
    bytes = is_null ? std::string_view()
                    : std::string_view(data, records->lengths[static_cast<size_t>(row) * columns +
                                                              static_cast<size_t>(column)]);
    return true;
}

std::string escape_without_connection(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    for (char c : text) {
        switch (c) {
            case '\0': out += "\\0"; break;
            case '\n': out += "\\n"; break;
            case '\r': out += "\\r"; break;
            case '\\': out += "\\\\"; break;
            case '\'': out += "\\'"; break;
            case '"': out += "\\\""; break;
            case '\x1a': out += "\\Z"; break;
            default: out += c;
        }
    }
    return out;
}

}  // namespace

DbConnection* db_connect(const std::string& host, const std::string& user,
                         const std::string& password, const std::string& database, int port) {
    std::call_once(library_once, [] { mysql_library_init(0, nullptr, nullptr); });
    MYSQL* mysql = mysql_init(nullptr);
    if (!mysql) {
        return nullptr;
    }
    // The library must know the connection speaks GBK before the first byte
    // is sent: its escaping depends on it, and "set names" alone does not
    // tell it when the server does not report the change.
    mysql_options(mysql, MYSQL_SET_CHARSET_NAME, "gbk");
    my_bool reconnect = 0;
    mysql_options(mysql, MYSQL_OPT_RECONNECT, &reconnect);
    if (!mysql_real_connect(mysql, host.c_str(), user.c_str(), password.c_str(), database.c_str(),
                            static_cast<unsigned int>(port), nullptr, 0)) {
        mysql_close(mysql);
        return nullptr;
    }
    auto* connection = new DbConnection;
    connection->mysql = mysql;
    return connection;
}

void db_close(DbConnection* connection) {
    if (!connection) {
        return;
    }
    mysql_close(connection->mysql);
    delete connection;
}

bool db_execute(DbConnection* connection, std::string_view statement) {
    if (!connection) {
        return false;
    }
    notify_observer(statement);
    discard_pending(connection);
    std::string wire = to_gbk(statement);
    if (mysql_real_query(connection->mysql, wire.data(), wire.size()) != 0) {
        return false;
    }
    connection->result_pending = mysql_field_count(connection->mysql) > 0;
    return true;
}

int64_t db_affected_rows(DbConnection* connection) {
    if (!connection) {
        return -1;
    }
    my_ulonglong rows = mysql_affected_rows(connection->mysql);
    return rows == static_cast<my_ulonglong>(-1) ? -1 : static_cast<int64_t>(rows);
}

RecordSet* db_store_result(DbConnection* connection) {
    if (!connection || !connection->result_pending) {
        return nullptr;
    }
    connection->result_pending = false;
    MYSQL_RES* result = mysql_store_result(connection->mysql);
    if (!result) {
        return nullptr;
    }
    auto* records = new RecordSet;
    records->result = result;
    unsigned int columns = mysql_num_fields(result);
    MYSQL_FIELD* fields = mysql_fetch_fields(result);
    records->column_names.reserve(columns);
    for (unsigned int i = 0; i < columns; ++i) {
        records->column_names.push_back(from_gbk(std::string_view(fields[i].name, fields[i].name_length)));
    }
    uint64_t count = mysql_num_rows(result);
    records->rows.reserve(count);
    records->lengths.reserve(count * columns);
    while (MYSQL_ROW row = mysql_fetch_row(result)) {
        unsigned long* lengths = mysql_fetch_lengths(result);
        records->rows.push_back(row);
        records->lengths.insert(records->lengths.end(), lengths, lengths + columns);
    }
    return records;
}

void db_free_result(RecordSet* records) {
    if (!records) {
        return;
    }
    mysql_free_result(records->result);
    delete records;
}

int64_t db_row_count(const RecordSet* records) {
    return records ? static_cast<int64_t>(records->rows.size()) : 0;
}

bool db_next_row(RecordSet* records) {
    if (!records || records->cursor >= records->rows.size()) {
        return false;
    }
    ++records->cursor;
    return true;
}

bool db_first_row(RecordSet* records) {
    if (!records) {
        return false;
    }
    records->cursor = 0;
    return true;
}

bool db_read_field(const RecordSet* records, int column, std::string& value) {
    std::string_view bytes;
    bool is_null = false;
    if (!raw_field(records, column, bytes, is_null)) {
        return false;
    }
    value = from_gbk(bytes);
    return true;
}

bool db_read_field(const RecordSet* records, int column, int& value) {
    std::string_view bytes;
    bool is_null = false;
    if (!raw_field(records, column, bytes, is_null)) {
        return false;
    }
    value = text_to_int(bytes);
    return true;
}

bool db_read_field(const RecordSet* records, int column, float& value) {
    std::string_view bytes;
    bool is_null = false;
    if (!raw_field(records, column, bytes, is_null)) {
        return false;
    }
    value = static_cast<float>(text_to_number(bytes));
    return true;
}

bool db_read_field(const RecordSet* records, std::string_view column, std::string& value) {
    return records && db_read_field(records, column_by_name(records, column), value);
}

bool db_read_field(const RecordSet* records, std::string_view column, int& value) {
    return records && db_read_field(records, column_by_name(records, column), value);
}

bool db_read_field(const RecordSet* records, std::string_view column, float& value) {
    return records && db_read_field(records, column_by_name(records, column), value);
}

RecordSet* db_find_records(DbConnection* connection, std::string_view table,
                           std::string_view columns, std::string_view condition,
                           std::string_view order) {
    std::string statement = "select " + std::string(columns) + " from " + std::string(table);
    if (!condition.empty()) {
        statement += " where " + std::string(condition);
    }
    if (!order.empty()) {
        statement += " order by " + std::string(order);
    }
    if (!db_execute(connection, statement)) {
        return nullptr;
    }
    return db_store_result(connection);
}

bool db_insert_record(DbConnection* connection, std::string_view table,
                      std::string_view assignments) {
    return db_execute(connection, "insert into " + std::string(table) + " set " +
                                      std::string(assignments));
}

bool db_update_record(DbConnection* connection, std::string_view table,
                      std::string_view assignments, std::string_view condition) {
    std::string statement = "update " + std::string(table) + " set " + std::string(assignments);
    if (!condition.empty()) {
        statement += " where " + std::string(condition);
    }
    return db_execute(connection, statement);
}

std::string db_quote(DbConnection* connection, std::string_view text) {
    if (!connection) {
        // Never sent: a statement on no connection fails before it leaves.
        return escape_without_connection(text);
    }
    // Escaping happens on the bytes the server will parse, in the
    // connection's character set, so that no double-byte character can
    // swallow an escape.
    std::string gbk = to_gbk(text);
    std::string escaped(gbk.size() * 2 + 1, '\0');
    unsigned long length =
        mysql_real_escape_string(connection->mysql, escaped.data(), gbk.data(), gbk.size());
    if (length == static_cast<unsigned long>(-1)) {
        return escape_without_connection(text);
    }
    escaped.resize(length);
    return from_gbk(escaped);
}

void db_set_statement_observer(std::function<void(std::string_view)> observer) {
    std::lock_guard lock(observer_mutex);
    statement_observer = std::move(observer);
    observer_set.store(static_cast<bool>(statement_observer), std::memory_order_release);
}
