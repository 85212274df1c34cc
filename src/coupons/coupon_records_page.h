#pragma once

#include <QWidget>

class QLineEdit;
class ReportView;

// Page "验券记录" of the main window: the coupons the shop's staff verified.
class CouponRecordsPage : public QWidget {
    Q_OBJECT
public:
    explicit CouponRecordsPage(QWidget* parent = nullptr);

    QLineEdit* start_box() const { return start_box_; }
    QLineEdit* end_box() const { return end_box_; }
    ReportView* records() const { return records_; }

private:
    QLineEdit* start_box_;
    QLineEdit* end_box_;
    ReportView* records_;
};
