#include "bills/bills_page.h"

#include <QButtonGroup>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPrinter>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>
#include <QToolTip>

#include "bills/bill_lists.h"
#include "bills/bill_query.h"
#include "bills/receipt_printing.h"
#include "bills/receipt_text.h"
#include "chrome/busy_work.h"
#include "chrome/form_controls.h"
#include "chrome/prompts.h"
#include "chrome/report_view.h"
#include "core/deploy_settings.h"
#include "core/session.h"
#include "export/list_export.h"
#include "staff/staff_accounts.h"
#include "timeentry/time_box.h"

namespace {

ReportView* list_page(QTabWidget* tabs, const QString& title, const QString& name,
                      std::vector<ListColumn> columns) {
    auto* page = new QWidget;
    auto* list = new ReportView(std::move(columns), page);
    list->setObjectName(name);
    // The tab control places its pages below its strip.
    list->setGeometry(1, 0, 911, 266);
    tabs->addTab(page, title);
    return list;
}

}  // namespace

BillsPage::BillsPage(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("门店账单"));
    form_transparent_label(this, QStringLiteral("透明标签21"), QStringLiteral("开始时间："),
                           {26, 27, 74, 24});
    start_box_ = form_time_box(this, QStringLiteral("开始时间框"), {98, 22, 186, 32});
    form_transparent_label(this, QStringLiteral("透明标签22"), QStringLiteral("结束时间："),
                           {390, 26, 74, 24});
    end_box_ = form_time_box(this, QStringLiteral("结束时间框"), {460, 22, 186, 32});
    query_button_ =
        form_button(this, QStringLiteral("按钮19"), QStringLiteral("查询"), {702, 21, 82, 29});
    export_button_ =
        form_button(this, QStringLiteral("按钮1"), QStringLiteral("导出"), {811, 21, 82, 29});

    struct Channel {
        const char* name;
        const char* caption;
        QRect place;
    };
    const Channel channels[] = {
        {"单选框1", "支付宝付款", {25, 66, 82, 24}}, {"单选框2", "微信付款", {120, 66, 81, 24}},
        {"单选框3", "全部类型", {409, 66, 79, 24}},  {"单选框4", "分6期", {278, 66, 56, 24}},
        {"单选框5", "分12期", {338, 66, 64, 24}},    {"单选框6", "龙支付", {210, 66, 64, 24}},
    };
    channel_group_ = new QButtonGroup(this);
    for (int i = 0; i < 6; ++i) {
        channels_[i] = form_radio(this, QString::fromUtf8(channels[i].name),
                                  QString::fromUtf8(channels[i].caption), channels[i].place);
        channel_group_->addButton(channels_[i], i + 1);
    }

    staff_choice_ = new QComboBox(this);
    staff_choice_->setObjectName(QStringLiteral("组合框1"));
    staff_choice_->setGeometry(512, 67, 136, 20);
    staff_choice_->addItem(QStringLiteral("全部员工"));

    auto* unused = form_button(this, QStringLiteral("按钮18"), QString(), {760, 57, 80, 32});
    unused->hide();

    form_label(this, QStringLiteral("标签1"), QStringLiteral("合计金额："), {17, 92, 53, 24});
    total_ = form_label(this, QStringLiteral("标签2"), QStringLiteral("..."), {77, 92, 162, 24});

    lists_ = new QTabWidget(this);
    lists_->setObjectName(QStringLiteral("选择夹2"));
    lists_->setGeometry(8, 133, 920, 288);
    paid_list_ = list_page(lists_, QStringLiteral("交易成功"), QStringLiteral("超级列表框1"),
                           payment_list_columns());
    failed_list_ = list_page(lists_, QStringLiteral("交易失败"), QStringLiteral("超级列表框4"),
                             payment_list_columns());
    refund_list_ = list_page(lists_, QStringLiteral("交易退款"), QStringLiteral("超级列表框5"),
                             refund_list_columns());
    lists_->setCurrentIndex(0);

    connect(query_button_, &QPushButton::clicked, this, &BillsPage::run_query);
    connect(export_button_, &QPushButton::clicked, this, &BillsPage::export_paid_list);
    connect(refund_list_, &QAbstractItemView::clicked, this, &BillsPage::show_refund_details);
}

void BillsPage::fill_staff_choice() {
    staff_choice_->clear();
    for (const std::string& entry : staff_choice_entries(session())) {
        staff_choice_->addItem(QString::fromStdString(entry));
    }
    staff_choice_->setCurrentIndex(0);
}

void BillsPage::run_query() {
    BillQuery query;
    query.page = static_cast<BillPage>(lists_->currentIndex());
    query.start_seconds = box_unix_seconds(start_box_);
    query.end_seconds = box_unix_seconds(end_box_);
    query.start_text = start_box_->text().toStdString();
    query.end_text = end_box_->text().toStdString();
    std::array<bool, 6> radio_on{};
    for (int i = 0; i < 6; ++i) {
        radio_on[static_cast<size_t>(i)] = channels_[i]->isChecked();
    }
    query.channel = channel_of_radios(radio_on);
    query.staff_text = staff_choice_->currentText().toStdString();

    BillQueryResult result;
    run_busy_work(this, QStringLiteral("正在查询..."),
                  [&] { result = run_bill_query(session(), query); });
    if (result.channel_missing) {
        show_message(this, QString::fromUtf8(kChooseChannelMessage.data(),
                                             static_cast<int>(kChooseChannelMessage.size())));
        return;
    }
    ReportView* list = query.page == BillPage::paid     ? paid_list_
                       : query.page == BillPage::failed ? failed_list_
                                                        : refund_list_;
    list->rows()->clear_rows();
    list->rows()->append_rows(result.rows);
    total_->setText(QString::fromStdString(result.total));
    export_button_->setEnabled(true);
    if (result.listing_failed) {
        // An empty list would otherwise read as a period without bills.
        show_message(this, QString::fromUtf8(kListingFailedMessage.data(),
                                             static_cast<int>(kListingFailedMessage.size())));
    }
}

void BillsPage::export_paid_list() {
    // Always the successful payments, whichever list is on show.
    if (export_list(this, *paid_list_->rows()) == ExportOutcome::Written) {
        export_button_->setEnabled(false);
    }
}

void BillsPage::print_selected_receipt() {
    const int row = paid_list_->selected_row();
    if (row < 0) {
        return;
    }
    std::vector<std::string> cells;
    for (int c = 0; c < paid_list_->rows()->column_count(); ++c) {
        cells.push_back(paid_list_->rows()->cell(row, c));
    }
    std::unique_ptr<QPrinter> printer = prompts().default_printer();
    if (!printer) {
        show_message(this, QStringLiteral("没有可用的默认打印机，收银单未打印。"));
        return;
    }
    if (!print_receipt(*printer, receipt_text(cells, load_deploy_settings().support_phone))) {
        show_message(this, QStringLiteral("打印机未接受打印任务，收银单未打印。"));
    }
}

void BillsPage::show_refund_details() {
    const int row = refund_list_->selected_row();
    if (row < 0) {
        return;
    }
    const TextTableModel* rows = refund_list_->rows();
    const QString tip = QStringLiteral("退款时间：%1，退款金额：%2，退款单号：%3")
                            .arg(QString::fromStdString(rows->cell(row, 10)),
                                 QString::fromStdString(rows->cell(row, 11)),
                                 QString::fromStdString(rows->cell(row, 12)));
    QToolTip::showText(QCursor::pos(), tip, refund_list_);
}
