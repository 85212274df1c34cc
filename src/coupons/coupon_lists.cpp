#include "coupons/coupon_lists.h"

namespace {

constexpr Qt::Alignment kRight = Qt::AlignRight;

}  // namespace

std::vector<ListColumn> coupon_record_columns() {
    return {
        {QStringLiteral("券名称"), 150},   {QStringLiteral("卡券类型"), 80},
        {QStringLiteral("券号"), 120},     {QStringLiteral("金额"), 50},
        {QStringLiteral("核销时间"), 180}, {QStringLiteral("核销人"), 80},
        {QStringLiteral("门店名称"), 10},  {QStringLiteral("操作人ID"), 10},
    };
}

std::vector<ListColumn> coupon_stats_columns() {
    return {
        {QStringLiteral("商户ID"), 120},
        {QStringLiteral("商户名称"), 120, kRight},
        {QStringLiteral("微信金额"), 70, kRight},
        {QStringLiteral("微信个数"), 70, kRight},
        {QStringLiteral("口碑金额"), 70, kRight},
        {QStringLiteral("口碑个数"), 70, kRight},
        {QStringLiteral("美大金额"), 70, kRight},
        {QStringLiteral("美大个数"), 70, kRight},
        {QString(), 50},
        {QStringLiteral("微团积分"), 70, kRight},
        {QStringLiteral("微信拼团"), 70, kRight},
    };
}

std::vector<ListColumn> mall_refund_columns() {
    return {
        {QStringLiteral("编号"), 100},
        {QStringLiteral("订单名称"), 200, kRight},
        {QStringLiteral("订单份数"), 120, kRight},
        {QStringLiteral("退款总金额"), 120, kRight},
    };
}
