#include "mall/order_lookup_window.h"

#include <QLabel>
#include <QPushButton>

#include "chrome/form_controls.h"

OrderLookupWindow::OrderLookupWindow(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("OrderLookupWindow"));
    setWindowTitle(QString());
    setFixedSize(803, 431);
    QLabel* note =
        form_label(this, QStringLiteral("透明标签1"),
                   QStringLiteral("商城订单查询暂未开放，敬请期待。"), {40, 180, 720, 32});
    note->setAlignment(Qt::AlignCenter);
    QPushButton* close_button =
        form_button(this, QStringLiteral("按钮1"), QStringLiteral("关闭"), {361, 300, 80, 32});
    connect(close_button, &QPushButton::clicked, this, &QDialog::reject);
}
