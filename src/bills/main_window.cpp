#include "bills/main_window.h"

#include <QCoreApplication>
#include <QDesktopServices>
#include <QFrame>
#include <QLabel>
#include <QMenu>
#include <QMouseEvent>
#include <QTabBar>
#include <QTabWidget>
#include <QUrl>

#include "bills/bills_page.h"
#include "bills/fee_rate_window.h"
#include "bills/fee_rates.h"
#include "bills/main_artwork.h"
#include "chrome/form_controls.h"
#include "chrome/global_hot_key.h"
#include "chrome/picture_button.h"
#include "chrome/report_view.h"
#include "chrome/skin.h"
#include "core/deploy_settings.h"
#include "core/program.h"
#include "core/session.h"
#include "core/task_pool.h"
#include "coupons/coupon_records_page.h"
#include "coupons/coupon_stats_page.h"
#include "db/database.h"
#include "mall/order_lookup_window.h"
#include "staff/staff_page.h"
#include "timeentry/time_box.h"

namespace {

const Tile kTiles[] = {Tile::Bills, Tile::Staff, Tile::CouponRecords, Tile::CouponStats};

}  // namespace

MainWindow::MainWindow(QWidget* parent) : QWidget(parent, Qt::Window | Qt::FramelessWindowHint) {
    setObjectName(QStringLiteral("MainWindow"));
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowTitle(QStringLiteral("星河 - 财务端"));
    setFixedSize(934, 522);
    move(50, 50);

    install_skin();
    // The window keeps processing its messages while the workers come up.
    task_pool().set_message_pump([] { QCoreApplication::processEvents(); });
    TaskPoolSettings pool;
    pool.min_threads = 5;
    pool.max_threads = 100;
    pool.idle_timeout_ms = 10000;
    pool.pump_messages = true;
    task_pool().start(pool);

    auto* frame = new QFrame(this);
    frame->setObjectName(QStringLiteral("外形框1"));
    frame->setGeometry(-2, 0, 938, 528);
    frame->setStyleSheet(
        QStringLiteral("#外形框1 { background: #ffffff; border: 1px solid #2d8cf0; }"));
    build_header(frame);

    pages_ = new QTabWidget(frame);
    pages_->setObjectName(QStringLiteral("选择夹1"));
    pages_->setGeometry(2, 75, 960, 444);
    // The tiles switch the pages: no strip, no frame, a white ground.
    pages_->tabBar()->hide();
    pages_->setDocumentMode(true);
    pages_->setStyleSheet(QStringLiteral("#选择夹1::pane { border: none; background: #ffffff; }"));
    bills_ = new BillsPage;
    staff_ = new StaffPage;
    coupon_records_ = new CouponRecordsPage;
    coupon_stats_ = new CouponStatsPage;
    pages_->addTab(bills_, QStringLiteral("门店账单"));
    pages_->addTab(staff_, QStringLiteral("员工管理"));
    pages_->addTab(coupon_records_, QStringLiteral("验券记录"));
    pages_->addTab(coupon_stats_, QStringLiteral("卡券统计"));

    init_time_box(bills_->start_box());
    init_time_box(bills_->end_box());
    db_execute(session().payments_db, "set names GBK");
    connect(staff_, &StaffPage::staff_changed, bills_, &BillsPage::fill_staff_choice);
    bills_->fill_staff_choice();
    load_fee_rates(session());

    print_menu_ = new QMenu(QStringLiteral("打印菜单"), this);
    print_menu_->setObjectName(QStringLiteral("打印菜单"));
    connect(print_menu_->addAction(QStringLiteral("点击打印")), &QAction::triggered, bills_,
            &BillsPage::print_selected_receipt);
    connect(bills_->paid_list(), &QWidget::customContextMenuRequested, this,
            [this](const QPoint&) { print_menu_->popup(QCursor::pos()); });

    // Approving and rejecting mall refunds is left to the mall itself: the
    // items are there and do nothing.
    refund_menu_ = new QMenu(QStringLiteral("退款菜单"), this);
    refund_menu_->setObjectName(QStringLiteral("退款菜单"));
    refund_menu_->addAction(QStringLiteral("同意退款"));
    refund_menu_->addAction(QStringLiteral("驳回申请"));
    connect(coupon_stats_->mall_refunds(), &QWidget::customContextMenuRequested, this,
            [this](const QPoint&) { refund_menu_->popup(QCursor::pos()); });

    connect(coupon_stats_, &CouponStatsPage::support_link_pressed, this,
            &MainWindow::open_support_link);

    hot_key_ = new GlobalHotKey(QKeySequence(Qt::CTRL | Qt::Key_1), this);
    connect(hot_key_, &GlobalHotKey::activated, this, &MainWindow::open_order_lookup);

    show_page(0);
}

MainWindow::~MainWindow() {
    db_close(session().payments_db);
    session().payments_db = nullptr;
}

