#include "staff/staff_page.h"

#include <gtest/gtest.h>

#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

#include "bills/main_window.h"
#include "core/credentials.h"
#include "support/signed_in_window.h"
#include "support/test_database.h"

namespace {

class StaffPageTest : public SignedInTest {
protected:
    void SetUp() override {
        SignedInTest::SetUp();
        main_window()->show_page(1);
    }
    void type(const char* box, const std::string& text) {
        control<QLineEdit>(box)->setText(QString::fromStdString(text));
    }
    void click(const char* button) {
        QTest::mouseClick(control<QPushButton>(button), Qt::LeftButton);
    }
    std::string member_field(const std::string& workid, const char* column) {
        return query_text(db(), std::string("SELECT ") + column +
                                    " FROM qtx_shop_sub_member WHERE workid = '" + workid + "'");
    }
    QStringList staff_entries() {
        auto* choice = control<QComboBox>("组合框1");
        QStringList entries;
        for (int i = 0; i < choice->count(); ++i) {
            entries << choice->itemText(i);
        }
        return entries;
    }
};

TEST_F(StaffPageTest, adds_a_member_and_rebuilds_the_staff_choice) {
    const std::string workid = unique_id("A");
    control<QComboBox>("组合框1")->setCurrentIndex(0);
    type("编辑框1", workid);
    type("编辑框2", "王五");
    type("编辑框3", "pw");
    click("按钮4");
    ASSERT_EQ(prompts_.messages.size(), 1u);
    EXPECT_EQ(prompts_.messages[0].text.toStdString(),
              "新增成功！\r\n员工编号：" + workid + "\r\n员工姓名：王五\r\n员工密码：pw");
    EXPECT_EQ(member_field(workid, "passwd"), md5_hex("pw"));
    EXPECT_EQ(member_field(workid, "shopid"), shop_->shopid);
    EXPECT_EQ(control<QLineEdit>("编辑框1")->text(), "");
    EXPECT_EQ(staff_entries(), (QStringList{"全部员工", QString::fromStdString("王五 " + workid)}));
    EXPECT_EQ(control<QComboBox>("组合框1")->currentIndex(), 0);
}

TEST_F(StaffPageTest, refuses_a_work_id_any_shop_uses_and_an_empty_one) {
    const std::string taken = unique_id("T");
    run_sql(db(), "INSERT INTO qtx_shop_sub_member (workid, name, shopid) VALUES ('" + taken +
                      "', '别家', 'another-shop')");
    for (const std::string& workid : {taken, std::string()}) {
        prompts_.messages.clear();
        type("编辑框1", workid);
        type("编辑框2", "重复");
        click("按钮4");
        EXPECT_EQ(prompts_.message_texts(), QStringList{"当前商户已存在此员工编号，请换一个"});
        EXPECT_EQ(control<QLineEdit>("编辑框2")->text(), "重复");
    }
    run_sql(db(), "DELETE FROM qtx_shop_sub_member WHERE workid = '" + taken + "'");
}

TEST_F(StaffPageTest, deletes_only_after_yes_and_only_in_this_shop) {
    const std::string mine = unique_id("M");
    const std::string theirs = unique_id("O");
    run_sql(db(), "INSERT INTO qtx_shop_sub_member (workid, name, shopid) VALUES ('" + mine +
                      "', '张三', '" + shop_->shopid + "'), ('" + theirs + "', '李四', 'other')");
    type("编辑框1", mine);
    prompts_.answers = {false};
    click("按钮2");
    EXPECT_EQ(prompts_.questions.at(0).text.toStdString(), "确定删除编号：" + mine + "的员工吗？");
    EXPECT_EQ(member_field(mine, "name"), "张三");

    prompts_.answers = {true};
    click("按钮2");
    EXPECT_EQ(prompts_.message_texts(), QStringList{"当前员工删除成功！"});
    EXPECT_EQ(member_field(mine, "name"), "");
    EXPECT_EQ(staff_entries(), QStringList{"全部员工"});

    type("编辑框1", theirs);
    prompts_.answers = {true};
    click("按钮2");
    EXPECT_EQ(prompts_.messages.back().text.toStdString(), "本门店没有编号为" + theirs + "的员工");
    EXPECT_EQ(member_field(theirs, "name"), "李四");
    run_sql(db(), "DELETE FROM qtx_shop_sub_member WHERE workid = '" + theirs + "'");
}

TEST_F(StaffPageTest, resets_the_password_of_this_shops_member_only) {
    const std::string mine = unique_id("M");
    const std::string theirs = unique_id("O");
    run_sql(db(), "INSERT INTO qtx_shop_sub_member (workid, name, passwd, shopid) VALUES ('" +
                      mine + "', '张三', 'x', '" + shop_->shopid + "'), ('" + theirs +
                      "', '李四', 'x', 'other')");
    type("编辑框1", mine);
    click("按钮3");
    EXPECT_EQ(prompts_.messages.back().text.toStdString(),
              "当前编号：" + mine + "密码已重置为：kqz947");
    EXPECT_EQ(member_field(mine, "passwd"), md5_hex("kqz947"));
    EXPECT_EQ(control<QLineEdit>("编辑框1")->text(), "");

    type("编辑框1", theirs);
    click("按钮3");
    EXPECT_EQ(prompts_.messages.back().text.toStdString(), "本门店没有编号为" + theirs + "的员工");
    EXPECT_EQ(member_field(theirs, "passwd"), "x");
    run_sql(db(), "DELETE FROM qtx_shop_sub_member WHERE workid = '" + theirs + "'");
}

}  // namespace
