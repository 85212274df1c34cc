#pragma once

class QWidget;
class TextTableModel;

enum class ExportOutcome { Cancelled, Written, Failed, TooLarge };

// Saves a list as an .xls file: its column titles as the first row, then
// its rows. Asks for the file with the save dialog, shows progress while a
// long list is written (the window stays responsive), and tells the user
// when the file cannot be written or the list does not fit the format.
ExportOutcome export_list(QWidget* owner, const TextTableModel& list);
