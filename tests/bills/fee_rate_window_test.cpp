#include "bills/fee_rate_window.h"

#include <gtest/gtest.h>

#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <filesystem>

#include "core/session.h"
#include "core/settings_file.h"
#include "support/scripted_prompts.h"
#include "support/test_run_directory.h"

namespace {

class FeeRateWindowTest : public testing::Test {
protected:
    void SetUp() override { session() = Session{}; }
    void TearDown() override { session() = Session{}; }

    void type_and_confirm(FeeRateWindow& window, const QString& alipay, const QString& wechat) {
        window.findChild<QLineEdit*>("支付宝费率框")->setText(alipay);
        window.findChild<QLineEdit*>("微信费率框")->setText(wechat);
        QTest::mouseClick(window.findChild<QPushButton*>("按钮1"), Qt::LeftButton);
    }

    TestRunDirectory run_dir_;
    ScriptedPrompts prompts_;
};

TEST_F(FeeRateWindowTest, shows_empty_boxes_without_sxf_ini_and_the_stored_texts_with_it) {
    FeeRateWindow empty;
    EXPECT_EQ(empty.findChild<QLineEdit*>("支付宝费率框")->text(), "");
    run_dir_.write("sxf.ini", "[sxf]\r\nzhifubao=0.6\r\nweixin=0.38%\r\n");
    FeeRateWindow stored;
    EXPECT_EQ(stored.findChild<QLineEdit*>("支付宝费率框")->text(), "0.6");
    EXPECT_EQ(stored.findChild<QLineEdit*>("微信费率框")->text(), "0.38%");
}

TEST_F(FeeRateWindowTest, stores_the_typed_percentages_and_sets_the_session_rates) {
    struct Case {
        QString alipay, wechat;
        float alipay_rate, wechat_rate;
    };
    const Case cases[] = {
        {"0.6", "0.38", 0.006f, 0.0038f}, {"0.38%", "abc", 0.0038f, 0.0f}, {"", "", 0.0f, 0.0f}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.alipay.toStdString());
        FeeRateWindow window;
        type_and_confirm(window, c.alipay, c.wechat);
        EXPECT_FLOAT_EQ(session().fee_rate_zhifubao, c.alipay_rate);
        EXPECT_FLOAT_EQ(session().fee_rate_weixin, c.wechat_rate);
        EXPECT_EQ(read_setting(run_dir_.file("sxf.ini"), "sxf", "zhifubao"),
                  c.alipay.toStdString());
        EXPECT_EQ(read_setting(run_dir_.file("sxf.ini"), "sxf", "weixin"), c.wechat.toStdString());
        ASSERT_FALSE(prompts_.messages.empty());
        EXPECT_EQ(prompts_.messages.back().text, "设置成功");
        EXPECT_EQ(prompts_.messages.back().caption, "信息：");
        EXPECT_EQ(window.result(), QDialog::Accepted);
    }
}

TEST_F(FeeRateWindowTest, an_unwritable_sxf_ini_is_reported_and_the_window_stays) {
    // A folder where the file should be: it cannot be written as a file.
    std::filesystem::create_directory(run_dir_.path() / "sxf.ini");
    FeeRateWindow window;
    window.show();
    type_and_confirm(window, "0.6", "0.38");
    EXPECT_FLOAT_EQ(session().fee_rate_zhifubao, 0.006f);
    ASSERT_EQ(prompts_.messages.size(), 1u);
    EXPECT_NE(prompts_.messages[0].text, "设置成功");
    EXPECT_TRUE(prompts_.messages[0].text.contains("sxf.ini"));
    EXPECT_TRUE(window.isVisible());
}

}  // namespace
