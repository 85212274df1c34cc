#include "coupons/coupon_records_page.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include "chrome/form_controls.h"
#include "chrome/report_view.h"
#include "coupons/coupon_lists.h"
#include "timeentry/time_box.h"

CouponRecordsPage::CouponRecordsPage(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("验券记录"));
    form_transparent_label(this, QStringLiteral("透明标签24"), QStringLiteral("开始时间："),
                           {39, 53, 74, 24});
    start_box_ = form_time_box(this, QStringLiteral("卡券开始框"), {111, 48, 186, 32});
    form_transparent_label(this, QStringLiteral("透明标签25"), QStringLiteral("结束时间："),
                           {494, 53, 74, 24});
    end_box_ = form_time_box(this, QStringLiteral("卡券结束框"), {566, 48, 186, 32});
    form_button(this, QStringLiteral("卡券当天查询"), QString(), {329, 20, 80, 32})->hide();
    form_button(this, QStringLiteral("卡券查询"), QStringLiteral("查询"), {803, 48, 96, 32});
    form_transparent_label(this, QStringLiteral("透明标签1"), QStringLiteral("当前选中人："),
                           {294, 122, 144, 16});
    form_transparent_label(this, QStringLiteral("透明标签26"),
                           QStringLiteral("提示：默认只显示当天数据。"), {131, 121, 157, 19});
    form_label(this, QStringLiteral("标签6"), QString(), {376, 85, 72, 16})->hide();
    records_ = new ReportView(coupon_record_columns(), this);
    records_->setObjectName(QStringLiteral("超级列表框2"));
    records_->setGeometry(24, 163, 888, 250);
}
