#include "timeentry/time_box.h"

#include <QEvent>
#include <QLineEdit>
#include <QMouseEvent>
#include <QObject>
#include <ctime>

#include "chrome/form_controls.h"
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

// Qt counts offsets in UTF-16 units, the box texts' rules in characters.
int units_of_char_at(const QString& text, int i) {
    return text.at(i).isHighSurrogate() && i + 1 < text.size() && text.at(i + 1).isLowSurrogate()
               ? 2
               : 1;
}

int utf16_offset(const QString& text, int chars) {
    int i = 0;
    for (int n = 0; n < chars && i < text.size(); ++n) {
        i += units_of_char_at(text, i);
    }
    return i;
}

int char_offset(const QString& text, int utf16) {
    int chars = 0;
    for (int i = 0; i < utf16 && i < text.size(); ++chars) {
        i += units_of_char_at(text, i);
    }
    return chars;
}

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

QLineEdit* form_time_box(QWidget* parent, const QString& name, QRect place) {
    QLineEdit* box = form_edit(parent, name, place);
    box->installEventFilter(new PickerOpener(box));
    return box;
}

void open_time_picker(QLineEdit* box) {
    const int caret = time_box_caret(box);
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

int time_box_caret(const QLineEdit* box) {
    return char_offset(box->text(),
                       box->hasSelectedText() ? box->selectionStart() : box->cursorPosition());
}

void write_time_box(QLineEdit* box, const std::string& text, int caret) {
    const QString new_text = QString::fromStdString(text);
    if (box->text() != new_text) {
        box->setText(new_text);
    }
    box->setCursorPosition(utf16_offset(new_text, caret));
}

void show_picker_under(QWidget* picker, const QLineEdit* box) {
    picker->move(box->mapToGlobal(QPoint(0, box->height())));
    // A picker still open for another box comes back to the front.
    if (picker->isVisible()) {
        picker->raise();
    }
    picker->show();
    picker->activateWindow();
}

std::string box_unix_seconds(const QLineEdit* box) {
    return box_text_seconds(box->text().toStdString());
}
