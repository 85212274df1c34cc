#include "bills/refund_password_window.h"

#include <gtest/gtest.h>

#include <QLabel>
#include <QPushButton>
#include <QTest>
#include <filesystem>

#include "core/session.h"
#include "core/text_encoding.h"
#include "support/signed_in_window.h"
#include "support/test_database.h"

namespace {

const std::string kIntro = "您的退款密码是：";

class RefundPasswordWindowTest : public SignedInTest {
protected:
    std::string stored_password() {
        return query_text(
            db(), "SELECT re_passwd FROM qtx_shop_member WHERE shopid = '" + shop_->shopid + "'");
    }
    void get_password(RefundPasswordWindow& window, const QString& path) {
        prompts_.save_paths.push_back(path);
        QTest::mouseClick(window.findChild<QPushButton*>("按钮1"), Qt::LeftButton);
    }
};

TEST_F(RefundPasswordWindowTest, shows_its_texts) {
    RefundPasswordWindow window;
    EXPECT_EQ(window.size(), QSize(425, 210));
    EXPECT_EQ(window.findChild<QLabel*>("透明标签1")->text(), "退款密码非常重要，泄露有风险！");
    EXPECT_EQ(window.findChild<QPushButton*>("按钮1")->text(), "获取密码");
}

TEST_F(RefundPasswordWindowTest, writes_the_new_password_to_the_file_and_the_database) {
    RefundPasswordWindow window;
    get_password(window, QString::fromStdString(run_dir_.file("refund")));
    EXPECT_EQ(prompts_.save_dialogs.at(0).title, "选择保存目录");
    EXPECT_EQ(prompts_.message_texts(), QStringList{"写出成功！"});
    const std::string bytes = run_dir_.read("refund.txt");
    ASSERT_EQ(bytes.size(), to_gbk(kIntro).size() + 6);
    EXPECT_EQ(from_gbk(bytes.substr(0, bytes.size() - 6)), kIntro);
    EXPECT_EQ(bytes.substr(bytes.size() - 6), stored_password());
    EXPECT_EQ(window.result(), QDialog::Accepted);
}

TEST_F(RefundPasswordWindowTest, a_cancelled_dialog_changes_nothing) {
    RefundPasswordWindow window;
    get_password(window, QString());
    EXPECT_TRUE(prompts_.messages.empty());
    EXPECT_EQ(stored_password(), "");
}

TEST_F(RefundPasswordWindowTest, an_unwritable_file_leaves_the_password_in_force) {
    RefundPasswordWindow window;
    get_password(window, QString::fromStdString(run_dir_.file("missing/folder/refund.txt")));
    ASSERT_EQ(prompts_.messages.size(), 1u);
    EXPECT_TRUE(prompts_.messages[0].text.contains("refund.txt"));
    EXPECT_EQ(stored_password(), "");
}

TEST_F(RefundPasswordWindowTest, a_refused_update_takes_the_file_back) {
    run_dir_.write("old.txt", "the password still in force");
    DbConnection* connection = session().payments_db;
    session().payments_db = nullptr;
    RefundPasswordWindow window;
    get_password(window, QString::fromStdString(run_dir_.file("old.txt")));
    get_password(window, QString::fromStdString(run_dir_.file("new.txt")));
    session().payments_db = connection;
    EXPECT_EQ(prompts_.message_texts(),
              (QStringList{"发生错误，请再试一次", "发生错误，请再试一次"}));
    EXPECT_EQ(run_dir_.read("old.txt"), "the password still in force");
    EXPECT_FALSE(std::filesystem::exists(run_dir_.path() / "new.txt"));
    EXPECT_EQ(stored_password(), "");
}

}  // namespace
