#include "coupons/coupon_stats_page.h"

#include <QEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPushButton>

#include "chrome/form_controls.h"
#include "chrome/report_view.h"
#include "coupons/coupon_lists.h"
#include "export/list_export.h"
#include "timeentry/time_box.h"

CouponStatsPage::CouponStatsPage(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("卡券统计"));
    form_transparent_label(this, QStringLiteral("透明标签14"), QStringLiteral("开始时间："),
                           {18, 45, 74, 24});
    start_box_ = form_time_box(this, QStringLiteral("开始时间框2"), {90, 40, 186, 32});
    form_transparent_label(this, QStringLiteral("透明标签15"), QStringLiteral("结束时间："),
                           {403, 44, 74, 24});
    end_box_ = form_time_box(this, QStringLiteral("结束时间框2"), {478, 40, 186, 32});
    form_button(this, QStringLiteral("券码查询"), QStringLiteral("查询"), {698, 40, 96, 32});
    export_button_ =
        form_button(this, QStringLiteral("券码导出"), QStringLiteral("导出"), {814, 40, 96, 32});
    export_button_->setEnabled(false);
    connect(export_button_, &QPushButton::clicked, this, [this] {
        // Disabled until the next statistics query fills the list again.
        if (export_list(this, *stats_->rows()) == ExportOutcome::Written) {
            export_button_->setEnabled(false);
        }
    });

    struct Pair {
        const char* caption_name;
        const char* caption;
        QRect caption_place;
        const char* value_name;
        const char* value;
        QRect value_place;
    };
    const Pair pairs[] = {
        {"透明标签17",
         "微信总金额：",
         {47, 100, 72, 16},
         "微信商城标签",
         "loding...",
         {119, 100, 72, 16}},
        {"透明标签20",
         "微信总个数：",
         {48, 129, 72, 16},
         "微信商城标签1",
         "loding...",
         {118, 129, 72, 16}},
        {"透明标签23",
         "口碑金额：",
         {248, 100, 56, 16},
         "口碑核销标签1",
         "loding...",
         {318, 100, 72, 16}},
        {"透明标签16",
         "口碑个数：",
         {248, 129, 56, 16},
         "口碑核销标签",
         "loding...",
         {318, 129, 72, 16}},
        {"透明标签4",
         "美团点评金额：",
         {470, 100, 89, 16},
         "美团点评标签1",
         "Loading...",
         {556, 100, 72, 16}},
        {"透明标签18",
         "美团点评个数：",
         {470, 129, 89, 16},
         "美团点评标签",
         "Loading...",
         {557, 129, 65, 16}},
        {"透明标签8",
         "当前时段微信打款：",
         {720, 87, 104, 16},
         "微信商城标签2",
         "loding...",
         {829, 87, 72, 16}},
        {"透明标签10",
         "当前时段微信退款：",
         {720, 110, 104, 16},
         "微信商城标签3",
         "loding...",
         {829, 110, 72, 16}},
        {"透明标签11",
         "当前时段微信实收：",
         {720, 133, 104, 16},
         "微信商城标签4",
         "loding...",
         {829, 133, 72, 16}},
    };
    for (const Pair& pair : pairs) {
        QLabel* caption =
            form_transparent_label(this, QString::fromUtf8(pair.caption_name),
                                   QString::fromUtf8(pair.caption), pair.caption_place);
        form_transparent_label(this, QString::fromUtf8(pair.value_name),
                               QString::fromUtf8(pair.value), pair.value_place);
        if (caption->objectName() == QStringLiteral("透明标签4")) {
            support_label_ = caption;
            support_label_->installEventFilter(this);
        }
    }
    QStringList bars(9, QStringLiteral("|"));
    form_transparent_label(this, QStringLiteral("透明标签9"), bars.join(QStringLiteral("\n\n")),
                           {672, 87, 16, 64});

    stats_ = new ReportView(coupon_stats_columns(), this);
    stats_->setObjectName(QStringLiteral("超级列表框3"));
    stats_->setGeometry(12, 157, 912, 264);
    mall_refunds_ = new ReportView(mall_refund_columns(), this);
    mall_refunds_->setObjectName(QStringLiteral("退款列表框"));
    mall_refunds_->setGeometry(12, 227, 912, 194);
}

bool CouponStatsPage::eventFilter(QObject* watched, QEvent* event) {
    if (watched == support_label_ && event->type() == QEvent::MouseButtonPress &&
        static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton) {
        emit support_link_pressed();
    }
    return QWidget::eventFilter(watched, event);
}
