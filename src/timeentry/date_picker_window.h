#pragma once

#include <QPointer>
#include <QWidget>

#include "timeentry/date_picker_rules.h"

class QCalendarWidget;
class QLabel;
class QLineEdit;
class QTimer;

// Opens the month calendar right under the box for its date part.
void open_date_picker(QLineEdit* box);

// The month calendar of a time box: a click on a day writes that date with
// the box's own time into the box and closes the picker; the year and month
// buttons only move the calendar. There is at most one; it closes when
// another window becomes active or its box goes away, leaving the box as it is.
class DatePickerWindow : public QWidget {
    Q_OBJECT
public:
    // The open date picker, or nullptr.
    static DatePickerWindow* current();
    QLineEdit* target() const;

protected:
    bool event(QEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    friend void open_date_picker(QLineEdit* box);

    DatePickerWindow();
    void prepare(QLineEdit* box);
    // Shows a date chosen by the program, not by a click: it is not counted.
    void show_date(const DateTime& date);
    void step_months(int months);
    void commit_tick();
    void show_title(int year, int month);

    QCalendarWidget* calendar_;
    QLabel* title_;
    QTimer* commit_timer_;
    QTimer* watchdog_;
    QPointer<QLineEdit> target_;
    DayClickCounter clicks_;
    bool showing_date_ = false;
};
