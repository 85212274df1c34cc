#pragma once

#include <QWidget>

class QLineEdit;

// Page "员工管理" of the main window: add, delete and reset staff members by
// work id, and a new refund password for the shop.
class StaffPage : public QWidget {
    Q_OBJECT
public:
    explicit StaffPage(QWidget* parent = nullptr);

signals:
    // The shop's staff changed: the staff choice must be filled again.
    void staff_changed();

private:
    void add_member();
    void delete_member();
    void reset_password();
    void open_refund_password();

    QLineEdit* workid_;
    QLineEdit* name_;
    QLineEdit* password_;
};
