#pragma once

#include <QMetaObject>
#include <QPointer>
#include <QWidget>

class QLabel;
class QLineEdit;
class QKeyEvent;
class QTableWidget;

// Opens the grid of hours, minutes or seconds right under the box for the
// time field under its caret.
void open_time_grid(QLineEdit* box);

// The time grid of a time box. It edits the field under the box's caret: a
// click on a value writes it and closes, typed digits roll into the field,
// Left and Right move to the neighbouring field, the two buttons set the
// whole time to the start or end of the day. There is at most one; it closes
// when another window becomes active or its box goes away.
class TimePickerWindow : public QWidget {
    Q_OBJECT
public:
    // The open time picker, or nullptr.
    static TimePickerWindow* current();
    QLineEdit* target() const;
    // Takes the box as target and fills the grid and the caption for the
    // field under its caret.
    void prepare_time_grid(QLineEdit* box);

protected:
    bool event(QEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    friend void open_time_grid(QLineEdit* box);

    TimePickerWindow();
    void handle_key(const QKeyEvent* event);
    void pick_cell(int row, int column);
    void set_time_of_day(bool latest);

    QTableWidget* grid_;
    QLabel* caption_;
    QPointer<QLineEdit> target_;
    QMetaObject::Connection target_gone_;
};
