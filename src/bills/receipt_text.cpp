#include "bills/receipt_text.h"

#include <cstddef>

namespace {

// Columns of the successful-payments list.
constexpr std::size_t kShopNumber = 0;
constexpr std::size_t kOrderNumber = 2;
constexpr std::size_t kAmount = 3;
constexpr std::size_t kPaymentTime = 4;
constexpr std::size_t kOperator = 5;
constexpr std::size_t kShopName = 8;
constexpr std::size_t kOperatorId = 9;

std::string_view cell(const std::vector<std::string>& row, std::size_t column) {
    return column < row.size() ? std::string_view(row[column]) : std::string_view();
}

}  // namespace

std::string receipt_text(const std::vector<std::string>& row, std::string_view support_phone) {
    std::string text = "配置的商户名称\r\n\r\n门店编号：";
    text += cell(row, kShopNumber);
    text += "\r\n门店名称：";
    text += cell(row, kShopName);
    text += "\r\n支付金额：";
    text += cell(row, kAmount);
    text += "\r\n支付类型\r\n支付单号：";
    text += cell(row, kOrderNumber);
    text += "\r\n支付时间：";
    text += cell(row, kPaymentTime);
    text += "\r\n收银员：";
    text += cell(row, kOperator);
    text += "\r\n员工固定编号：";
    text += cell(row, kOperatorId);
    text += "\r\n\r\n贵宾签名：______________\r\n\r\n青杉提供技术支持\r\n";
    text += support_phone;
    return text;
}

std::vector<std::string> receipt_lines(std::string_view text) {
    std::vector<std::string> lines;
    std::size_t start = 0;
    while (start < text.size()) {
        std::size_t end = text.find_first_of("\r\n", start);
        if (end == std::string_view::npos) {
            lines.emplace_back(text.substr(start));
            break;
        }
        lines.emplace_back(text.substr(start, end - start));
        start = end + (text.compare(end, 2, "\r\n") == 0 ? 2 : 1);
    }
    return lines;
}
