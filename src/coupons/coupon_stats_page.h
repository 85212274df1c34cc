#pragma once

#include <QWidget>

class QLabel;
class QLineEdit;
class QPushButton;
class ReportView;

// Page "卡券统计" of the main window: coupon counts and amounts by kind, and
// the figures of the shop's WeChat mall.
class CouponStatsPage : public QWidget {
    Q_OBJECT
public:
    explicit CouponStatsPage(QWidget* parent = nullptr);

    QLineEdit* start_box() const { return start_box_; }
    QLineEdit* end_box() const { return end_box_; }
    ReportView* stats() const { return stats_; }
    ReportView* mall_refunds() const { return mall_refunds_; }
    QPushButton* export_button() const { return export_button_; }

signals:
    // "美团点评金额：" pressed: the support link.
    void support_link_pressed();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QLineEdit* start_box_;
    QLineEdit* end_box_;
    QPushButton* export_button_;
    QLabel* support_label_;
    ReportView* stats_;
    ReportView* mall_refunds_;
};
