#include "login/login_window.h"

#include <gtest/gtest.h>
#include <stdlib.h>

#include <QApplication>
#include <QFocusEvent>
#include <QLineEdit>
#include <QPointer>
#include <QTest>

#include "bills/main_window.h"
#include "chrome/picture_button.h"
#include "core/credentials.h"
#include "core/session.h"
#include "core/settings_file.h"
#include "login/message_window.h"
#include "support/scripted_prompts.h"
#include "support/test_database.h"
#include "support/test_run_directory.h"
#include "support/test_shop.h"

namespace {

void focus(QWidget* box, bool in) {
    QFocusEvent event(in ? QEvent::FocusIn : QEvent::FocusOut, Qt::OtherFocusReason);
    QApplication::sendEvent(box, &event);
}

class LoginWindowTest : public testing::Test {
protected:
    void SetUp() override {
        clear_session();
        fixture_db_ = connect_payments_db();
        ASSERT_NE(fixture_db_, nullptr);
        shop_ = std::make_unique<TestShop>(fixture_db_.get(), "pass1234");
    }
    void TearDown() override {
        delete window_.data();
        if (MessageWindow* message = MessageWindow::current()) {
            delete message;
        }
        while (MainWindow* main = main_window()) {
            delete main;
        }
        db_close(session().payments_db);
        clear_session();
    }

    LoginWindow* open(bool show = true) {
        window_ = new LoginWindow;
        QObject::connect(window_, &LoginWindow::signed_in, [] { (new MainWindow)->show(); });
        if (show) {
            window_->show();
        }
        return window_;
    }
    QLineEdit* user() { return window_->findChild<QLineEdit*>("user"); }
    QLineEdit* passwd() { return window_->findChild<QLineEdit*>("passwd"); }
    PictureButton* button(const char* name) { return window_->findChild<PictureButton*>(name); }
    void type_and_sign_in(const QString& name, const QString& password) {
        focus(user(), true);
        user()->setText(name);
        focus(user(), false);
        focus(passwd(), true);
        passwd()->setText(password);
        QTest::keyClick(passwd(), Qt::Key_Return);
    }
    MainWindow* main_window() {
        for (QWidget* widget : QApplication::topLevelWidgets()) {
            if (auto* main = qobject_cast<MainWindow*>(widget)) {
                return main;
            }
        }
        return nullptr;
    }

