#pragma once

#include <QDialog>

// Mall order lookup, opened with Ctrl+1 from the main window. The lookup
// itself is not part of this release: the window says so.
class OrderLookupWindow : public QDialog {
    Q_OBJECT
public:
    explicit OrderLookupWindow(QWidget* parent = nullptr);
};