void MainWindow::build_header(QWidget* frame) {
    header_ = new QLabel(frame);
    header_->setObjectName(QStringLiteral("图片框1"));
    header_->setGeometry(0, 0, 936, 80);
    header_->setStyleSheet(QStringLiteral(
        "#图片框1 { background: qlineargradient(x1:0, y1:0, x2:1, y2:0, stop:0 #1f6fd1, "
        "stop:1 #3a9af2); }"));
    header_->installEventFilter(this);

    QLabel* name = form_transparent_label(header_, QStringLiteral("透明标签3"),
                                          QStringLiteral("星河"), {14, 16, 136, 20});
    QLabel* role = form_transparent_label(header_, QStringLiteral("透明标签2"),
                                          QStringLiteral("财务端数据查看"), {14, 44, 136, 20});
    for (QLabel* label : {name, role}) {
        label->setEnabled(false);
        label->setStyleSheet(QStringLiteral("background: transparent; color: #ffffff;"));
    }
    QFont big = name->font();
    big.setPixelSize(18);
    big.setBold(true);
    name->setFont(big);

    const int tile_x[] = {200, 371, 542, 713};
    for (int i = 0; i < 4; ++i) {
        tiles_[i] = new PictureButton(header_);
        tiles_[i]->setObjectName(QStringLiteral("图形按钮%1").arg(i + 1));
        tiles_[i]->setGeometry(tile_x[i], 8, 64, 64);
        connect(tiles_[i], &PictureButton::clicked, this, [this, i] { show_page(i); });
    }

    fee_label_ = form_transparent_label(header_, QStringLiteral("透明标签7"),
                                        QStringLiteral("手续费"), {837, 9, 40, 16});
    fee_label_->setStyleSheet(QStringLiteral("background: transparent; color: #ffffff;"));
    fee_label_->setCursor(Qt::PointingHandCursor);
    fee_label_->installEventFilter(this);

    auto* minimise = new PictureButton(header_);
    minimise->setObjectName(QStringLiteral("图形按钮5"));
    minimise->setGeometry(883, 8, 18, 18);
    minimise->set_pictures(minimise_glyph(false, devicePixelRatioF()),
                           minimise_glyph(true, devicePixelRatioF()));
    connect(minimise, &PictureButton::clicked, this, &QWidget::showMinimized);

    auto* close_tile = new PictureButton(header_);
    close_tile->setObjectName(QStringLiteral("图形按钮6"));
    close_tile->setGeometry(907, 8, 18, 18);
    close_tile->set_pictures(header_close_glyph(false, devicePixelRatioF()),
                             header_close_glyph(true, devicePixelRatioF()));
    connect(close_tile, &PictureButton::clicked, this, &QWidget::close);
}

void MainWindow::show_page(int page) {
    const qreal ratio = devicePixelRatioF();
    for (int i = 0; i < 4; ++i) {
        tiles_[i]->set_pictures(tile_picture(kTiles[i], i == page, ratio),
                                tile_picture(kTiles[i], i == page, ratio));
        tiles_[i]->setProperty("look",
                               i == page ? QStringLiteral("selected") : QStringLiteral("normal"));
    }
    pages_->setCurrentIndex(page);
    if (page == 3) {
        init_time_box(coupon_stats_->start_box());
        init_time_box(coupon_stats_->end_box());
    }
}

int MainWindow::current_page() const {
    return pages_->currentIndex();
}

void MainWindow::open_fee_rates() {
    FeeRateWindow window(this);
    window.exec();
}

void MainWindow::open_order_lookup() {
    OrderLookupWindow window(this);
    window.exec();
}

void MainWindow::open_support_link() {
    const DeploySettings settings = load_deploy_settings();
    if (settings.support_account.empty()) {
        return;
    }
    QDesktopServices::openUrl(
        QUrl(QStringLiteral("tencent://Message/?Uin=%1&websiteName=%2&Menu=yes")
                 .arg(QString::fromStdString(settings.support_account), QStringLiteral("xinghe"))));
}

bool MainWindow::eventFilter(QObject* watched, QEvent* event) {
    if (watched == fee_label_ && event->type() == QEvent::MouseButtonPress &&
        static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton) {
        open_fee_rates();
        return true;
    }
    // No system frame: dragging the header strip moves the window.
    if (watched == header_) {
        auto* mouse = static_cast<QMouseEvent*>(event);
        if (event->type() == QEvent::MouseButtonPress && mouse->button() == Qt::LeftButton) {
            drag_offset_ = mouse->globalPosition().toPoint() - frameGeometry().topLeft();
        } else if (event->type() == QEvent::MouseMove && (mouse->buttons() & Qt::LeftButton)) {
            move(mouse->globalPosition().toPoint() - drag_offset_);
        }
    }
    return QWidget::eventFilter(watched, event);
}
