#include "chrome/skin.h"

#include <QApplication>

const char* skin_style_sheet() {
    return R"qss(
QWidget {
    font-family: "WenQuanYi Micro Hei", "Noto Sans CJK SC", sans-serif;
    font-size: 12px;
    color: #1f2d3d;
}
QDialog, QMainWindow, QMessageBox { background: #ffffff; }
QPushButton {
    background: #2d8cf0; color: #ffffff; border: 1px solid #2b85e4;
    border-radius: 3px; padding: 3px 10px;
}
QPushButton:hover { background: #57a3f3; }
QPushButton:pressed { background: #2b85e4; }
QPushButton:disabled { background: #c5c8ce; border-color: #c5c8ce; color: #f7f7f7; }
QLineEdit, QComboBox {
    background: #ffffff; border: 1px solid #dcdee2; border-radius: 3px; padding: 1px 4px;
}
QLineEdit:focus, QComboBox:focus { border-color: #57a3f3; }
QLineEdit:disabled { background: #f3f3f3; }
QComboBox QAbstractItemView { border: 1px solid #dcdee2; selection-background-color: #e6f2fe;
    selection-color: #1f2d3d; }
QRadioButton { spacing: 4px; }
QTableView {
    background: #ffffff; border: 1px solid #dcdee2;
    selection-background-color: #e6f2fe; selection-color: #1f2d3d;
    alternate-background-color: #f8f8f9;
}
QHeaderView::section {
    background: #f8f8f9; border: none; border-right: 1px solid #e8eaec;
    border-bottom: 1px solid #e8eaec; padding: 3px 4px;
}
QTabWidget::pane { border: 1px solid #dcdee2; top: -1px; }
QTabBar::tab {
    background: #f8f8f9; border: 1px solid #dcdee2; padding: 4px 14px; margin-right: 2px;
}
QTabBar::tab:selected { background: #ffffff; border-bottom-color: #ffffff; color: #2d8cf0; }
QMenu { background: #ffffff; border: 1px solid #dcdee2; }
QMenu::item { padding: 4px 20px; }
QMenu::item:selected { background: #e6f2fe; }
QCalendarWidget QToolButton { color: #1f2d3d; background: transparent; }
QProgressDialog { background: #ffffff; }
)qss";
}

void install_skin() {
    if (qApp) {
        qApp->setStyleSheet(QString::fromUtf8(skin_style_sheet()));
    }
}
