#pragma once

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QLineEdit>
#include <QTest>
#include <QWidget>
#include <ostream>

#include "timeentry/date_picker_window.h"
#include "timeentry/time_picker_window.h"

// Box texts in failure messages as text.
inline void PrintTo(const QString& text, std::ostream* os) {
    *os << '"' << text.toStdString() << '"';
}

// A window with one time box, active, as a page of the main window would be.
// No picker outlives a test.
class PickerHost : public testing::Test {
protected:
    void SetUp() override {
        host_.setGeometry(100, 100, 400, 300);
        box_ = new QLineEdit(&host_);
        box_->setObjectName(QStringLiteral("开始时间框"));
        box_->setGeometry(98, 22, 186, 32);
        box_->setText(QStringLiteral("2025-12-09 18:20:12"));
        host_.show();
        host_.activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&host_));
    }

    void TearDown() override {
        if (auto* picker = DatePickerWindow::current()) {
            picker->close();
        }
        if (auto* picker = TimePickerWindow::current()) {
            picker->close();
        }
        flush();
    }

    // Runs the deletions that closing a picker leaves pending.
    static void flush() {
        QCoreApplication::processEvents();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }

    QPoint under_box() const { return box_->mapToGlobal(QPoint(0, box_->height())); }

    QWidget host_;
    QLineEdit* box_ = nullptr;
};
