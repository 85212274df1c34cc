#include <gtest/gtest.h>

#include <tuple>

#include "core/text_encoding.h"
#include "db/database.h"
#include "support/test_database.h"

namespace {

// How the connection is set up before the texts are pasted: as the client
// opens it, with the server no longer telling the client library about
// character set changes, and with backslashes taken literally by the server.
enum class Mode { AsOpened, NoCharsetTracking, NoBackslashEscapes };

struct Hostile {
    const char* name;
    std::string text;
};

void PrintTo(const Hostile& hostile, std::ostream* out) { *out << hostile.name; }

const Hostile kHostileTexts[] = {
    {"single_quote", "O'Brien"},
    {"backslash", "C:\\bills\\"},
    {"trailing_backslash", "end\\"},
    {"nul", std::string("a\0' OR '1'='1", 13)},
    {"gbk_5c_trail_then_quote", "運' OR '1'='1"},
    {"gbk_5c_trail_then_quote_2", "乗' OR 1=1 -- "},
    {"bf_27_bytes", std::string("\xBF\x27 OR 1=1 -- ")},
    {"drop_table", "'; DROP TABLE victim; --"},
    {"double_quote", "say \"hi\""},
    {"line_breaks", "a\r\nb\x1a"},
    {"like_wildcards", "%_"},
};

class QuotingTest : public testing::TestWithParam<std::tuple<Mode, Hostile>> {
protected:
    void SetUp() override {
        db_ = connect_payments_db();
        ASSERT_NE(db_, nullptr);
        switch (std::get<0>(GetParam())) {
            case Mode::AsOpened:
                break;
            case Mode::NoCharsetTracking:
                run_sql(db_.get(), "SET SESSION session_track_system_variables = ''");
                break;
            case Mode::NoBackslashEscapes:
                run_sql(db_.get(),
                        "SET SESSION sql_mode = CONCAT(@@sql_mode, ',NO_BACKSLASH_ESCAPES')");
                break;
        }
        run_sql(db_.get(), "set names GBK");
        run_sql(db_.get(),
                "CREATE TEMPORARY TABLE probe (id INT PRIMARY KEY, v VARCHAR(200) "
                "CHARACTER SET gbk NOT NULL)");
        run_sql(db_.get(), "CREATE TEMPORARY TABLE victim (id INT)");
        run_sql(db_.get(), "INSERT INTO probe VALUES (1, 'other'), (2, 'O')");
    }

    std::string literal(const std::string& text) { return "'" + db_quote(db_.get(), text) + "'"; }

    DbConnectionOwner db_;
};

TEST_P(QuotingTest, a_pasted_text_stays_inside_its_literal) {
    const std::string& text = std::get<1>(GetParam()).text;
    const std::string expected = gbk_round_trip(text);

    bool stored = db_execute(db_.get(), "INSERT INTO probe SET id = 3, v = " + literal(text));
    if (stored) {
        EXPECT_EQ(query_text(db_.get(), "SELECT v FROM probe WHERE id = 3"), expected);
        EXPECT_EQ(query_text(db_.get(), "SELECT COUNT(*) FROM probe WHERE v = " + literal(text)),
                  "1");
        EXPECT_TRUE(db_execute(db_.get(),
                               "UPDATE probe SET v = 'changed' WHERE v = " + literal(text)));
        EXPECT_EQ(query_text(db_.get(), "SELECT v FROM probe WHERE id = 3"), "changed");
    }
    // Whether stored or refused, nothing else was matched or changed.
    EXPECT_EQ(query_text(db_.get(), "SELECT GROUP_CONCAT(v ORDER BY id) FROM probe WHERE id < 3"),
              "other,O");
    EXPECT_EQ(query_text(db_.get(), "SELECT COUNT(*) FROM probe"), stored ? "3" : "2");
    EXPECT_TRUE(db_execute(db_.get(), "SELECT COUNT(*) FROM victim")) << "victim table gone";
    db_free_result(db_store_result(db_.get()));
}

TEST_P(QuotingTest, a_pasted_text_cannot_widen_a_condition) {
    const std::string& text = std::get<1>(GetParam()).text;
    db_execute(db_.get(), "SELECT COUNT(*) FROM probe WHERE v = " + literal(text));
    RecordSetOwner rows(db_store_result(db_.get()));
    std::string count = "0";
    db_read_field(rows.get(), 0, count);
    EXPECT_EQ(count, "0");
}

std::string case_name(const testing::TestParamInfo<std::tuple<Mode, Hostile>>& info) {
    static const char* modes[] = {"as_opened", "no_charset_tracking", "no_backslash_escapes"};
    return std::string(modes[static_cast<int>(std::get<0>(info.param))]) + "_" +
           std::get<1>(info.param).name;
}

INSTANTIATE_TEST_SUITE_P(Texts, QuotingTest,
                         testing::Combine(testing::Values(Mode::AsOpened, Mode::NoCharsetTracking,
                                                          Mode::NoBackslashEscapes),
                                          testing::ValuesIn(kHostileTexts)),
                         case_name);

TEST(Quoting, ordinary_texts_are_pasted_unchanged) {
    DbConnectionOwner db = connect_payments_db();
    for (const char* text : {"1001", "张三", "2026-03-07 09:05:00", "12.50", "P0001", ""}) {
        EXPECT_EQ(db_quote(db.get(), text), text);
        EXPECT_EQ(db_quote(nullptr, text), text);
    }
}

}  // namespace
