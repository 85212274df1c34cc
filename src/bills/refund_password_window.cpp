#include "bills/refund_password_window.h"

#include <QFile>
#include <QLabel>
#include <QPushButton>

#include "bills/refund_password.h"
#include "chrome/form_controls.h"
#include "chrome/prompts.h"
#include "core/session.h"
#include "db/database.h"
#include "export/export_file_name.h"
#include "core/replacing_file.h"
#include "export/save_dialog.h"

RefundPasswordWindow::RefundPasswordWindow(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("RefundPasswordWindow"));
    setWindowTitle(QString());
    setFixedSize(425, 210);
    move(50, 50);
    form_transparent_label(this, QStringLiteral("透明标签1"),
                           QStringLiteral("退款密码非常重要，泄露有风险！"), {112, 28, 192, 24});
    QLabel* advice = form_transparent_label(
        this, QStringLiteral("透明标签2"),
        QStringLiteral("出于安全考虑，程序不保存密码，请点击获取密码后妥善保管！\n\n"
                       "如若遗忘，可再次点击获取密码。"),
        {24, 72, 368, 48});
    advice->setWordWrap(true);
    QPushButton* get =
        form_button(this, QStringLiteral("按钮1"), QStringLiteral("获取密码"), {304, 128, 80, 32});
    get->setAutoDefault(false);
    connect(get, &QPushButton::clicked, this, &RefundPasswordWindow::generate);
}

// The file comes first and the database last, so that the password that is
// in force is always one the user holds: a cancelled dialog or an unwritable
// file changes nothing, and a refused update takes the file back.
void RefundPasswordWindow::generate() {
    const QString chosen =
        ask_save_path(this, QStringLiteral("选择保存目录"), QStringLiteral("退款密码(*.txt)"));
    if (chosen.isEmpty()) {
        return;
    }
    const std::string path = txt_file_name(chosen.toStdString());
    const std::string password = draw_refund_password();
    if (password.empty()) {
        show_message(this, QStringLiteral("发生错误，请再试一次"));
        return;
    }
    // A file already there may hold the password still in force: keep its
    // bytes to put back should the database refuse the new one.
    QFile previous(QString::fromStdString(path));
    const bool had_previous = previous.open(QIODevice::ReadOnly);
    const QByteArray previous_bytes = had_previous ? previous.readAll() : QByteArray();
    previous.close();
    if (!write_refund_password_file(path, password)) {
        show_message(
            this,
            QStringLiteral("文件无法写入：%1\n退款密码未更改。").arg(QString::fromStdString(path)));
        return;
    }
    DbConnection* db = session().payments_db;
    if (!db_execute(db, refund_password_statement(db, password, session().shopid))) {
        if (had_previous) {
            replace_file_contents(path, previous_bytes.toStdString(), 0600);
        } else {
            QFile::remove(QString::fromStdString(path));
        }
        show_message(this, QStringLiteral("发生错误，请再试一次"));
        return;
    }
    show_message(this, QStringLiteral("写出成功！"));
    accept();
}
