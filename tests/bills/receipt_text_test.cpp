#include "bills/receipt_text.h"

#include <gtest/gtest.h>

namespace {

// A row of the successful-payments list, as the bill query fills it.
std::vector<std::string> payment_row() {
    return {"1001", "支付宝", "P20260307090500123", "12.5", "2026-03-07 09:05:00", "张三",
            "0.08", "商户",   "星河一店",           "7"};
}

TEST(ReceiptText, joins_the_cells_into_the_fixed_pieces) {
    EXPECT_EQ(receipt_text(payment_row(), "400-000-0000"),
              "配置的商户名称\r\n"
              "\r\n"
              "门店编号：1001\r\n"
              "门店名称：星河一店\r\n"
              "支付金额：12.5\r\n"
              "支付类型\r\n"
              "支付单号：P20260307090500123\r\n"
              "支付时间：2026-03-07 09:05:00\r\n"
              "收银员：张三\r\n"
              "员工固定编号：7\r\n"
              "\r\n"
              "贵宾签名：______________\r\n"
              "\r\n"
              "青杉提供技术支持\r\n"
              "400-000-0000");
}

TEST(ReceiptText, an_empty_cell_leaves_its_label_bare) {
    std::vector<std::string> row = payment_row();
    row[5] = "";
    row[8] = "";
    std::string text = receipt_text(row, "400");
    EXPECT_NE(text.find("\r\n收银员：\r\n员工固定编号：7\r\n"), std::string::npos);
    EXPECT_NE(text.find("\r\n门店名称：\r\n支付金额：12.5\r\n"), std::string::npos);
}

TEST(ReceiptText, missing_cells_read_as_empty) {
    std::vector<std::string> lines = receipt_lines(receipt_text({"1001"}, "400"));
    ASSERT_EQ(lines.size(), 15u);
    EXPECT_EQ(lines[2], "门店编号：1001");
    EXPECT_EQ(lines[3], "门店名称：");
    EXPECT_EQ(lines[9], "员工固定编号：");
}

TEST(ReceiptText, prints_as_fifteen_lines) {
    std::vector<std::string> expected = {"配置的商户名称",
                                         "",
                                         "门店编号：1001",
                                         "门店名称：星河一店",
                                         "支付金额：12.5",
                                         "支付类型",
                                         "支付单号：P20260307090500123",
                                         "支付时间：2026-03-07 09:05:00",
                                         "收银员：张三",
                                         "员工固定编号：7",
                                         "",
                                         "贵宾签名：______________",
                                         "",
                                         "青杉提供技术支持",
                                         "400-000-0000"};
    EXPECT_EQ(receipt_lines(receipt_text(payment_row(), "400-000-0000")), expected);
}

TEST(ReceiptLines, cuts_at_every_kind_of_line_break) {
    struct Case {
        const char* text;
        std::vector<std::string> lines;
    };
    const Case cases[] = {
        {"", {}},
        {"a", {"a"}},
        {"a\r\nb", {"a", "b"}},
        {"a\rb\nc", {"a", "b", "c"}},
        {"a\n\rb", {"a", "", "b"}},
        {"a\r\n\r\nb", {"a", "", "b"}},
        {"a\r\r\nb", {"a", "", "b"}},
        {"a\r\n", {"a"}},
        {"\r\n", {""}},
        {"\r\na", {"", "a"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::PrintToString(std::string(c.text)));
        EXPECT_EQ(receipt_lines(c.text), c.lines);
    }
}

}  // namespace
