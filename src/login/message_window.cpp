#include "login/message_window.h"

#include <QFrame>
#include <QLabel>
#include <QMouseEvent>
#include <QPushButton>

namespace {

MessageWindow* open_window = nullptr;

}  // namespace

MessageWindow::MessageWindow() : QWidget(nullptr, Qt::Window | Qt::FramelessWindowHint) {
    setAttribute(Qt::WA_DeleteOnClose);
    setObjectName(QStringLiteral("MessageWindow"));
    setWindowTitle(QStringLiteral("系统提示 - 星河"));
    setFixedSize(375, 240);
    move(50, 50);

    auto* panel = new QFrame(this);
    panel->setObjectName(QStringLiteral("外形框_底面"));
    panel->setGeometry(0, 0, 376, 240);
    panel->setStyleSheet(
        QStringLiteral("#外形框_底面 { background: #ffffff; border: 1px solid #2d8cf0; }"));

    auto* title_bar = new QLabel(this);
    title_bar->setObjectName(QStringLiteral("图片框_标题栏"));
    title_bar->setGeometry(1, 1, 648, 30);
    title_bar->setStyleSheet(QStringLiteral("background: #2d8cf0;"));

    auto* title = new QLabel(QStringLiteral("信息提示"), title_bar);
    title->setObjectName(QStringLiteral("透明标签_标题"));
    title->setGeometry(10, 5, 168, 20);
    title->setStyleSheet(QStringLiteral("color: #ffffff; background: transparent;"));

    message_ = new QLabel(QStringLiteral("\n"), this);
    message_->setObjectName(QStringLiteral("标签2"));
    message_->setGeometry(26, 56, 318, 105);
    message_->setWordWrap(true);
    message_->setAlignment(Qt::AlignLeft | Qt::AlignTop);

    auto* button_frame = new QLabel(this);
    button_frame->setObjectName(QStringLiteral("图片框_1"));
    button_frame->setGeometry(242, 182, 90, 32);

    auto* ok = new QPushButton(QStringLiteral("确定"), button_frame);
    ok->setObjectName(QStringLiteral("按钮_是"));
    ok->setGeometry(2, 2, 86, 28);
    ok->setDefault(true);
    connect(ok, &QPushButton::clicked, this, &QWidget::close);
}

MessageWindow::~MessageWindow() {
    if (open_window == this) {
        open_window = nullptr;
    }
}

MessageWindow* MessageWindow::show_text(const QString& text) {
    if (!open_window) {
        open_window = new MessageWindow;
    }
    open_window->message_->setText(text);
    open_window->show();
    open_window->raise();
    open_window->activateWindow();
    return open_window;
}

MessageWindow* MessageWindow::current() {
    return open_window;
}

QString MessageWindow::text() const {
    return message_->text();
}

// The window draws its own title bar; dragging anywhere moves it.
void MessageWindow::mousePressEvent(QMouseEvent* event) {
    drag_offset_ = event->globalPosition().toPoint() - frameGeometry().topLeft();
}

void MessageWindow::mouseMoveEvent(QMouseEvent* event) {
    if (event->buttons() & Qt::LeftButton) {
        move(event->globalPosition().toPoint() - drag_offset_);
    }
}
