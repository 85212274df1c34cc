#include "bills/fee_rate_window.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include "bills/fee_rates.h"
#include "chrome/form_controls.h"
#include "chrome/prompts.h"
#include "core/session.h"

FeeRateWindow::FeeRateWindow(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("FeeRateWindow"));
    setWindowTitle(QString());
    setFixedSize(295, 242);
    move(50, 50);
    form_transparent_label(this, QStringLiteral("透明标签34"), QStringLiteral("自定义手续费："),
                           {8, 62, 86, 16});
    form_transparent_label(this, QStringLiteral("透明标签35"), QStringLiteral("支付宝："),
                           {126, 59, 40, 24});
    zhifubao_ = form_edit(this, QStringLiteral("支付宝费率框"), {176, 60, 41, 22});
    form_transparent_label(this, QStringLiteral("透明标签36"), QStringLiteral("%"),
                           {222, 59, 16, 24});
    form_transparent_label(this, QStringLiteral("透明标签37"), QStringLiteral("微信："),
                           {142, 94, 40, 24});
    weixin_ = form_edit(this, QStringLiteral("微信费率框"), {177, 95, 41, 22});
    form_transparent_label(this, QStringLiteral("透明标签38"), QStringLiteral("%"),
                           {223, 94, 16, 24});
    QPushButton* confirm =
        form_button(this, QStringLiteral("按钮1"), QStringLiteral("确认设置"), {176, 160, 80, 32});
    confirm->setAutoDefault(false);
    connect(confirm, &QPushButton::clicked, this, &FeeRateWindow::save);

    FeeRateTexts texts;
    if (read_fee_rate_texts(texts)) {
        zhifubao_->setText(QString::fromStdString(texts.zhifubao));
        weixin_->setText(QString::fromStdString(texts.weixin));
    }
}

void FeeRateWindow::save() {
    FeeRateTexts texts{zhifubao_->text().toStdString(), weixin_->text().toStdString()};
    if (!save_fee_rates(session(), texts)) {
        // The rates are in force, but the next start would read the old ones:
        // say so instead of reporting success.
        show_message(this, QStringLiteral("新费率本次运行有效，但无法保存到 sxf.ini，"
                                          "程序关闭后将恢复原费率。"));
        return;
    }
    show_message(this, QStringLiteral("设置成功"));
    accept();
}
