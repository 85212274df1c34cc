#pragma once

class QLineEdit;

// Opens the month calendar right under the box for its date part.
void open_date_picker(QLineEdit* box);
