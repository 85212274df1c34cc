#include "staff/staff_page.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include "bills/refund_password_window.h"
#include "chrome/form_controls.h"
#include "chrome/prompts.h"
#include "core/session.h"
#include "staff/staff_accounts.h"

StaffPage::StaffPage(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("员工管理"));
    form_label(this, QStringLiteral("标签5"), QStringLiteral("员工编号："), {337, 76, 80, 24});
    workid_ = form_edit(this, QStringLiteral("编辑框1"), {405, 76, 176, 24});
    form_label(this, QStringLiteral("标签4"), QStringLiteral("员工姓名："), {337, 126, 80, 24});
    name_ = form_edit(this, QStringLiteral("编辑框2"), {405, 126, 176, 24});
    form_label(this, QStringLiteral("标签3"), QStringLiteral("登录密码："), {337, 176, 80, 24});
    password_ = form_edit(this, QStringLiteral("编辑框3"), {405, 176, 176, 24});
    connect(
        form_button(this, QStringLiteral("按钮3"), QStringLiteral("重置密码"), {320, 214, 80, 32}),
        &QPushButton::clicked, this, &StaffPage::reset_password);
    connect(form_button(this, QStringLiteral("按钮2"), QStringLiteral("删除"), {416, 214, 80, 32}),
            &QPushButton::clicked, this, &StaffPage::delete_member);
    connect(form_button(this, QStringLiteral("按钮4"), QStringLiteral("新增"), {512, 214, 80, 32}),
            &QPushButton::clicked, this, &StaffPage::add_member);
    form_transparent_label(this, QStringLiteral("透明标签5"), QString(136, QLatin1Char('-')),
                           {72, 288, 816, 24});
    form_transparent_label(this, QStringLiteral("透明标签6"), QStringLiteral("随机生成退款密码"),
                           {320, 341, 216, 24});
    connect(form_button(this, QStringLiteral("按钮5"), QStringLiteral("生成"), {512, 337, 80, 32}),
            &QPushButton::clicked, this, &StaffPage::open_refund_password);
}

namespace {

QString text_of(std::string_view text) {
    return QString::fromUtf8(text.data(), static_cast<int>(text.size()));
}

}  // namespace

void StaffPage::add_member() {
    const std::string workid = workid_->text().toStdString();
    switch (add_staff_member(session(), workid, name_->text().toStdString(),
                             password_->text().toStdString())) {
        case AddStaffOutcome::duplicate:
            show_message(this, text_of(kDuplicateWorkidMessage));
            break;
        case AddStaffOutcome::added:
            show_message(this, QString::fromStdString(staff_added_message(
                                   workid_->text().toStdString(), name_->text().toStdString(),
                                   password_->text().toStdString())));
            workid_->clear();
            name_->clear();
            password_->clear();
            emit staff_changed();
            break;
        case AddStaffOutcome::failed:
            show_message(this, QStringLiteral("新增失败：数据库未接受此员工，请稍后再试。"));
            break;
    }
}

void StaffPage::delete_member() {
    const std::string workid = workid_->text().toStdString();
    if (!prompts().ask_yes_no(this, QString::fromStdString(delete_staff_question(workid)),
                              QStringLiteral("信息："))) {
        return;
    }
    switch (delete_staff_member(session(), workid)) {
        case StaffChangeOutcome::done:
            show_message(this, text_of(kStaffDeletedMessage));
            workid_->clear();
            emit staff_changed();
            break;
        case StaffChangeOutcome::no_such_member:
            show_message(this, QString::fromStdString(no_such_staff_message(workid)));
            break;
        case StaffChangeOutcome::failed:
            show_message(this, QStringLiteral("删除失败：数据库未接受此操作，请稍后再试。"));
            break;
    }
}

void StaffPage::reset_password() {
    const std::string workid = workid_->text().toStdString();
    switch (reset_staff_password(session(), workid)) {
        case StaffChangeOutcome::done:
            show_message(this, QString::fromStdString(password_reset_message(workid)));
            workid_->clear();
            break;
        case StaffChangeOutcome::no_such_member:
            show_message(this, QString::fromStdString(no_such_staff_message(workid)));
            break;
        case StaffChangeOutcome::failed:
            show_message(this, QStringLiteral("重置失败：数据库未接受此操作，请稍后再试。"));
            break;
    }
}

void StaffPage::open_refund_password() {
    RefundPasswordWindow window(this);
    window.exec();
}
