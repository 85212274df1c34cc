#pragma once

#include <string>
#include <string_view>
#include <vector>

// The customer receipt of one successful payment, built from the cells of
// its row in the successful-payments list (missing cells read as empty) and
// the support telephone number printed at its foot. Lines end in "\r\n".
std::string receipt_text(const std::vector<std::string>& row, std::string_view support_phone);

// The lines a text prints as: cut at every "\r\n", lone "\r" and lone "\n".
// A break at the very end does not start another, empty line.
std::vector<std::string> receipt_lines(std::string_view text);
