#pragma once

#include <QWidget>

class QButtonGroup;
class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QTabWidget;
class ReportView;

// Page "门店账单" of the main window: the bill range, the channel and
// cashier filters, the three bill lists and their total.
class BillsPage : public QWidget {
    Q_OBJECT
public:
    explicit BillsPage(QWidget* parent = nullptr);

    QLineEdit* start_box() const { return start_box_; }
    QLineEdit* end_box() const { return end_box_; }
    QComboBox* staff_choice() const { return staff_choice_; }
    ReportView* paid_list() const { return paid_list_; }
    ReportView* failed_list() const { return failed_list_; }
    ReportView* refund_list() const { return refund_list_; }
    QPushButton* export_button() const { return export_button_; }
    QLabel* total_label() const { return total_; }

public slots:
    // Rebuilds the staff choice from the shop's staff, "全部员工" selected.
    void fill_staff_choice();
    // Prints the receipt of the selected successful payment.
    void print_selected_receipt();

private:
    void run_query();
    void export_paid_list();
    void show_refund_details();

    QLineEdit* start_box_;
    QLineEdit* end_box_;
    QPushButton* query_button_;
    QPushButton* export_button_;
    QRadioButton* channels_[6];
    QButtonGroup* channel_group_;
    QComboBox* staff_choice_;
    QLabel* total_;
    QTabWidget* lists_;
    ReportView* paid_list_;
    ReportView* failed_list_;
    ReportView* refund_list_;
};
