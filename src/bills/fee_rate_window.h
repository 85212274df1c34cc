#pragma once

#include <QDialog>

class QLineEdit;

// The shop's own fee rates for Alipay and WeChat Pay, in percent.
class FeeRateWindow : public QDialog {
    Q_OBJECT
public:
    explicit FeeRateWindow(QWidget* parent = nullptr);

private:
    void save();

    QLineEdit* zhifubao_;
    QLineEdit* weixin_;
};
