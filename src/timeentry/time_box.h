#pragma once

#include <QRect>
#include <QString>
#include <string>

class QLineEdit;
class QWidget;

// A time box is an edit box holding a box text (2025-12-09 18:20:12).
// Releasing the left mouse button in it opens a picker right under it: the
// date picker while the caret stands in the date part (offset 10 or less),
// the time picker in the time part.

// Writes the current local time into the box.
void init_time_box(QLineEdit* box);
// A time box as the forms place it: named, at its place, opening its picker
// on a left-button release.
QLineEdit* form_time_box(QWidget* parent, const QString& name, QRect place);
void open_time_picker(QLineEdit* box);
// The box's caret as a character offset: the start of its selection, if any.
int time_box_caret(const QLineEdit* box);
// Writes a picker's result into the box: the text, then the caret at a
// character offset. An unchanged text is not written again, which would throw
// the caret to the end.
void write_time_box(QLineEdit* box, const std::string& text, int caret);
// Shows a picker with its top-left corner at the box's bottom-left corner,
// in front and active.
void show_picker_under(QWidget* picker, const QLineEdit* box);
// The seconds text of the box's current text.
std::string box_unix_seconds(const QLineEdit* box);
