#include "bills/bill_lists.h"

std::vector<ListColumn> payment_list_columns() {
    return {
        {QStringLiteral("门店编号"), 100},   {QStringLiteral("支付类型"), 80},
        {QStringLiteral("商户订单号"), 120}, {QStringLiteral("金额"), 80},
        {QStringLiteral("支付时间"), 180},   {QStringLiteral("操作人"), 80},
        {QStringLiteral("手续费"), 80},      {QStringLiteral("手续费承担"), 1},
        {QStringLiteral("门店名称"), 100},   {QStringLiteral("操作人ID"), 80},
    };
}

std::vector<ListColumn> refund_list_columns() {
    return {
        {QStringLiteral("门店编号"), 100},   {QStringLiteral("支付类型"), 80},
        {QStringLiteral("关联订单号"), 300}, {QStringLiteral("金额"), 80},
        {QStringLiteral("支付时间"), 180},   {QStringLiteral("操作人"), 1},
        {QStringLiteral("手续费"), 1},       {QStringLiteral("手续费承担"), 1},
        {QStringLiteral("门店名称"), 100},   {QStringLiteral("操作人ID"), 1},
        {QStringLiteral("退款时间"), 1},     {QStringLiteral("退款金额"), 1},
        {QStringLiteral("退款单号"), 1},
    };
}
