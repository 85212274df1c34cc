#include "db/database.h"

#include <gtest/gtest.h>

#include <vector>

#include "core/text_encoding.h"
#include "support/test_database.h"

namespace {

TEST(NullHandles, every_operation_fails_quietly_without_a_connection) {
    std::vector<std::string> sent;
    db_set_statement_observer([&](std::string_view s) { sent.emplace_back(s); });

    EXPECT_FALSE(db_execute(nullptr, "select 1"));
    EXPECT_EQ(db_store_result(nullptr), nullptr);
    EXPECT_EQ(db_find_records(nullptr, "t", "a", "", ""), nullptr);
    EXPECT_FALSE(db_insert_record(nullptr, "t", "a=1"));
    EXPECT_FALSE(db_update_record(nullptr, "t", "a=1", ""));
    EXPECT_EQ(db_row_count(nullptr), 0);
    EXPECT_FALSE(db_next_row(nullptr));
    EXPECT_FALSE(db_first_row(nullptr));
    std::string text = "kept";
    int number = 7;
    float fraction = 1.5f;
    EXPECT_FALSE(db_read_field(nullptr, "a", text));
    EXPECT_FALSE(db_read_field(nullptr, 0, number));
    EXPECT_FALSE(db_read_field(nullptr, 0, fraction));
    EXPECT_EQ(text, "kept");
    EXPECT_EQ(number, 7);
    EXPECT_EQ(fraction, 1.5f);
    db_free_result(nullptr);
    db_close(nullptr);

    db_set_statement_observer({});
    EXPECT_TRUE(sent.empty()) << "a statement left for a null connection";
}

TEST(Connect, a_refused_account_gives_no_connection) {
    DbConnectionOwner good = connect_payments_db();
    ASSERT_NE(good, nullptr);
    const char* port = std::getenv("XINGHE_DB_PORT");
    EXPECT_EQ(db_connect("127.0.0.1", "mrlanbo", "wrong", "xinghe", std::atoi(port)), nullptr);
    EXPECT_EQ(db_connect("127.0.0.1", "mrlanbo", "wrong", "app_hdyqm_net_c", std::atoi(port)),
              nullptr);
}

// Each test works on a temporary table of its own connection, so parallel
// test processes never see each other's rows.
class RecordSetTest : public testing::Test {
protected:
    void SetUp() override {
        db_ = connect_payments_db();
        ASSERT_NE(db_, nullptr);
        run_sql(db_.get(),
                "CREATE TEMPORARY TABLE probe (id INT PRIMARY KEY, Shopid VARCHAR(32), "
                "name VARCHAR(64) CHARACTER SET gbk, amount DECIMAL(10,2) NULL, note TEXT NULL)");
        run_sql(db_.get(), "INSERT INTO probe VALUES (1,'S1','张三',12.50,'first'),"
                           "(2,'S2','李四',NULL,NULL),(3,'S3','王五',-7.25,'third')");
    }
    RecordSetOwner select(std::string_view statement) {
        EXPECT_TRUE(db_execute(db_.get(), statement));
        return RecordSetOwner(db_store_result(db_.get()));
    }
    DbConnectionOwner db_;
};

TEST_F(RecordSetTest, walks_rows_in_order_and_reads_the_last_row_once_past_it) {
    RecordSetOwner rows = select("SELECT id, name FROM probe ORDER BY id");
    ASSERT_NE(rows, nullptr);
    EXPECT_EQ(db_row_count(rows.get()), 3);
    std::vector<std::string> names;
    for (int i = 0; i < 3; ++i) {
        std::string name;
        EXPECT_TRUE(db_read_field(rows.get(), "name", name));
        names.push_back(name);
        EXPECT_TRUE(db_next_row(rows.get()));
    }
    EXPECT_EQ(names, (std::vector<std::string>{"张三", "李四", "王五"}));
    EXPECT_FALSE(db_next_row(rows.get()));
    int id = 0;
    EXPECT_TRUE(db_read_field(rows.get(), "id", id));
    EXPECT_EQ(id, 3);

    EXPECT_TRUE(db_first_row(rows.get()));
    EXPECT_TRUE(db_read_field(rows.get(), 0, id));
    EXPECT_EQ(id, 1);
}

TEST_F(RecordSetTest, column_names_match_case_sensitively) {
    RecordSetOwner rows = select("SELECT * FROM probe");
    std::string value = "unchanged";
    EXPECT_FALSE(db_read_field(rows.get(), "shopid", value));
    EXPECT_EQ(value, "unchanged");
    EXPECT_TRUE(db_read_field(rows.get(), "Shopid", value));
    EXPECT_EQ(value, "S1");
}

TEST_F(RecordSetTest, null_reads_as_empty_text_and_as_zero) {
    RecordSetOwner rows = select("SELECT amount, note FROM probe WHERE id = 2");
    std::string text = "x";
    int number = 5;
    float fraction = 5.0f;
    EXPECT_TRUE(db_read_field(rows.get(), "note", text));
    EXPECT_TRUE(db_read_field(rows.get(), "amount", number));
    EXPECT_TRUE(db_read_field(rows.get(), "amount", fraction));
    EXPECT_EQ(text, "");
    EXPECT_EQ(number, 0);
    EXPECT_EQ(fraction, 0.0f);
}

TEST_F(RecordSetTest, numbers_are_read_from_the_start_of_the_text) {
    RecordSetOwner rows = select("SELECT amount FROM probe WHERE id = 3");
    int number = 0;
    float fraction = 0.0f;
    std::string text;
    EXPECT_TRUE(db_read_field(rows.get(), 0, number));
    EXPECT_TRUE(db_read_field(rows.get(), 0, fraction));
    EXPECT_TRUE(db_read_field(rows.get(), 0, text));
    EXPECT_EQ(number, -7);
    EXPECT_EQ(fraction, -7.25f);
    EXPECT_EQ(text, "-7.25");
}

TEST_F(RecordSetTest, reads_fail_and_keep_the_value_without_a_row_or_column) {
    RecordSetOwner empty = select("SELECT name FROM probe WHERE id = 99");
    ASSERT_NE(empty, nullptr);
    EXPECT_EQ(db_row_count(empty.get()), 0);
    std::string name = "previous";
    EXPECT_FALSE(db_read_field(empty.get(), "name", name));
    EXPECT_FALSE(db_next_row(empty.get()));
    EXPECT_EQ(name, "previous");

    RecordSetOwner rows = select("SELECT name FROM probe");
    EXPECT_FALSE(db_read_field(rows.get(), 1, name));
    EXPECT_FALSE(db_read_field(rows.get(), -1, name));
    EXPECT_EQ(name, "previous");
}

TEST_F(RecordSetTest, no_result_set_after_a_failed_statement_or_an_update) {
    EXPECT_FALSE(db_execute(db_.get(), "SELEC nonsense"));
    EXPECT_EQ(db_store_result(db_.get()), nullptr);
    EXPECT_TRUE(db_execute(db_.get(), "UPDATE probe SET note = 'x' WHERE id = 1"));
    EXPECT_EQ(db_store_result(db_.get()), nullptr);
}

TEST_F(RecordSetTest, an_unstored_result_does_not_block_the_next_statement) {
    EXPECT_TRUE(db_execute(db_.get(), "SELECT * FROM probe"));
    RecordSetOwner rows = select("SELECT COUNT(*) FROM probe");
    std::string count;
    EXPECT_TRUE(db_read_field(rows.get(), 0, count));
    EXPECT_EQ(count, "3");
}

TEST_F(RecordSetTest, find_insert_and_update_build_their_statements) {
    std::vector<std::string> sent;
    db_set_statement_observer([&](std::string_view s) { sent.emplace_back(s); });
    RecordSetOwner all(db_find_records(db_.get(), "probe", "id,name", "", ""));
    RecordSetOwner some(db_find_records(db_.get(), "probe", "name", "id > 1", "id DESC"));
    EXPECT_TRUE(db_insert_record(db_.get(), "probe", "id=4,name='赵六'"));
    EXPECT_TRUE(db_update_record(db_.get(), "probe", "note='n'", "id=4"));
    EXPECT_FALSE(db_update_record(db_.get(), "probe", "nosuch=1", ""));
    db_set_statement_observer({});

    EXPECT_EQ(sent, (std::vector<std::string>{
                        "select id,name from probe",
                        "select name from probe where id > 1 order by id DESC",
                        "insert into probe set id=4,name='赵六'",
                        "update probe set note='n' where id=4",
                        "update probe set nosuch=1",
                    }));
    EXPECT_EQ(db_row_count(all.get()), 3);
    std::string first;
    db_read_field(some.get(), "name", first);
    EXPECT_EQ(first, "王五");
    EXPECT_EQ(query_text(db_.get(), "SELECT note FROM probe WHERE name = '赵六'"), "n");
}

TEST_F(RecordSetTest, affected_rows_count_what_the_last_statement_changed) {
    EXPECT_EQ(db_affected_rows(nullptr), -1);
    run_sql(db_.get(), "UPDATE probe SET note = 'x' WHERE id IN (1, 2)");
    EXPECT_EQ(db_affected_rows(db_.get()), 2);
    // A row left as it was does not count.
    run_sql(db_.get(), "UPDATE probe SET note = 'x' WHERE id IN (1, 2)");
    EXPECT_EQ(db_affected_rows(db_.get()), 0);
    run_sql(db_.get(), "DELETE FROM probe WHERE id = 3");
    EXPECT_EQ(db_affected_rows(db_.get()), 1);
    EXPECT_FALSE(db_execute(db_.get(), "DELETE FROM no_such_table"));
    EXPECT_EQ(db_affected_rows(db_.get()), -1);
}

TEST_F(RecordSetTest, chinese_text_is_stored_as_gbk_and_read_back_exactly) {
    const std::string name = "星河财务端·收银员（一号）";
    run_sql(db_.get(), "INSERT INTO probe (id, name) VALUES (10, '" + db_quote(db_.get(), name) + "')");
    EXPECT_EQ(query_text(db_.get(), "SELECT name FROM probe WHERE id = 10"), name);
    EXPECT_EQ(query_text(db_.get(), "SELECT HEX(name) FROM probe WHERE id = 1"), "D5C5C8FD");
    EXPECT_EQ(query_text(db_.get(), "SELECT LENGTH(name) FROM probe WHERE id = 10"),
              std::to_string(to_gbk(name).size()));
}

}  // namespace
