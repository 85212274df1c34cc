#include <QAbstractItemView>
#include <QCalendarWidget>
#include <QPushButton>
#include <QTimer>

#include "picker_host.h"
#include "timeentry/time_box.h"

namespace {

class DatePickerWindowTest : public PickerHost {
protected:
    DatePickerWindow* open_at(int caret) {
        box_->setCursorPosition(caret);
        open_time_picker(box_);
        return DatePickerWindow::current();
    }

    static QCalendarWidget* calendar(DatePickerWindow* picker) {
        return picker->findChild<QCalendarWidget*>(QStringLiteral("月历"));
    }

    // Clicks the day of the shown month as a user would, on the calendar's days.
    static void click_day(DatePickerWindow* picker, int day) {
        QAbstractItemView* days =
            calendar(picker)->findChild<QAbstractItemView*>(QString(), Qt::FindDirectChildrenOnly);
        ASSERT_NE(days, nullptr);
        QAbstractItemModel* model = days->model();
        for (int row = 0; row < model->rowCount(); ++row) {
            for (int column = 0; column < model->columnCount(); ++column) {
                const QModelIndex cell = model->index(row, column);
                if (model->data(cell).toString() == QString::number(day)) {
                    QTest::mouseClick(days->viewport(), Qt::LeftButton, {},
                                      days->visualRect(cell).center());
                    return;
                }
            }
        }
        FAIL() << "no day " << day << " shown";
    }

    static void click_button(DatePickerWindow* picker, const char* name) {
        QTest::mouseClick(picker->findChild<QPushButton*>(name), Qt::LeftButton);
    }

    static bool closed() {
        flush();
        return DatePickerWindow::current() == nullptr;
    }

    // The commit timer fires 50 ms after a click: waits for the picker to go.
    static bool closes_soon() {
        return QTest::qWaitFor([] { return closed(); });
    }