    TestRunDirectory run_dir_;
    ScriptedPrompts prompts_;
    DbConnectionOwner fixture_db_;
    std::unique_ptr<TestShop> shop_;
    QPointer<LoginWindow> window_;
};

TEST_F(LoginWindowTest, has_its_controls_at_their_places) {
    open();
    EXPECT_EQ(window_->size(), QSize(960, 540));
    EXPECT_EQ(window_->pos(), QPoint(50, 50));
    EXPECT_TRUE(window_->windowFlags() & Qt::FramelessWindowHint);
    const struct {
        const char* name;
        QRect place;
    } controls[] = {
        {"图片框1", {0, 0, 960, 540}},      {"透明标签1", {24, 16, 176, 24}},
        {"图片框2", {370, 203, 220, 35}},   {"user", {20, 2, 180, 26}},
        {"图片框3", {370, 291, 220, 35}},   {"passwd", {20, 2, 180, 26}},
        {"图形按钮1", {366, 335, 120, 30}}, {"图形按钮2", {371, 371, 220, 40}},
        {"图形按钮3", {910, 5, 40, 40}},    {"版本号", {568, 440, 104, 32}},
        {"透明标签2", {416, 448, 160, 56}},
    };
    for (const auto& control : controls) {
        QWidget* widget = window_->findChild<QWidget*>(QString::fromUtf8(control.name));
        ASSERT_NE(widget, nullptr) << control.name;
        EXPECT_EQ(widget->geometry(), control.place) << control.name;
    }
}

TEST_F(LoginWindowTest, a_first_start_creates_conf_ini_and_remembers) {
    open();
    EXPECT_EQ(run_dir_.read("Conf.ini"), "[Conf]\r\nUID=\r\n");
    EXPECT_EQ(button("图形按钮1")->property("look").toString(), "on");
    // Unscrambling the missing stored texts gives empty text, not the placeholders.
    EXPECT_EQ(user()->text(), "");
    EXPECT_EQ(passwd()->text(), "");
    EXPECT_EQ(session().uid_flag, "");
}

TEST_F(LoginWindowTest, a_start_with_uid_1_keeps_the_placeholders) {
    run_dir_.write("Conf.ini",
                   "[Conf]\r\nUID=1\r\nuser=" + scramble("someone", kCredentialKey) + "\r\n");
    open(false);
    EXPECT_EQ(button("图形按钮1")->property("look").toString(), "off");
    EXPECT_EQ(user()->text(), "请输入账号");
    EXPECT_EQ(passwd()->text(), "请输入密码");
    EXPECT_EQ(passwd()->echoMode(), QLineEdit::Normal);
}

TEST_F(LoginWindowTest, placeholders_clear_on_focus_and_return_when_left_empty) {
    run_dir_.write("Conf.ini", "[Conf]\r\nUID=1\r\n");
    open();
    focus(user(), true);
    EXPECT_EQ(user()->text(), "");
    EXPECT_EQ(user()->styleSheet().contains("255, 255, 255"), true);
    focus(user(), false);
    EXPECT_EQ(user()->text(), "请输入账号");
    EXPECT_EQ(user()->styleSheet().contains("241, 245, 249"), true);

    focus(passwd(), true);
    EXPECT_EQ(passwd()->text(), "");
    EXPECT_EQ(passwd()->echoMode(), QLineEdit::Password);
    focus(passwd(), false);
    EXPECT_EQ(passwd()->text(), "请输入密码");
    EXPECT_EQ(passwd()->echoMode(), QLineEdit::Normal);

    focus(passwd(), true);
    passwd()->setText("abc");
    focus(passwd(), false);
    EXPECT_EQ(passwd()->text(), "abc");
    EXPECT_EQ(passwd()->echoMode(), QLineEdit::Password);
}

TEST_F(LoginWindowTest, a_password_typed_as_the_placeholder_is_cleared_and_stays_masked) {
    run_dir_.write("Conf.ini", "[Conf]\r\nUID=1\r\n");
    open();
    focus(passwd(), true);
    passwd()->setText("请输入密码");
    focus(passwd(), false);
    EXPECT_EQ(passwd()->text(), "");
    EXPECT_EQ(passwd()->echoMode(), QLineEdit::Password);
}

TEST_F(LoginWindowTest, the_toggle_clicked_twice_returns_to_its_first_state) {
    open();
    QTest::mouseClick(button("图形按钮1"), Qt::LeftButton);
    EXPECT_EQ(button("图形按钮1")->property("look").toString(), "off");
    EXPECT_EQ(read_setting(run_dir_.file("Conf.ini"), "Conf", "UID"), "1");
    QTest::mouseClick(button("图形按钮1"), Qt::LeftButton);
    EXPECT_EQ(button("图形按钮1")->property("look").toString(), "on");
    EXPECT_EQ(read_setting(run_dir_.file("Conf.ini"), "Conf", "UID"), "");
}

TEST_F(LoginWindowTest, signing_in_opens_the_main_window_and_remembers_the_credentials) {
    open();
    type_and_sign_in(QString::fromStdString(shop_->user), "pass1234");
    QApplication::processEvents();
    EXPECT_TRUE(window_.isNull()) << "the login window stays after a sign-in";
    MainWindow* main = main_window();
    ASSERT_NE(main, nullptr);
    EXPECT_TRUE(main->isVisible());
    EXPECT_EQ(session().shopid, shop_->shopid);
    EXPECT_EQ(session().shopname, "测试门店");
    EXPECT_EQ(MessageWindow::current(), nullptr);

    const std::string conf = run_dir_.file("Conf.ini");
    EXPECT_EQ(read_setting(conf, "Conf", "user"), scramble(shop_->user, kCredentialKey));
    EXPECT_EQ(read_setting(conf, "Conf", "Passwd"), scramble("pass1234", kCredentialKey));

    // The next start fills both boxes, the password masked.
    delete main;
    clear_session();
    open();
    EXPECT_EQ(user()->text().toStdString(), shop_->user);
    EXPECT_EQ(passwd()->text(), "pass1234");
    EXPECT_EQ(passwd()->echoMode(), QLineEdit::Password);
}

TEST_F(LoginWindowTest, with_remember_off_conf_ini_is_left_alone) {
    run_dir_.write("Conf.ini", "[Conf]\r\nUID=1\r\n");
    open();
    type_and_sign_in(QString::fromStdString(shop_->user), "pass1234");
    QApplication::processEvents();
    EXPECT_NE(main_window(), nullptr);
    EXPECT_EQ(run_dir_.read("Conf.ini"), "[Conf]\r\nUID=1\r\n");
}

TEST_F(LoginWindowTest, a_failed_sign_in_shows_its_message_and_keeps_the_boxes) {
    open();
    type_and_sign_in(QString::fromStdString(shop_->user), "wrong");
    ASSERT_NE(MessageWindow::current(), nullptr);
    EXPECT_EQ(MessageWindow::current()->text(), "用户名或密码错误");
    EXPECT_FALSE(window_.isNull());
    EXPECT_EQ(passwd()->text(), "wrong");

    // A second message reuses the open message window.
    MessageWindow* first = MessageWindow::current();
    focus(user(), true);
    user()->setText("");
    QTest::mouseClick(button("图形按钮2"), Qt::LeftButton);
    EXPECT_EQ(MessageWindow::current(), first);
    EXPECT_EQ(first->text(), "错误！请输入用户名");
}

TEST_F(LoginWindowTest, an_unreachable_server_is_reported_and_sign_in_tries_again) {
    const std::string port = getenv("XINGHE_DB_PORT");
    setenv("XINGHE_DB_PORT", "1", 1);
    open();
    setenv("XINGHE_DB_PORT", port.c_str(), 1);
    ASSERT_EQ(prompts_.messages.size(), 1u);
    EXPECT_EQ(prompts_.messages[0].text, "服务器连接异常！");
    EXPECT_EQ(prompts_.messages[0].caption, "错误");
    EXPECT_EQ(prompts_.messages[0].icon, QMessageBox::Warning);
    EXPECT_EQ(session().payments_db, nullptr);

    type_and_sign_in(QString::fromStdString(shop_->user), "pass1234");
    QApplication::processEvents();
    EXPECT_NE(session().payments_db, nullptr);
    EXPECT_NE(main_window(), nullptr);
}

TEST_F(LoginWindowTest, a_sign_in_while_the_server_stays_unreachable_says_so) {
    const std::string port = getenv("XINGHE_DB_PORT");
    setenv("XINGHE_DB_PORT", "1", 1);
    open();
    type_and_sign_in(QString::fromStdString(shop_->user), "pass1234");
    setenv("XINGHE_DB_PORT", port.c_str(), 1);
    ASSERT_NE(MessageWindow::current(), nullptr);
    EXPECT_EQ(MessageWindow::current()->text(), "服务器连接异常！");
}

}  // namespace
