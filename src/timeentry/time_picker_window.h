#pragma once

class QLineEdit;

// Opens the grid of hours, minutes or seconds right under the box for the
// time field under its caret.
void open_time_grid(QLineEdit* box);
