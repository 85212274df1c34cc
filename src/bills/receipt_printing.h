#pragma once

#include <string>

class QPrinter;

// The print job's document name.
inline constexpr char kReceiptDocumentName[] = "青杉收银单";

// Prints a receipt text on the printer: one line per text line at the left
// margin from the top of the page, a new page when the next line would pass
// its bottom. False when the printer refuses the job.
bool print_receipt(QPrinter& printer, const std::string& text);
