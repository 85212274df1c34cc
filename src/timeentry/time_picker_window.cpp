#include "timeentry/time_picker_window.h"

#include <QEvent>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableWidget>

#include "chrome/form_controls.h"
#include "timeentry/time_box.h"
#include "timeentry/time_picker_rules.h"

namespace {

QPointer<TimePickerWindow> open_window;

constexpr int kCellSize = 24;

}  // namespace

TimePickerWindow::TimePickerWindow() : QWidget(nullptr, Qt::Tool | Qt::FramelessWindowHint) {
    setAttribute(Qt::WA_DeleteOnClose);
    setObjectName(QStringLiteral("TimePickerWindow"));
    setWindowTitle(QString());
    setFixedSize(244, 166);

    grid_ = new QTableWidget(kTimeGridRows, kTimeGridColumns, this);
    grid_->setObjectName(QStringLiteral("时间高级表格"));
    grid_->setGeometry(0, 0, 244, 148);
    for (QHeaderView* header : {grid_->horizontalHeader(), grid_->verticalHeader()}) {
        header->hide();
        header->setMinimumSectionSize(1);
        header->setDefaultSectionSize(kCellSize);
        header->setSectionResizeMode(QHeaderView::Fixed);
    }
    grid_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    grid_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    grid_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    grid_->setSelectionMode(QAbstractItemView::SingleSelection);
    grid_->installEventFilter(this);
    for (int row = 0; row < kTimeGridRows; ++row) {
        for (int column = 0; column < kTimeGridColumns; ++column) {
            auto* cell = new QTableWidgetItem;
            cell->setTextAlignment(Qt::AlignCenter);
            cell->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable);
            grid_->setItem(row, column, cell);
        }
    }
    connect(grid_, &QTableWidget::cellClicked, this, &TimePickerWindow::pick_cell);

    caption_ = form_transparent_label(this, QStringLiteral("透明标签1"), QStringLiteral("透明标签"),
                                      {72, 148, 100, 20});
    caption_->setAlignment(Qt::AlignCenter);
    QPushButton* earliest =
        form_button(this, QStringLiteral("按钮1"), QStringLiteral("最小时间"), {0, 147, 56, 20});
    QPushButton* latest =
        form_button(this, QStringLiteral("按钮2"), QStringLiteral("最大时间"), {189, 147, 56, 20});
    for (QPushButton* button : {earliest, latest}) {
        // Typed digits must keep reaching the grid.
        button->setFocusPolicy(Qt::NoFocus);
    }
    // The buttons are smaller than the skin's padding allows for.
    setStyleSheet(QStringLiteral("QPushButton { padding: 0px; }"));

    connect(earliest, &QPushButton::clicked, this, [this] { set_time_of_day(false); });
    connect(latest, &QPushButton::clicked, this, [this] { set_time_of_day(true); });
}

TimePickerWindow* TimePickerWindow::current() {
    return open_window;
}

QLineEdit* TimePickerWindow::target() const {
    return target_;
}

void TimePickerWindow::prepare_time_grid(QLineEdit* box) {
    if (target_ != box) {
        disconnect(target_gone_);
        target_ = box;
        target_gone_ = connect(box, &QObject::destroyed, this, &QWidget::close);
    }
    const TimeField field = time_field_at(time_box_caret(box));
    const std::string caption = time_field_caption(field);
    if (!caption.empty()) {
        caption_->setText(QString::fromStdString(caption));
    }
    const std::vector<std::string> cells = time_grid_cells(field);
    for (int i = 0; i < static_cast<int>(cells.size()); ++i) {
        grid_->item(i / kTimeGridColumns, i % kTimeGridColumns)
            ->setText(QString::fromStdString(cells[i]));
    }
    grid_->setCurrentItem(nullptr);
}

void TimePickerWindow::pick_cell(int row, int column) {
    const QString value = grid_->item(row, column)->text();
    if (!value.isEmpty() && target_) {
        const TimeBoxEdit edit = pick_time_value(target_->text().toStdString(),
                                                 time_box_caret(target_), value.toStdString());
        write_time_box(target_, edit.text, edit.caret);
    }
    close();
}

void TimePickerWindow::set_time_of_day(bool latest) {
    if (target_) {
        const std::string text = target_->text().toStdString();
        target_->setText(
            QString::fromStdString(latest ? latest_time_of_day(text) : earliest_time_of_day(text)));
    }
    close();
}

void TimePickerWindow::handle_key(const QKeyEvent* event) {
    if (!target_) {
        close();
        return;
    }
    switch (event->key()) {
        case Qt::Key_Backspace:
        case Qt::Key_Return:
        case Qt::Key_Enter:
        case Qt::Key_Delete:
            close();
            return;
        case Qt::Key_Left:
        case Qt::Key_Right:
            write_time_box(
                target_, target_->text().toStdString(),
                caret_after_arrow(time_box_caret(target_),
                                  event->key() == Qt::Key_Left ? ArrowKey::left : ArrowKey::right));
            prepare_time_grid(target_);
            return;
        default:
            break;
    }
    const QString typed = event->text();
    if (typed.isEmpty() || typed.at(0).category() == QChar::Other_Control) {
        return;
    }
    const TimeBoxEdit edit = roll_typed_char(target_->text().toStdString(), time_box_caret(target_),
                                             typed.toStdString());
    write_time_box(target_, edit.text, edit.caret);
}

bool TimePickerWindow::event(QEvent* event) {
    if (event->type() == QEvent::WindowDeactivate && isVisible()) {
        close();
    }
    return QWidget::event(event);
}

// The grid's keys are the picker's: the same handler as on the window.
bool TimePickerWindow::eventFilter(QObject* watched, QEvent* event) {
    if (watched == grid_ && event->type() == QEvent::KeyPress) {
        handle_key(static_cast<QKeyEvent*>(event));
        return true;
    }
    return QWidget::eventFilter(watched, event);
}

void TimePickerWindow::keyPressEvent(QKeyEvent* event) {
    handle_key(event);
}

void open_time_grid(QLineEdit* box) {
    if (!open_window) {
        open_window = new TimePickerWindow;
    }
    open_window->prepare_time_grid(box);
    show_picker_under(open_window, box);
    open_window->grid_->setFocus();
}
