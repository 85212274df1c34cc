#include "timeentry/time_box.h"

#include <QEvent>
#include <QLineEdit>
#include <QMouseEvent>
#include <QObject>
#include <ctime>

#include "timeentry/date_picker_window.h"
#include "timeentry/time_picker_window.h"
#include "timeentry/time_text.h"

namespace {

// Opens a box's picker when the left mouse button is released in it.
class PickerOpener : public QObject {
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::MouseButtonRelease &&
            static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton) {
            if (auto* box = qobject_cast<QLineEdit*>(watched)) {
                open_time_picker(box);
            }
        }
        return false;
    }
};

DateTime now_local() {
    std::time_t now = std::time(nullptr);
    std::tm parts{};
    localtime_r(&now, &parts);
    return DateTime{parts.tm_year + 1900, parts.tm_mon + 1, parts.tm_mday,
                    parts.tm_hour,        parts.tm_min,     parts.tm_sec};
}

}  // namespace

void init_time_box(QLineEdit* box) {
    box->setText(QString::fromStdString(format_time_text(now_local(), true, 1)));
}

void watch_time_box(QLineEdit* box) {
    box->installEventFilter(new PickerOpener(box));
}

void open_time_picker(QLineEdit* box) {
    const int caret = box->hasSelectedText() ? box->selectionStart() : box->cursorPosition();
    // The box is disabled while its picker opens, so the release that opened
    // it cannot reach it twice.
    box->setEnabled(false);
    if (caret <= 10) {
        open_date_picker(box);
    } else {
        open_time_grid(box);
    }
    box->setEnabled(true);
}

std::string box_unix_seconds(const QLineEdit* box) {
    return box_text_seconds(box->text().toStdString());
}
