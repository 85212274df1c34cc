#include "bills/bills_page.h"

#include <gtest/gtest.h>

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPrinter>
#include <QProcess>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>
#include <QTest>
#include <QToolTip>
#include <fstream>
#include <sstream>

#include "bills/main_window.h"
#include "bills/receipt_printing.h"
#include "chrome/report_view.h"
#include "core/session.h"
#include "export/xls_writer.h"
#include "support/signed_in_window.h"
#include "support/test_database.h"

namespace {

// 2026-03-07 09:00:00 at UTC+8.
constexpr long kMorning = 1772845200;

class BillsPageTest : public SignedInTest {
protected:
    void SetUp() override {
        SignedInTest::SetUp();
        workid_ = unique_id("W");
        const std::string shop = "'" + shop_->shopid + "'";
        add_payment("P1", "支付宝", "12.50", kMorning, "已支付", "张三");
        add_payment("P2", "支付宝", "7.5", kMorning + 60, "已支付", "李四");
        add_payment("P3", "微信支付", "3.00", kMorning + 120, "支付失败", "张三");
        run_sql(db(), "INSERT INTO qtx_shop_sub_member (workid, name, shopid) VALUES ('" + workid_ +
                          "', '张三', " + shop + ")");
        run_sql(db(),
                "INSERT INTO lanbo_refund_log (shopid, out_trade_no, pay_class, pay_money, "
                "pay_time, refund_time, refund_no, refund_money) VALUES (" +
                    shop +
                    ", 'P1', '支付宝', 12.50, '2026-03-07 09:00:00', "
                    "'2026-03-07 10:00:00', 'R1', 5.00)");
        main_window();
        control<QLineEdit>("开始时间框")->setText("2026-03-07 00:00:00");
        control<QLineEdit>("结束时间框")->setText("2026-03-07 23:59:59");
    }
    void add_payment(const std::string& order, const std::string& channel, const std::string& money,
                     long time, const std::string& status, const std::string& name) {
        run_sql(db(),
                "INSERT INTO qtx_shop_paylog (Shopid, Shoppayid, Payclass, Money, Time, "
                "status, Shopname, Workid, Name, shouxufei, shouxufeichengdan) VALUES ('" +
                    shop_->shopid + "', '" + order + "', '" + channel + "', " + money + ", " +
                    std::to_string(time) + ", '" + status + "', '测试门店', '" + workid_ + "', '" +
                    name + "', 0.30, '商户承担')");
    }
    void choose(const char* radio) { control<QRadioButton>(radio)->setChecked(true); }
    void query() { QTest::mouseClick(control<QPushButton>("按钮19"), Qt::LeftButton); }
    void show_inner_page(int page) { control<QTabWidget>("选择夹2")->setCurrentIndex(page); }
    TextTableModel* list(const char* name) { return control<ReportView>(name)->rows(); }
    std::string cell(const char* name, int row, int column) {
        return list(name)->cell(row, column);
    }

