#pragma once

#include <QPoint>
#include <QWidget>

class BillsPage;
class CouponRecordsPage;
class CouponStatsPage;
class GlobalHotKey;
class PictureButton;
class QLabel;
class QMenu;
class QTabWidget;
class StaffPage;

// The client's working window after sign-in: a header strip whose four tiles
// switch between the pages 门店账单, 员工管理, 验券记录 and 卡券统计.
// Closing it ends the program.
class MainWindow : public QWidget {
    Q_OBJECT
public:
    explicit MainWindow(QWidget* parent = nullptr);
    ~MainWindow() override;

    // Shows page 0 to 3 as its tile does.
    void show_page(int page);
    int current_page() const;

    BillsPage* bills_page() const { return bills_; }
    StaffPage* staff_page() const { return staff_; }
    CouponRecordsPage* coupon_records_page() const { return coupon_records_; }
    CouponStatsPage* coupon_stats_page() const { return coupon_stats_; }
    QMenu* print_menu() const { return print_menu_; }
    QMenu* refund_menu() const { return refund_menu_; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void build_header(QWidget* frame);
    void open_fee_rates();
    void open_order_lookup();
    void open_support_link();

    QWidget* header_ = nullptr;
    PictureButton* tiles_[4] = {};
    QLabel* fee_label_ = nullptr;
    QTabWidget* pages_ = nullptr;
    BillsPage* bills_ = nullptr;
    StaffPage* staff_ = nullptr;
    CouponRecordsPage* coupon_records_ = nullptr;
    CouponStatsPage* coupon_stats_ = nullptr;
    QMenu* print_menu_ = nullptr;
    QMenu* refund_menu_ = nullptr;
    GlobalHotKey* hot_key_ = nullptr;
    QPoint drag_offset_;
};
