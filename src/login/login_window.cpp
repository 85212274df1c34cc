#include "login/login_window.h"

#include <QEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>

#include "chrome/drop_shadow.h"
#include "chrome/picture_button.h"
#include "chrome/prompts.h"
#include "core/deploy_settings.h"
#include "core/program.h"
#include "core/session.h"
#include "login/login_artwork.h"
#include "login/message_window.h"
#include "login/remembered_credentials.h"
#include "login/sign_in.h"
#include "update/version_check.h"

namespace {

const QString kUserPlaceholder = QStringLiteral("请输入账号");
const QString kPasswdPlaceholder = QStringLiteral("请输入密码");

QString box_style(bool focused) {
    return focused ? QStringLiteral("QLineEdit { background: rgb(255, 255, 255); border: none; }")
                   : QStringLiteral("QLineEdit { background: rgb(241, 245, 249); border: none; }");
}

QLabel* transparent_label(const QString& name, const QString& text, QRect place, QWidget* parent) {
    auto* label = new QLabel(text, parent);
    label->setObjectName(name);
    label->setGeometry(place);
    label->setAttribute(Qt::WA_TransparentForMouseEvents);
    label->setStyleSheet(QStringLiteral("background: transparent; color: #ffffff;"));
    return label;
}

}  // namespace

LoginWindow::LoginWindow(QWidget* parent) : QWidget(parent, Qt::Window | Qt::FramelessWindowHint) {
    setObjectName(QStringLiteral("LoginWindow"));
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowTitle(QString());
    setFixedSize(960, 540);
    move(50, 50);
    build();
    start_up();
}

void LoginWindow::build() {
    const qreal ratio = devicePixelRatioF();

    auto* background = new QLabel(this);
    background->setObjectName(QStringLiteral("图片框1"));
    background->setGeometry(0, 0, 960, 540);
    background->setPixmap(login_background(ratio));

    auto* title = transparent_label(QStringLiteral("透明标签1"),
                                    QStringLiteral("星河 - 财务端登录"), {24, 16, 176, 24}, this);
    QFont title_font = title->font();
    title_font.setPixelSize(16);
    title->setFont(title_font);

    user_frame_ = new QLabel(this);
    user_frame_->setObjectName(QStringLiteral("图片框2"));
    user_frame_->setGeometry(370, 203, 220, 35);
    user_frame_->setPixmap(field_frame(false, ratio));
    user_ = new QLineEdit(kUserPlaceholder, user_frame_);
    user_->setObjectName(QStringLiteral("user"));
    user_->setGeometry(20, 2, 180, 26);
    user_->setStyleSheet(box_style(false));
    user_->installEventFilter(this);

    passwd_frame_ = new QLabel(this);
    passwd_frame_->setObjectName(QStringLiteral("图片框3"));
    passwd_frame_->setGeometry(370, 291, 220, 35);
    passwd_frame_->setPixmap(field_frame(false, ratio));
    passwd_ = new QLineEdit(kPasswdPlaceholder, passwd_frame_);
    passwd_->setObjectName(QStringLiteral("passwd"));
    passwd_->setGeometry(20, 2, 180, 26);
    passwd_->setStyleSheet(box_style(false));
    passwd_->installEventFilter(this);
    connect(passwd_, &QLineEdit::returnPressed, this, &LoginWindow::try_sign_in);

    remember_ = new PictureButton(this);
    remember_->setObjectName(QStringLiteral("图形按钮1"));
    remember_->setGeometry(366, 335, 120, 30);
    connect(remember_, &PictureButton::clicked, this, &LoginWindow::toggle_remember_clicked);

    auto* sign_in_button = new PictureButton(this);
    sign_in_button->setObjectName(QStringLiteral("图形按钮2"));
    sign_in_button->setGeometry(371, 371, 220, 40);
    sign_in_button->set_pictures(sign_in_bar(false, ratio), sign_in_bar(true, ratio));
    connect(sign_in_button, &PictureButton::clicked, this, &LoginWindow::try_sign_in);

    auto* close_button = new PictureButton(this);
    close_button->setObjectName(QStringLiteral("图形按钮3"));
    close_button->setGeometry(910, 5, 40, 40);
    close_button->set_pictures(close_glyph(false, ratio), close_glyph(true, ratio));
    connect(close_button, &PictureButton::clicked, this, [] { end_program(); });

    transparent_label(QStringLiteral("版本号"), QStringLiteral("2.0.4"), {568, 440, 104, 32}, this);
    transparent_label(QStringLiteral("透明标签2"),
                      QStringLiteral("程序版本号：V2.0.4\n\nSSL加密通道通讯正常！"),
                      {416, 448, 160, 56}, this);
}

