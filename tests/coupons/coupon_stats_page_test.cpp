#include "coupons/coupon_stats_page.h"

#include <gtest/gtest.h>

#include <QPushButton>
#include <QTest>

#include "chrome/report_view.h"
#include "export/xls_writer.h"
#include "support/scripted_prompts.h"
#include "support/test_run_directory.h"

namespace {

TEST(CouponStatsPageTest, exports_its_list_with_a_blank_for_the_untitled_column) {
    TestRunDirectory run_dir;
    ScriptedPrompts prompts;
    CouponStatsPage page;
    QPushButton* button = page.findChild<QPushButton*>("券码导出");
    ASSERT_NE(button, nullptr);
    EXPECT_FALSE(button->isEnabled());

    // What a statistics query leaves: one row, the button enabled.
    page.stats()->rows()->append_row(
        {"1001", "星河一店", "0", "0", "0", "0", "0", "0", "", "", ""});
    button->setEnabled(true);
    prompts.save_paths.push_back(QString::fromStdString(run_dir.file("stats.xls")));
    QTest::mouseClick(button, Qt::LeftButton);

    TextTable expected = {{"商户ID", "商户名称", "微信金额", "微信个数", "口碑金额", "口碑个数",
                           "美大金额", "美大个数", "", "微团积分", "微信拼团"},
                          {"1001", "星河一店", "0", "0", "0", "0", "0", "0", "", "", ""}};
    EXPECT_EQ(run_dir.read("stats.xls"), XlsWriter::table_bytes(expected).value());
    EXPECT_FALSE(button->isEnabled());
    EXPECT_TRUE(prompts.messages.empty());
}

}  // namespace
