#include "bills/main_window.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>
#include <QTest>
#include <QTimer>
#include <ctime>

#include "chrome/picture_button.h"
#include "core/program.h"
#include "core/session.h"
#include "core/task_pool.h"
#include "mall/order_lookup_window.h"
#include "support/signed_in_window.h"
#include "support/test_database.h"
#include "timeentry/time_text.h"

namespace {

// Seconds between the box's time and now; a loaded machine may take a few
// between opening the window and reading its boxes.
long seconds_from_now(const QLineEdit* box) {
    const long box_seconds = std::stol(box_text_seconds(box->text().toStdString()));
    std::time_t now = std::time(nullptr);
    std::tm parts{};
    localtime_r(&now, &parts);
    const DateTime local{parts.tm_year + 1900, parts.tm_mon + 1, parts.tm_mday,
                         parts.tm_hour,        parts.tm_min,     parts.tm_sec};
    return std::labs(std::stol(unix_seconds_text(local)) - box_seconds);
}

using MainWindowTest = SignedInTest;

TEST_F(MainWindowTest, opens_on_the_bills_page_in_its_first_state) {
    MainWindow* window = main_window();
    EXPECT_EQ(window->windowTitle(), "星河 - 财务端");
    EXPECT_EQ(window->size(), QSize(934, 522));
    EXPECT_EQ(window->pos(), QPoint(50, 50));
    EXPECT_EQ(window->current_page(), 0);
    EXPECT_EQ(control<QTabWidget>("选择夹2")->currentIndex(), 0);
    EXPECT_FALSE(control<QPushButton>("券码导出")->isEnabled());
    EXPECT_TRUE(control<QPushButton>("按钮1")->isEnabled());
    for (const char* radio : {"单选框1", "单选框2", "单选框3", "单选框4", "单选框5", "单选框6"}) {
        EXPECT_FALSE(control<QRadioButton>(radio)->isChecked()) << radio;
    }
    EXPECT_LE(seconds_from_now(control<QLineEdit>("开始时间框")), 10);
    EXPECT_LE(seconds_from_now(control<QLineEdit>("结束时间框")), 10);
    EXPECT_EQ(control<QLabel>("标签2")->text(), "...");
    EXPECT_EQ(control<QComboBox>("组合框1")->currentText(), "全部员工");
    EXPECT_EQ(control<PictureButton>("图形按钮1")->property("look").toString(), "selected");
    EXPECT_EQ(task_pool().state(), TaskPool::kRunning);
    EXPECT_EQ(window->print_menu()->title(), "打印菜单");
    EXPECT_EQ(window->refund_menu()->title(), "退款菜单");
}

TEST_F(MainWindowTest, places_the_page_controls_of_its_forms) {
    main_window();
    const struct {
        const char* name;
        QRect place;
    } controls[] = {
        {"图片框1", {0, 0, 936, 80}},         {"图形按钮4", {713, 8, 64, 64}},
        {"透明标签7", {837, 9, 40, 16}},      {"图形按钮6", {907, 8, 18, 18}},
        {"选择夹1", {2, 75, 960, 444}},       {"开始时间框", {98, 22, 186, 32}},
        {"结束时间框", {460, 22, 186, 32}},   {"按钮19", {702, 21, 82, 29}},
        {"单选框6", {210, 66, 64, 24}},       {"组合框1", {512, 67, 136, 20}},
        {"标签2", {77, 92, 162, 24}},         {"选择夹2", {8, 133, 920, 288}},
        {"编辑框1", {405, 76, 176, 24}},      {"按钮4", {512, 214, 80, 32}},
        {"按钮5", {512, 337, 80, 32}},        {"卡券结束框", {566, 48, 186, 32}},
        {"超级列表框2", {24, 163, 888, 250}}, {"券码导出", {814, 40, 96, 32}},
        {"超级列表框3", {12, 157, 912, 264}}, {"退款列表框", {12, 227, 912, 194}},
    };
    for (const auto& c : controls) {
        QWidget* widget = find_control<QWidget>(c.name);
        ASSERT_NE(widget, nullptr) << c.name;
        EXPECT_EQ(widget->geometry(), c.place) << c.name;
    }
    EXPECT_EQ(find_control<QWidget>("超级列表框1")->size(), QSize(911, 266));
}

TEST_F(MainWindowTest, each_tile_shows_its_page_and_tile_4_resets_its_boxes) {
    MainWindow* window = main_window();
    control<QLineEdit>("开始时间框2")->setText("2001-01-01 00:00:00");
    control<QLineEdit>("开始时间框")->setText("2002-02-02 02:02:02");
    for (int tile : {2, 3, 1, 4}) {
        auto* button = control<PictureButton>(QString("图形按钮%1").arg(tile).toUtf8().constData());
        QTest::mouseClick(button, Qt::LeftButton);
        EXPECT_EQ(window->current_page(), tile - 1);
        for (int other = 1; other <= 4; ++other) {
            auto* picture =
                control<PictureButton>(QString("图形按钮%1").arg(other).toUtf8().constData());
            EXPECT_EQ(picture->property("look").toString(), other == tile ? "selected" : "normal");
        }
    }
    EXPECT_LE(seconds_from_now(control<QLineEdit>("开始时间框2")), 10);
    EXPECT_LE(seconds_from_now(control<QLineEdit>("结束时间框2")), 10);
    // The bill boxes keep their texts.
    EXPECT_EQ(control<QLineEdit>("开始时间框")->text(), "2002-02-02 02:02:02");
}

TEST_F(MainWindowTest, reads_the_fee_rates_of_sxf_ini) {
    run_dir_.write("sxf.ini", "[sxf]\r\nzhifubao=0.6\r\nweixin=0.38\r\n");
    main_window();
    EXPECT_FLOAT_EQ(session().fee_rate_zhifubao, 0.006f);
    EXPECT_FLOAT_EQ(session().fee_rate_weixin, 0.0038f);
}

TEST_F(MainWindowTest, fills_the_staff_choice_with_the_shops_members) {
    run_sql(db(), "INSERT INTO qtx_shop_sub_member (workid, name, shopid) VALUES ('" +
                      unique_id("w") + "', '张三', '" + shop_->shopid + "')");
    auto* choice = control<QComboBox>("组合框1");
    ASSERT_EQ(choice->count(), 2);
    EXPECT_EQ(choice->itemText(0), "全部员工");
    EXPECT_TRUE(choice->itemText(1).startsWith("张三 w"));
    EXPECT_EQ(choice->currentIndex(), 0);
}

TEST_F(MainWindowTest, ctrl_1_opens_the_order_lookup_window) {
    MainWindow* window = main_window();
    window->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(window));
    bool opened = false;
    QTimer::singleShot(0, [&] {
        if (auto* lookup = qobject_cast<OrderLookupWindow*>(QApplication::activeModalWidget())) {
            opened = true;
            lookup->reject();
        }
    });
    QTest::keyClick(window, Qt::Key_1, Qt::ControlModifier);
    EXPECT_TRUE(opened);
}

TEST_F(MainWindowTest, closing_it_closes_paymentsdb) {
    main_window();
    ASSERT_NE(session().payments_db, nullptr);
    delete window_;
    window_ = nullptr;
    EXPECT_EQ(session().payments_db, nullptr);
}

}  // namespace
