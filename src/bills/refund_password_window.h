#pragma once

#include <QDialog>

// A new refund password for the shop. The program keeps no copy and never
// shows it: the file the user chooses is the only place that holds it.
class RefundPasswordWindow : public QDialog {
    Q_OBJECT
public:
    explicit RefundPasswordWindow(QWidget* parent = nullptr);

private:
    void generate();
};
