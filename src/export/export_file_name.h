#pragma once

#include <string>
#include <string_view>

// The name a chosen save path is written under: a path whose file name ends
// in exactly extension (letter case counts) has every occurrence of the
// extension taken out of its file name; then the extension is appended. So
// "d/bills" and "d/bills.xls" give "d/bills.xls", "d/bills.XLS" gives
// "d/bills.XLS.xls" and "a.xls.xls" gives "a.xls". The folder part is never
// changed. An empty path (a cancelled dialog) stays empty.
std::string file_name_with_extension(std::string_view path, std::string_view extension);

// The rule with ".xls" (list exports) and with ".txt" (the refund password).
std::string xls_file_name(std::string_view path);
std::string txt_file_name(std::string_view path);