    std::string workid_;
};

TEST_F(BillsPageTest, no_channel_asks_for_one_and_changes_nothing) {
    control<QPushButton>("按钮1")->setEnabled(false);
    query();
    EXPECT_EQ(prompts_.message_texts(), QStringList{"请选择查询类型！"});
    EXPECT_EQ(prompts_.messages[0].caption, "信息：");
    EXPECT_EQ(control<QLabel>("标签2")->text(), "...");
    EXPECT_FALSE(control<QPushButton>("按钮1")->isEnabled());
}

TEST_F(BillsPageTest, lists_alipay_payments_with_their_total_and_fees_on_the_next_query) {
    session().fee_rate_zhifubao = 0.006f;
    control<QPushButton>("按钮1")->setEnabled(false);
    choose("单选框1");
    query();
    TextTableModel* paid = list("超级列表框1");
    ASSERT_EQ(paid->row_count(), 2);
    EXPECT_EQ(cell("超级列表框1", 0, 0), shop_->shopid);
    EXPECT_EQ(cell("超级列表框1", 0, 1), "支付宝");
    EXPECT_EQ(cell("超级列表框1", 0, 2), "P1");
    EXPECT_EQ(cell("超级列表框1", 0, 3), "12.50");
    EXPECT_EQ(cell("超级列表框1", 0, 4), "2026-3-07 09:00:00");
    EXPECT_EQ(cell("超级列表框1", 0, 5), "张三");
    EXPECT_EQ(cell("超级列表框1", 0, 6), "0");  // the fee as it was before this query
    EXPECT_EQ(cell("超级列表框1", 0, 9), workid_);
    EXPECT_EQ(control<QLabel>("标签2")->text(), "20");
    EXPECT_TRUE(control<QPushButton>("按钮1")->isEnabled());

    query();
    EXPECT_EQ(cell("超级列表框1", 0, 6), "0.08");
    EXPECT_EQ(cell("超级列表框1", 1, 6), "0.05");
}

TEST_F(BillsPageTest, a_listing_that_cannot_be_read_is_reported_not_shown_as_no_bills) {
    choose("单选框3");
    query();
    ASSERT_EQ(list("超级列表框1")->row_count(), 3 - 1);
    DbConnection* connection = session().payments_db;
    session().payments_db = nullptr;
    query();
    session().payments_db = connection;
    EXPECT_EQ(list("超级列表框1")->row_count(), 0);
    EXPECT_EQ(control<QLabel>("标签2")->text(), "");
    ASSERT_EQ(prompts_.messages.size(), 1u);
    EXPECT_TRUE(prompts_.messages[0].text.startsWith("查询失败"));
}

TEST_F(BillsPageTest, one_cashier_narrows_the_list) {
    choose("单选框3");
    auto* staff = control<QComboBox>("组合框1");
    staff->setCurrentIndex(staff->findText(QString::fromStdString("张三 " + workid_)));
    query();
    ASSERT_EQ(list("超级列表框1")->row_count(), 1);
    EXPECT_EQ(cell("超级列表框1", 0, 2), "P1");
    EXPECT_EQ(control<QLabel>("标签2")->text(), "12.5");
}

TEST_F(BillsPageTest, failed_and_refunded_payments_fill_their_own_lists) {
    choose("单选框2");
    show_inner_page(1);
    query();
    ASSERT_EQ(list("超级列表框4")->row_count(), 1);
    EXPECT_EQ(cell("超级列表框4", 0, 2), "P3");
    EXPECT_EQ(cell("超级列表框4", 0, 6), "0.30");
    EXPECT_EQ(control<QLabel>("标签2")->text(), "3");

    control<QRadioButton>("单选框2")->setAutoExclusive(false);
    control<QRadioButton>("单选框2")->setChecked(false);
    show_inner_page(2);
    query();
    TextTableModel* refunds = list("超级列表框5");
    ASSERT_EQ(refunds->row_count(), 1);
    EXPECT_EQ(cell("超级列表框5", 0, 2), "P1");
    EXPECT_EQ(cell("超级列表框5", 0, 8), "测试门店");
    EXPECT_EQ(cell("超级列表框5", 0, 12), "R1");
    // The other lists keep their rows.
    EXPECT_EQ(list("超级列表框4")->row_count(), 1);

    auto* view = control<ReportView>("超级列表框5");
    view->selectRow(0);
    emit view->clicked(view->model()->index(0, 0));
    EXPECT_EQ(QToolTip::text(), "退款时间：2026-03-07 10:00:00，退款金额：5.00，退款单号：R1");
}

class ExportTest : public BillsPageTest {
protected:
    std::string export_to(const QString& path) {
        prompts_.save_paths.push_back(path);
        QTest::mouseClick(control<QPushButton>("按钮1"), Qt::LeftButton);
        std::ifstream in((path.endsWith(".xls") ? path : path + ".xls").toStdString(),
                         std::ios::binary);
        std::ostringstream bytes;
        bytes << in.rdbuf();
        return bytes.str();
    }
};

TEST_F(ExportTest, exports_the_successful_payments_whichever_list_is_on_show) {
    choose("单选框1");
    query();
    show_inner_page(2);
    const std::string bytes = export_to(QString::fromStdString(run_dir_.file("bills")));
    TextTable expected;
    TextTableModel* paid = list("超级列表框1");
    expected.push_back({});
    for (const ListColumn& column : paid->columns()) {
        expected[0].push_back(column.title.toStdString());
    }
    for (int r = 0; r < paid->row_count(); ++r) {
        expected.emplace_back();
        for (int c = 0; c < paid->column_count(); ++c) {
            expected.back().push_back(paid->cell(r, c));
        }
    }
    EXPECT_EQ(bytes, XlsWriter::table_bytes(expected).value());
    EXPECT_EQ(prompts_.save_dialogs.at(0).title, "选择保存目录");
    EXPECT_TRUE(prompts_.save_dialogs.at(0).filters.contains("*.xls"));
    EXPECT_FALSE(control<QPushButton>("按钮1")->isEnabled());
    EXPECT_TRUE(prompts_.messages.empty());
}

TEST_F(ExportTest, a_file_that_cannot_be_written_is_reported_and_the_button_stays) {
    export_to(QString::fromStdString(run_dir_.file("no/such/folder/bills.xls")));
    ASSERT_EQ(prompts_.messages.size(), 1u);
    EXPECT_TRUE(prompts_.messages[0].text.contains("bills.xls"));
    EXPECT_TRUE(control<QPushButton>("按钮1")->isEnabled());
}

TEST_F(ExportTest, a_cancelled_dialog_writes_nothing) {
    export_to(QString());
    EXPECT_TRUE(prompts_.messages.empty());
    EXPECT_TRUE(control<QPushButton>("按钮1")->isEnabled());
}

std::string pdf_text(const QString& pdf) {
    QProcess pdftotext;
    pdftotext.start("pdftotext", {"-layout", pdf, "-"});
    pdftotext.waitForFinished();
    return pdftotext.readAllStandardOutput().toStdString();
}

int pdf_pages(const QString& pdf) {
    QProcess info;
    info.start("pdfinfo", {pdf});
    info.waitForFinished();
    for (const QString& line : QString::fromUtf8(info.readAllStandardOutput()).split('\n')) {
        if (line.startsWith("Pages:")) {
            return line.mid(6).trimmed().toInt();
        }
    }
    return -1;
}

TEST_F(BillsPageTest, prints_the_receipt_of_the_selected_row) {
    choose("单选框1");
    query();
    const QString pdf = QString::fromStdString(run_dir_.file("receipt.pdf"));
    prompts_.printer_pdf = pdf;
    auto* view = control<ReportView>("超级列表框1");
    view->selectRow(1);
    main_window()->print_menu()->actions().at(0)->trigger();
    ASSERT_EQ(pdf_pages(pdf), 1);
    const std::string text = pdf_text(pdf);
    for (const char* line :
         {"配置的商户名称", "门店名称：测试门店", "支付金额：7.5", "支付单号：P2", "收银员：李四",
          "贵宾签名：______________", "青杉提供技术支持"}) {
        EXPECT_NE(text.find(line), std::string::npos) << line << "\n" << text;
    }
}

TEST_F(BillsPageTest, printing_without_a_selection_or_printer_prints_nothing) {
    choose("单选框1");
    query();
    main_window()->print_menu()->actions().at(0)->trigger();
    EXPECT_TRUE(prompts_.messages.empty());
    control<ReportView>("超级列表框1")->selectRow(0);
    main_window()->print_menu()->actions().at(0)->trigger();
    ASSERT_EQ(prompts_.messages.size(), 1u);
    EXPECT_TRUE(prompts_.messages[0].text.contains("打印机"));
}

TEST(ReceiptPrinting, a_long_text_goes_on_to_a_new_page) {
    const QString pdf = QDir::temp().filePath("xinghe-long-receipt.pdf");
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(pdf);
    std::string text;
    for (int i = 0; i < 150; ++i) {
        text += "第" + std::to_string(i) + "行\r\n";
    }
    ASSERT_TRUE(print_receipt(printer, text));
    EXPECT_GT(pdf_pages(pdf), 1);
    const std::string printed = pdf_text(pdf);
    EXPECT_NE(printed.find("第0行"), std::string::npos);
    EXPECT_NE(printed.find("第149行"), std::string::npos);
    QFile::remove(pdf);
}

}  // namespace
