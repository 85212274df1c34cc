#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTableWidget>

#include "picker_host.h"
#include "timeentry/time_box.h"

namespace {

class TimePickerWindowTest : public PickerHost {
protected:
    TimePickerWindow* open_at(int caret) {
        box_->setCursorPosition(caret);
        open_time_picker(box_);
        return TimePickerWindow::current();
    }

    QTableWidget* grid(TimePickerWindow* picker) {
        return picker->findChild<QTableWidget*>(QStringLiteral("时间高级表格"));
    }

    QStringList cells(TimePickerWindow* picker) {
        QStringList texts;
        QTableWidget* table = grid(picker);
        for (int row = 0; row < table->rowCount(); ++row) {
            for (int column = 0; column < table->columnCount(); ++column) {
                texts << table->item(row, column)->text();
            }
        }
        return texts;
    }

    QString caption(TimePickerWindow* picker) {
        return picker->findChild<QLabel*>(QStringLiteral("透明标签1"))->text();
    }

    void click_cell(TimePickerWindow* picker, int row, int column) {
        QTableWidget* table = grid(picker);
        QTest::mouseClick(table->viewport(), Qt::LeftButton, {},
                          table->visualItemRect(table->item(row, column)).center());
    }

    // Whether the picker closed (and went away) after the last action.
    bool closed() {
        flush();
        return TimePickerWindow::current() == nullptr;
    }
};

QStringList two_digit_values(int count) {
    QStringList values;
    for (int i = 0; i < 60; ++i) {
        values << (i < count ? QStringLiteral("%1").arg(i, 2, 10, QLatin1Char('0')) : QString());
    }
    return values;
}

TEST_F(TimePickerWindowTest, opens_right_under_the_box_for_a_caret_in_the_time) {
    TimePickerWindow* picker = open_at(11);
    ASSERT_NE(picker, nullptr);
    EXPECT_EQ(DatePickerWindow::current(), nullptr);
    EXPECT_TRUE(picker->isVisible());
    EXPECT_EQ(picker->pos(), under_box());
    EXPECT_EQ(picker->size(), QSize(244, 166));
    EXPECT_TRUE(picker->windowTitle().isEmpty());
    EXPECT_EQ(picker->target(), box_);
    EXPECT_TRUE(box_->isEnabled());

    QTableWidget* table = grid(picker);
    EXPECT_EQ(table->geometry(), QRect(0, 0, 244, 148));
    EXPECT_EQ(table->rowCount(), 6);
    EXPECT_EQ(table->columnCount(), 10);
    EXPECT_FALSE(table->horizontalHeader()->isVisible());
    EXPECT_FALSE(table->verticalHeader()->isVisible());
    EXPECT_EQ(table->columnWidth(9), 24);
    EXPECT_EQ(table->rowHeight(5), 24);
    // Every cell in sight, no scrolling.
    EXPECT_GE(table->viewport()->width(), 10 * 24);
    EXPECT_GE(table->viewport()->height(), 6 * 24);
    EXPECT_EQ(picker->findChild<QLabel*>("透明标签1")->geometry(), QRect(72, 148, 100, 20));
    QPushButton* earliest = picker->findChild<QPushButton*>("按钮1");
    QPushButton* latest = picker->findChild<QPushButton*>("按钮2");
    EXPECT_EQ(earliest->text(), "最小时间");
    EXPECT_EQ(earliest->geometry(), QRect(0, 147, 56, 20));
    EXPECT_EQ(latest->text(), "最大时间");
    EXPECT_EQ(latest->geometry(), QRect(189, 147, 56, 20));
}

TEST_F(TimePickerWindowTest, fills_the_grid_with_the_values_of_the_field_under_the_caret) {
    struct Case {
        int caret;
        QString caption;
        int values;
    };
    const Case cases[] = {
        {12, "小时", 24},
        {15, "分钟", 60},
        {19, "秒钟", 60},
    };
    for (const Case& c : cases) {
        TimePickerWindow* picker = open_at(c.caret);
        ASSERT_NE(picker, nullptr);
        EXPECT_EQ(caption(picker), c.caption) << c.caret;
        EXPECT_EQ(cells(picker), two_digit_values(c.values)) << c.caret;
        picker->close();
        flush();
    }
}

TEST_F(TimePickerWindowTest, a_caret_beyond_the_text_gives_an_empty_grid_and_the_form_caption) {
    box_->setText(QStringLiteral("2025-12-09 18:20:12 "));
    TimePickerWindow* picker = open_at(20);
    ASSERT_NE(picker, nullptr);
    EXPECT_EQ(caption(picker), "透明标签");
    EXPECT_EQ(cells(picker), two_digit_values(0));
    QTest::keyClick(grid(picker), Qt::Key_5);
    EXPECT_EQ(box_->text(), "2025-12-09 18:20:12 ");
    click_cell(picker, 0, 0);
    EXPECT_TRUE(closed());
    EXPECT_EQ(box_->text(), "2025-12-09 18:20:12 ");
}

TEST_F(TimePickerWindowTest, a_click_on_a_value_writes_the_field_and_closes) {
    TimePickerWindow* picker = open_at(15);
    click_cell(picker, 4, 5);  // 45
    EXPECT_TRUE(closed());
    EXPECT_EQ(box_->text(), "2025-12-09 18:45:12");
    EXPECT_EQ(time_box_caret(box_), 14);
    EXPECT_TRUE(box_->isEnabled());
}

TEST_F(TimePickerWindowTest, a_click_on_an_empty_cell_closes_without_change) {
    TimePickerWindow* picker = open_at(12);
    click_cell(picker, 3, 0);
    EXPECT_TRUE(closed());
    EXPECT_EQ(box_->text(), "2025-12-09 18:20:12");
}

TEST_F(TimePickerWindowTest, typed_digits_roll_into_the_field_and_keep_it_open) {
    TimePickerWindow* picker = open_at(12);
    QTest::keyClick(grid(picker), Qt::Key_2);
    EXPECT_EQ(box_->text(), "2025-12-09 02:20:12");
    QTest::keyClick(grid(picker), Qt::Key_3);
    EXPECT_EQ(box_->text(), "2025-12-09 23:20:12");
    QTest::keyClick(grid(picker), Qt::Key_X);
    EXPECT_EQ(box_->text(), "2025-12-09 23:20:12");
    EXPECT_EQ(time_box_caret(box_), 11);
    // Typed keys on the window itself count the same.
    QTest::keyClick(picker, Qt::Key_1);
    EXPECT_EQ(box_->text(), "2025-12-09 01:20:12");
    EXPECT_FALSE(closed());
    EXPECT_EQ(caption(picker), "小时");
}

TEST_F(TimePickerWindowTest, arrows_move_to_the_neighbouring_field_and_refill_the_grid) {
    TimePickerWindow* picker = open_at(12);
    QTest::keyClick(grid(picker), Qt::Key_Right);
    EXPECT_EQ(time_box_caret(box_), 14);
    EXPECT_EQ(caption(picker), "分钟");
    EXPECT_EQ(cells(picker), two_digit_values(60));
    QTest::keyClick(grid(picker), Qt::Key_Right);
    EXPECT_EQ(time_box_caret(box_), 17);
    EXPECT_EQ(caption(picker), "秒钟");
    QTest::keyClick(grid(picker), Qt::Key_Left);
    QTest::keyClick(grid(picker), Qt::Key_Left);
    EXPECT_EQ(time_box_caret(box_), 11);
    EXPECT_EQ(caption(picker), "小时");
    EXPECT_EQ(cells(picker), two_digit_values(24));
    QTest::keyClick(grid(picker), Qt::Key_Left);  // already the first field
    EXPECT_EQ(time_box_caret(box_), 11);
    EXPECT_EQ(cells(picker), two_digit_values(24));
    EXPECT_FALSE(closed());
    EXPECT_EQ(box_->text(), "2025-12-09 18:20:12");
}

TEST_F(TimePickerWindowTest, backspace_enter_and_delete_close_without_change) {
    for (Qt::Key key : {Qt::Key_Backspace, Qt::Key_Return, Qt::Key_Enter, Qt::Key_Delete}) {
        TimePickerWindow* picker = open_at(15);
        ASSERT_NE(picker, nullptr);
        QTest::keyClick(grid(picker), key);
        EXPECT_TRUE(closed()) << key;
        EXPECT_EQ(box_->text(), "2025-12-09 18:20:12") << key;
    }
}

TEST_F(TimePickerWindowTest, the_buttons_set_the_whole_time_and_close) {
    struct Case {
        const char* button;
        QString text;
    };
    for (const Case& c :
         {Case{"按钮1", "2025-12-09 00:00:00"}, Case{"按钮2", "2025-12-09 23:59:59"}}) {
        box_->setText(QStringLiteral("2025-12-09 18:20:12"));
        TimePickerWindow* picker = open_at(15);
        QTest::mouseClick(picker->findChild<QPushButton*>(c.button), Qt::LeftButton);
        EXPECT_TRUE(closed()) << c.button;
        EXPECT_EQ(box_->text(), c.text) << c.button;
    }
}

TEST_F(TimePickerWindowTest, another_active_window_closes_it_without_change) {
    TimePickerWindow* picker = open_at(15);
    ASSERT_TRUE(QTest::qWaitForWindowActive(picker));
    host_.activateWindow();
    EXPECT_TRUE(QTest::qWaitFor([this] { return closed(); }));
    EXPECT_EQ(box_->text(), "2025-12-09 18:20:12");
}

TEST_F(TimePickerWindowTest, deleting_the_box_closes_it) {
    open_at(15);
    delete box_;
    box_ = nullptr;
    EXPECT_TRUE(closed());
}

TEST_F(TimePickerWindowTest, a_second_opening_reuses_the_window_for_the_new_box) {
    TimePickerWindow* picker = open_at(15);
    auto* other = new QLineEdit(&host_);
    other->setGeometry(98, 100, 186, 32);
    other->setText(QStringLiteral("2025-12-31 07:08:09"));
    other->setCursorPosition(12);
    open_time_picker(other);
    EXPECT_EQ(TimePickerWindow::current(), picker);
    EXPECT_EQ(picker->target(), other);
    EXPECT_EQ(picker->pos(), other->mapToGlobal(QPoint(0, other->height())));
    EXPECT_EQ(caption(picker), "小时");
    QTest::keyClick(grid(picker), Qt::Key_5);
    EXPECT_EQ(other->text(), "2025-12-31 05:08:09");
    EXPECT_EQ(box_->text(), "2025-12-09 18:20:12");
}

}  // namespace