void LoginWindow::start_up() {
    attach_shadow(this);

    RememberedCredentials remembered = load_remembered_credentials(session());
    show_remember_look(remembered.remember);
    if (remembered.remember) {
        user_->setText(QString::fromStdString(remembered.user));
        passwd_->setText(QString::fromStdString(remembered.password));
        passwd_->setEchoMode(QLineEdit::Password);
    }

    if (!connect_payments_db(session(), load_deploy_settings())) {
        prompts().message(this, QStringLiteral("服务器连接异常！"), QStringLiteral("错误"),
                          QMessageBox::Warning);
    }

    run_version_check();

    user_->setFocus();
}

void LoginWindow::show_remember_look(bool on) {
    remembering_ = on;
    const qreal ratio = devicePixelRatioF();
    // The normal picture shows the state, the hover picture the other one.
    remember_->set_pictures(remember_picture(on, ratio), remember_picture(!on, ratio));
    remember_->setProperty("look", on ? QStringLiteral("on") : QStringLiteral("off"));
}

void LoginWindow::toggle_remember_clicked() {
    show_remember_look(toggle_remember(session()));
}

void LoginWindow::try_sign_in() {
    const std::string user = user_->text().toStdString();
    const std::string password = passwd_->text().toStdString();
    SignInOutcome outcome = sign_in(session(), load_deploy_settings(), user, password);
    if (outcome != SignInOutcome::Success) {
        MessageWindow::show_text(QString::fromStdString(sign_in_message(outcome)));
        return;
    }
    if (remembering_) {
        remember_credentials(user, password);
    }
    emit signed_in();
    close();
}

void LoginWindow::user_focus_changed(bool focused) {
    user_frame_->setPixmap(field_frame(focused, devicePixelRatioF()));
    user_->setStyleSheet(box_style(focused));
    if (focused && user_->text() == kUserPlaceholder) {
        user_->clear();
    } else if (!focused && user_->text().isEmpty()) {
        user_->setText(kUserPlaceholder);
    }
}

void LoginWindow::passwd_focus_changed(bool focused) {
    passwd_frame_->setPixmap(field_frame(focused, devicePixelRatioF()));
    passwd_->setStyleSheet(box_style(focused));
    if (focused) {
        passwd_->setEchoMode(QLineEdit::Password);
        if (passwd_->text() == kPasswdPlaceholder) {
            passwd_->clear();
        }
        return;
    }
    if (passwd_->text() == kPasswdPlaceholder) {
        // Typed as the placeholder reads: cleared, and it stays masked.
        passwd_->clear();
    } else if (passwd_->text().isEmpty()) {
        passwd_->setText(kPasswdPlaceholder);
        passwd_->setEchoMode(QLineEdit::Normal);
    } else {
        passwd_->setEchoMode(QLineEdit::Password);
    }
}

bool LoginWindow::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::FocusIn || event->type() == QEvent::FocusOut) {
        const bool focused = event->type() == QEvent::FocusIn;
        if (watched == user_) {
            user_focus_changed(focused);
        } else if (watched == passwd_) {
            passwd_focus_changed(focused);
        }
    }
    return QWidget::eventFilter(watched, event);
}

// No system frame: dragging the background moves the window.
void LoginWindow::mousePressEvent(QMouseEvent* event) {
    drag_offset_ = event->globalPosition().toPoint() - frameGeometry().topLeft();
}

void LoginWindow::mouseMoveEvent(QMouseEvent* event) {
    if (event->buttons() & Qt::LeftButton) {
        move(event->globalPosition().toPoint() - drag_offset_);
    }
}