    // Gives the commit timer time to fire, for what must not be committed.
    static void let_commit_timer_fire() { QTest::qWait(200); }
};

TEST_F(DatePickerWindowTest, opens_right_under_the_box_for_a_caret_in_the_date) {
    for (int caret : {0, 10}) {
        DatePickerWindow* picker = open_at(caret);
        ASSERT_NE(picker, nullptr) << caret;
        EXPECT_EQ(TimePickerWindow::current(), nullptr);
        EXPECT_TRUE(picker->isVisible());
        EXPECT_EQ(picker->pos(), under_box());
        EXPECT_EQ(picker->size(), QSize(281, 163));
        EXPECT_TRUE(picker->windowTitle().isEmpty());
        EXPECT_EQ(picker->target(), box_);
        EXPECT_TRUE(box_->isEnabled());
        EXPECT_EQ(calendar(picker)->selectedDate(), QDate(2025, 12, 9));
        EXPECT_EQ(calendar(picker)->yearShown(), 2025);
        EXPECT_EQ(calendar(picker)->monthShown(), 12);
        picker->close();
        flush();
    }
}

TEST_F(DatePickerWindowTest, keeps_the_controls_of_its_form) {
    DatePickerWindow* picker = open_at(10);
    EXPECT_EQ(calendar(picker)->geometry(), QRect(0, 0, 280, 168));
    struct Control {
        const char* name;
        QRect place;
    };
    const Control buttons[] = {
        {"左年按钮", {51, 0, 22, 16}},
        {"右年按钮", {203, 0, 22, 16}},
        {"左年按钮1", {51, 17, 22, 16}},
        {"右年按钮1", {203, 17, 22, 16}},
    };
    for (const Control& c : buttons) {
        QPushButton* button = picker->findChild<QPushButton*>(c.name);
        ASSERT_NE(button, nullptr) << c.name;
        EXPECT_EQ(button->geometry(), c.place) << c.name;
        EXPECT_TRUE(button->isVisible()) << c.name;
    }
    // The buttons lie over the calendar's title, not over its days.
    QAbstractItemView* days =
        calendar(picker)->findChild<QAbstractItemView*>(QString(), Qt::FindDirectChildrenOnly);
    EXPECT_GE(days->geometry().top(), 34);
    EXPECT_NE(picker->findChild<QTimer*>("左键时钟"), nullptr);
    EXPECT_NE(picker->findChild<QTimer*>("时钟1"), nullptr);
}

TEST_F(DatePickerWindowTest, a_click_on_a_day_writes_that_date_with_the_box_time_and_closes) {
    DatePickerWindow* picker = open_at(10);
    click_day(picker, 15);
    EXPECT_TRUE(closes_soon());
    EXPECT_EQ(box_->text(), "2025-12-15 18:20:12");
}

TEST_F(DatePickerWindowTest, a_click_on_the_selected_day_commits_it) {
    DatePickerWindow* picker = open_at(10);
    click_day(picker, 9);
    EXPECT_TRUE(closes_soon());
    EXPECT_EQ(box_->text(), "2025-12-09 18:20:12");
}

TEST_F(DatePickerWindowTest, a_box_text_that_is_no_time_gives_the_first_calendar_date) {
    box_->setText(QStringLiteral("abc"));
    DatePickerWindow* picker = open_at(0);
    EXPECT_EQ(calendar(picker)->selectedDate(), QDate(1000, 1, 1));
    click_day(picker, 15);
    EXPECT_TRUE(closes_soon());
    EXPECT_EQ(box_->text(), "1000-01-15 00:00:00");
}

TEST_F(DatePickerWindowTest, year_and_month_buttons_move_the_calendar_without_commit) {
    struct Case {
        const char* button;
        QString box_text;
        QDate shown;
    };
    const Case cases[] = {
        {"右年按钮", "2025-12-09 18:20:12", {2026, 12, 9}},
        {"左年按钮", "2025-12-09 18:20:12", {2024, 12, 9}},
        {"右年按钮1", "2025-01-31 18:20:12", {2025, 2, 28}},
        {"左年按钮1", "2025-01-09 18:20:12", {2024, 12, 9}},
        {"右年按钮", "2024-02-29 18:20:12", {2025, 2, 28}},
    };
    for (const Case& c : cases) {
        box_->setText(c.box_text);
        DatePickerWindow* picker = open_at(10);
        ASSERT_NE(picker, nullptr);
        click_button(picker, c.button);
        EXPECT_EQ(calendar(picker)->selectedDate(), c.shown) << c.button;
        EXPECT_EQ(calendar(picker)->yearShown(), c.shown.year()) << c.button;
        EXPECT_EQ(calendar(picker)->monthShown(), c.shown.month()) << c.button;
        let_commit_timer_fire();
        EXPECT_FALSE(closed()) << c.button;
        EXPECT_EQ(box_->text(), c.box_text) << c.button;
        picker->close();
        flush();
    }
}

TEST_F(DatePickerWindowTest, a_day_clicked_after_a_year_step_is_written) {
    DatePickerWindow* picker = open_at(10);
    click_button(picker, "右年按钮");
    click_day(picker, 15);
    EXPECT_TRUE(closes_soon());
    EXPECT_EQ(box_->text(), "2026-12-15 18:20:12");
}

TEST_F(DatePickerWindowTest, keyboard_moves_in_the_calendar_do_not_commit) {
    DatePickerWindow* picker = open_at(10);
    QAbstractItemView* days =
        calendar(picker)->findChild<QAbstractItemView*>(QString(), Qt::FindDirectChildrenOnly);
    QTest::keyClick(days, Qt::Key_Right);
    EXPECT_EQ(calendar(picker)->selectedDate(), QDate(2025, 12, 10));
    let_commit_timer_fire();
    EXPECT_FALSE(closed());
    EXPECT_EQ(box_->text(), "2025-12-09 18:20:12");
}

TEST_F(DatePickerWindowTest, another_active_window_closes_it_without_change) {
    DatePickerWindow* picker = open_at(10);
    ASSERT_TRUE(QTest::qWaitForWindowActive(picker));
    host_.activateWindow();
    EXPECT_TRUE(closes_soon());
    EXPECT_EQ(box_->text(), "2025-12-09 18:20:12");
}

TEST_F(DatePickerWindowTest, deleting_the_box_closes_it) {
    open_at(10);
    delete box_;
    box_ = nullptr;
    EXPECT_TRUE(closes_soon());
}

TEST_F(DatePickerWindowTest, a_second_opening_reuses_the_window_for_the_new_box) {
    DatePickerWindow* picker = open_at(10);
    auto* other = new QLineEdit(&host_);
    other->setGeometry(98, 100, 186, 32);
    other->setText(QStringLiteral("2024-03-05 07:08:09"));
    other->setCursorPosition(3);
    open_time_picker(other);
    EXPECT_EQ(DatePickerWindow::current(), picker);
    EXPECT_EQ(picker->target(), other);
    EXPECT_EQ(picker->pos(), other->mapToGlobal(QPoint(0, other->height())));
    EXPECT_EQ(calendar(picker)->selectedDate(), QDate(2024, 3, 5));
    click_day(picker, 20);
    EXPECT_TRUE(closes_soon());
    EXPECT_EQ(other->text(), "2024-03-20 07:08:09");
    EXPECT_EQ(box_->text(), "2025-12-09 18:20:12");
}

}  // namespace
