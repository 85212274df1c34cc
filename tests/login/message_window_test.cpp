#include "login/message_window.h"

#include <gtest/gtest.h>

#include <QLabel>
#include <QPushButton>
#include <QTest>

namespace {

TEST(MessageWindowTest, shows_the_text_and_closes_with_its_button) {
    MessageWindow* window = MessageWindow::show_text("用户名或密码错误");
    ASSERT_NE(window, nullptr);
    EXPECT_EQ(window->windowTitle(), "系统提示 - 星河");
    EXPECT_EQ(window->size(), QSize(375, 240));
    EXPECT_EQ(window->findChild<QLabel*>("透明标签_标题")->text(), "信息提示");
    EXPECT_EQ(window->findChild<QLabel*>("标签2")->geometry(), QRect(26, 56, 318, 105));
    EXPECT_EQ(window->text(), "用户名或密码错误");
    EXPECT_EQ(MessageWindow::show_text("错误！请输入密码"), window);
    EXPECT_EQ(window->text(), "错误！请输入密码");

    QPushButton* ok = window->findChild<QPushButton*>("按钮_是");
    ASSERT_NE(ok, nullptr);
    EXPECT_EQ(ok->text(), "确定");
    QTest::mouseClick(ok, Qt::LeftButton);
    QTest::qWait(0);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_EQ(MessageWindow::current(), nullptr);
}

}  // namespace
