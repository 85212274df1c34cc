#include "export/xls_writer.h"

#include <gtest/gtest.h>
#include <sys/resource.h>

#include <csignal>
#include <cstdint>
#include <filesystem>
#include <initializer_list>
#include <string_view>

#include "core/replacing_file.h"
#include "support/temp_folder.h"

namespace {

std::string bytes(std::initializer_list<int> values) {
    std::string out;
    for (int value : values) {
        out.push_back(static_cast<char>(value));
    }
    return out;
}

uint16_t word_at(std::string_view data, size_t offset) {
    return static_cast<uint16_t>(static_cast<unsigned char>(data[offset]) |
                                 static_cast<unsigned char>(data[offset + 1]) << 8);
}

// One record of the stream, cells decoded.
struct Record {
    uint16_t type = 0;
    uint16_t row = 0;
    uint16_t column = 0;
    uint16_t format = 0;
    std::string text;  // GBK bytes of a LABEL
};

std::vector<Record> read_records(std::string_view stream) {
    std::vector<Record> records;
    size_t at = 0;
    while (at < stream.size()) {
        if (stream.size() - at < 4) {
            ADD_FAILURE() << "record header cut off at " << at;
            break;
        }
        Record record;
        record.type = word_at(stream, at);
        uint16_t length = word_at(stream, at + 2);
        if (stream.size() - at - 4 < length) {
            ADD_FAILURE() << "record data cut off at " << at;
            break;
        }
        std::string_view data = stream.substr(at + 4, length);
        if (record.type == 0x0204 || record.type == 0x0201) {
            record.row = word_at(data, 0);
            record.column = word_at(data, 2);
            record.format = word_at(data, 4);
        }
        if (record.type == 0x0204) {
            EXPECT_EQ(word_at(data, 6) + 8u, length) << "LABEL length words disagree";
            record.text = std::string(data.substr(8));
        }
        records.push_back(record);
        at += 4 + length;
    }
    return records;
}

std::string table_bytes(const TextTable& table) {
    std::optional<std::string> stream = XlsWriter::table_bytes(table);
    EXPECT_TRUE(stream.has_value());
    return stream.value_or(std::string());
}

const std::string kBof =
    bytes({0x09, 0x08, 0x08, 0x00, 0x00, 0x00, 0x10, 0x00, 0x00, 0x00, 0x00, 0x00});
const std::string kEof = bytes({0x0A, 0x00, 0x00, 0x00});

TEST(XlsBytes, small_list_gives_the_exact_record_stream) {
    TextTable table = {{"门店编号", "金额"}, {"1001", ""}};
    std::string expected = kBof +
                           // LABEL row 0, column 0: 门店编号, 8 GBK bytes
                           bytes({0x04, 0x02, 0x10, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00,
                                  0x08, 0x00, 0xC3, 0xC5, 0xB5, 0xEA, 0xB1, 0xE0, 0xBA, 0xC5}) +
                           // LABEL row 0, column 1: 金额
                           bytes({0x04, 0x02, 0x0C, 0x00, 0x00, 0x00, 0x01, 0x00, 0x00, 0x00, 0x04,
                                  0x00, 0xBD, 0xF0, 0xB6, 0xEE}) +
                           // LABEL row 1, column 0: 1001
                           bytes({0x04, 0x02, 0x0C, 0x00, 0x01, 0x00, 0x00, 0x00, 0x00, 0x00, 0x04,
                                  0x00, '1', '0', '0', '1'}) +
                           // BLANK row 1, column 1, format 23
                           bytes({0x01, 0x02, 0x06, 0x00, 0x01, 0x00, 0x01, 0x00, 0x17, 0x00}) +
                           kEof;
    EXPECT_EQ(table_bytes(table), expected);
}

TEST(XlsBytes, empty_table_gives_bof_and_eof) {
    EXPECT_EQ(table_bytes({}), kBof + kEof);
}

TEST(XlsBytes, header_only_list_has_a_blank_for_the_empty_title) {
    TextTable table = {{"商户ID", "商户名称", "微信金额", "微信个数", "口碑金额", "口碑个数",
                        "美大金额", "美大个数", "", "微团积分", "微信拼团"}};
    std::string stream = table_bytes(table);
    ASSERT_TRUE(stream.starts_with(kBof));
    ASSERT_TRUE(stream.ends_with(kEof));
    std::vector<Record> records = read_records(stream);
    ASSERT_EQ(records.size(), 13u);
    for (uint16_t column = 0; column < 11; ++column) {
        const Record& cell = records[1 + column];
        SCOPED_TRACE(column);
        EXPECT_EQ(cell.row, 0);
        EXPECT_EQ(cell.column, column);
        if (column == 8) {
            EXPECT_EQ(cell.type, 0x0201);
            EXPECT_EQ(cell.format, 23);
        } else {
            EXPECT_EQ(cell.type, 0x0204);
            EXPECT_EQ(cell.format, 0);
        }
    }
    EXPECT_EQ(records[1 + 1].text, "\xC9\xCC\xBB\xA7\xC3\xFB\xB3\xC6");  // 商户名称
}

TEST(XlsBytes, a_cell_of_one_blank_is_a_label) {
    EXPECT_EQ(table_bytes({{" "}}),
              kBof + bytes({0x04, 0x02, 0x09, 0x00, 0, 0, 0, 0, 0, 0, 0x01, 0x00, ' '}) + kEof);
}

TEST(XlsBytes, text_lengths_count_gbk_bytes) {
    struct Case {
        const char* text;
        std::string gbk;
    };
    const Case cases[] = {
        {"星河 A", "\xD0\xC7\xBA\xD3 A"},
        {"支付类型", "\xD6\xA7\xB8\xB6\xC0\xE0\xD0\xCD"},
        {"12.5", "12.5"},
        // A character GBK lacks is one "?".
        {"a😀b", "a?b"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        std::vector<Record> records = read_records(table_bytes({{c.text}}));
        ASSERT_EQ(records.size(), 3u);
        EXPECT_EQ(records[1].text, c.gbk);
    }
}

TEST(XlsBytes, ten_columns_and_two_rows_give_thirty_labels_row_by_row) {
    TextTable table = {{"门店编号", "支付类型", "商户订单号", "金额", "支付时间", "操作人",
                        "手续费", "手续费承担", "门店名称", "操作人ID"}};
    for (int r = 1; r <= 2; ++r) {
        std::vector<std::string> row;
        for (int c = 0; c < 10; ++c) {
            row.push_back("r" + std::to_string(r) + "c" + std::to_string(c));
        }
        table.push_back(row);
    }
    std::vector<Record> records = read_records(table_bytes(table));
    ASSERT_EQ(records.size(), 32u);
    EXPECT_EQ(records.front().type, 0x0809);
    EXPECT_EQ(records.back().type, 0x000A);
    for (size_t i = 0; i < 30; ++i) {
        const Record& cell = records[1 + i];
        SCOPED_TRACE(i);
        EXPECT_EQ(cell.type, 0x0204);
        EXPECT_EQ(cell.row, i / 10);
        EXPECT_EQ(cell.column, i % 10);
        if (cell.row > 0) {
            EXPECT_EQ(cell.text, table[cell.row][cell.column]);
        }
    }
}

TEST(XlsBytes, words_are_little_endian) {
    TextTable table(300, {"x"});
    std::vector<Record> records = read_records(table_bytes(table));
    ASSERT_EQ(records.size(), 302u);
    EXPECT_EQ(records[300].row, 299);
    std::string stream = table_bytes(table);
    // The last LABEL before EOF: row 299 is 2B 01.
    EXPECT_EQ(stream.substr(stream.size() - 4 - 13, 13),
              bytes({0x04, 0x02, 0x09, 0x00, 0x2B, 0x01, 0x00, 0x00, 0x00, 0x00, 0x01, 0x00, 'x'}));
}

TEST(XlsBytes, rows_of_different_lengths_write_the_cells_they_have) {
    std::vector<Record> records = read_records(table_bytes({{"a", "b"}, {}, {"c"}}));
    ASSERT_EQ(records.size(), 5u);
    EXPECT_EQ(records[3].row, 2);
    EXPECT_EQ(records[3].column, 0);
    EXPECT_EQ(records[3].text, "c");
}

TEST(XlsLimits, the_largest_numbered_table_is_written) {
    TextTable rows(XlsWriter::kMaxRows, {""});
    std::vector<Record> records = read_records(table_bytes(rows));
    ASSERT_EQ(records.size(), XlsWriter::kMaxRows + 2);
    EXPECT_EQ(records[XlsWriter::kMaxRows].row, 65535);

    TextTable columns = {std::vector<std::string>(XlsWriter::kMaxColumns, "v")};
    records = read_records(table_bytes(columns));
    ASSERT_EQ(records.size(), XlsWriter::kMaxColumns + 2);
    EXPECT_EQ(records[XlsWriter::kMaxColumns].column, 255);
}

TEST(XlsLimits, a_table_past_the_numbering_is_refused_and_nothing_written) {
    TempFolder folder;
    const TextTable too_large[] = {
        TextTable(XlsWriter::kMaxRows + 1, {"1"}),
        {{"h"}, std::vector<std::string>(XlsWriter::kMaxColumns + 1, "v")},
    };
    for (const TextTable& table : too_large) {
        EXPECT_FALSE(XlsWriter::table_bytes(table).has_value());
        EXPECT_FALSE(XlsWriter().save_table(table, folder.file("big.xls")));
        EXPECT_TRUE(folder.names().empty());
    }
}

TEST(XlsLimits, a_cell_too_long_for_its_length_word_is_cut_at_a_character) {
    struct Case {
        std::string text;
        size_t kept;
    };
    std::string chinese;
    for (int i = 0; i < 40000; ++i) {
        chinese += "额";
    }
    const Case cases[] = {
        {std::string(70000, 'a'), 65527},
        {std::string(65527, 'a'), 65527},
        // Two-byte characters: the odd last byte would split one.
        {chinese, 65526},
        {"a" + chinese, 65527},
    };
    for (const Case& c : cases) {
        std::vector<Record> records = read_records(table_bytes({{c.text, "next"}}));
        ASSERT_EQ(records.size(), 4u);
        EXPECT_EQ(records[1].text.size(), c.kept);
        EXPECT_EQ(records[2].text, "next");
    }
    std::string cut = read_records(table_bytes({{chinese}}))[1].text;
    EXPECT_TRUE(cut.ends_with("\xB6\xEE"));
}

TEST(XlsSave, the_file_holds_the_table_bytes_and_replaces_an_older_one) {
    TempFolder folder;
    std::string path = folder.file("bills.xls");
    ASSERT_TRUE(replace_file_contents(path, std::string(100000, 'z')));
    TextTable table = {{"门店编号", "金额"}, {"1001", "12.5"}, {"1002", ""}};
    ASSERT_TRUE(XlsWriter().save_table(table, path));
    EXPECT_EQ(read_whole_file(path), table_bytes(table));
    EXPECT_EQ(folder.names(), std::vector<std::string>{"bills.xls"});
}

TEST(XlsSave, an_unwritable_path_gives_false_and_no_file) {
    TempFolder folder;
    std::filesystem::create_directory(folder.file("folder.xls"));
    const std::string paths[] = {folder.file("missing/bills.xls"), folder.file("folder.xls"), ""};
    for (const std::string& path : paths) {
        SCOPED_TRACE(path);
        EXPECT_FALSE(XlsWriter().save_table({{"a"}}, path));
        EXPECT_EQ(folder.names(), std::vector<std::string>{"folder.xls"});
    }
    EXPECT_TRUE(std::filesystem::is_empty(folder.file("folder.xls")));
}

// Makes writes past a size fail with EFBIG, as a full disk would fail them.
class FileSizeLimit {
public:
    explicit FileSizeLimit(rlim_t bytes) {
        ::getrlimit(RLIMIT_FSIZE, &old_);
        old_handler_ = std::signal(SIGXFSZ, SIG_IGN);
        rlimit limit = old_;
        limit.rlim_cur = bytes;
        ::setrlimit(RLIMIT_FSIZE, &limit);
    }
    ~FileSizeLimit() {
        ::setrlimit(RLIMIT_FSIZE, &old_);
        std::signal(SIGXFSZ, old_handler_);
    }

private:
    rlimit old_{};
    void (*old_handler_)(int) = nullptr;
};

TEST(XlsSave, a_failed_write_keeps_the_old_file_and_leaves_no_part_of_the_new) {
    TempFolder folder;
    std::string path = folder.file("bills.xls");
    ASSERT_TRUE(XlsWriter().save_table({{"old"}}, path));
    std::string old_bytes = read_whole_file(path);
    TextTable table(30000, {"1001", "门店名称"});
    bool written;
    {
        FileSizeLimit limit(100000);
        written = XlsWriter().save_table(table, path);
    }
    EXPECT_FALSE(written);
    EXPECT_EQ(read_whole_file(path), old_bytes);
    EXPECT_EQ(folder.names(), std::vector<std::string>{"bills.xls"});
}

TEST(XlsSave, progress_is_told_now_and_then_and_at_the_end) {
    TempFolder folder;
    TextTable table(100, std::vector<std::string>(100, "v"));
    std::vector<std::pair<size_t, size_t>> calls;
    ASSERT_TRUE(XlsWriter().save_table(table, folder.file("p.xls"), [&](size_t done, size_t total) {
        calls.emplace_back(done, total);
    }));
    std::vector<std::pair<size_t, size_t>> expected = {
        {4096, 10000}, {8192, 10000}, {10000, 10000}};
    EXPECT_EQ(calls, expected);
}

}  // namespace
