#include "export/export_file_name.h"

#include <gtest/gtest.h>

namespace {

struct NameCase {
    const char* chosen;
    const char* xls;
    const char* txt;
};

const NameCase kCases[] = {
    {"d/bills", "d/bills.xls", "d/bills.txt"},
    {"d/bills.xls", "d/bills.xls", "d/bills.xls.txt"},
    {"d/bills.XLS", "d/bills.XLS.xls", "d/bills.XLS.txt"},
    {"a.xls.xls", "a.xls", "a.xls.xls.txt"},
    {"a.TXT", "a.TXT.xls", "a.TXT.txt"},
    {"a.txt", "a.txt.xls", "a.txt"},
    {"a.txt.txt", "a.txt.txt.xls", "a.txt"},
    {"/home/u/pw.txt", "/home/u/pw.txt.xls", "/home/u/pw.txt"},
    // Without the final extension nothing is taken out.
    {"a.xls.bak", "a.xls.bak.xls", "a.xls.bak.txt"},
    // Occurrences inside the name go too, as the rule says.
    {"my.xlsx.xls", "myx.xls", "my.xlsx.xls.txt"},
    // The folder part stays: the file must land in the chosen folder.
    {"/data/old.xls/bills.xls", "/data/old.xls/bills.xls", "/data/old.xls/bills.xls.txt"},
    {"/data/x.txt.d/pw.txt", "/data/x.txt.d/pw.txt.xls", "/data/x.txt.d/pw.txt"},
    {"d/.xls", "d/.xls", "d/.xls.txt"},
    {"关联订单.xls", "关联订单.xls", "关联订单.xls.txt"},
    // A cancelled dialog gives no name rather than a hidden ".xls".
    {"", "", ""},
};

TEST(ExportFileName, applies_the_extension_rule) {
    for (const NameCase& c : kCases) {
        SCOPED_TRACE(c.chosen);
        EXPECT_EQ(xls_file_name(c.chosen), c.xls);
        EXPECT_EQ(txt_file_name(c.chosen), c.txt);
    }
}

}  // namespace
