#include "timeentry/date_picker_window.h"

#include <QAbstractItemView>
#include <QCalendarWidget>
#include <QEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPushButton>
#include <QTimer>

#include "chrome/form_controls.h"
#include "timeentry/time_box.h"

namespace {

QPointer<DatePickerWindow> open_window;

// The form's calendar draws its month title between the year and month
// buttons; Qt's own navigation bar would lie under them, so it is replaced by
// this title area.
constexpr int kTitleHeight = 34;

QDate to_qdate(const DateTime& t) {
    return QDate(t.year, t.month, t.day);
}

DateTime from_qdate(const QDate& date) {
    return {date.year(), date.month(), date.day(), 0, 0, 0};
}

}  // namespace

DatePickerWindow::DatePickerWindow() : QWidget(nullptr, Qt::Tool | Qt::FramelessWindowHint) {
    setAttribute(Qt::WA_DeleteOnClose);
    setObjectName(QStringLiteral("DatePickerWindow"));
    setWindowTitle(QString());
    setFixedSize(281, 163);

    calendar_ = new QCalendarWidget(this);
    calendar_->setObjectName(QStringLiteral("月历"));
    calendar_->setGeometry(0, 0, 280, 168);
    calendar_->setLocale(QLocale(QLocale::Chinese, QLocale::China));
    calendar_->setNavigationBarVisible(false);
    calendar_->setVerticalHeaderFormat(QCalendarWidget::NoVerticalHeader);
    calendar_->setDateRange(to_qdate(kFirstCalendarDate), to_qdate(kLastCalendarDate));
    calendar_->setContentsMargins(0, kTitleHeight, 0, 0);
    title_ = new QLabel(calendar_);
    title_->setObjectName(QStringLiteral("月历标题"));
    title_->setGeometry(0, 0, 280, kTitleHeight);
    title_->setAlignment(Qt::AlignCenter);
    if (auto* days =
            calendar_->findChild<QAbstractItemView*>(QString(), Qt::FindDirectChildrenOnly)) {
        days->viewport()->installEventFilter(this);
    }

    struct Step {
        const char* name;
        const char* glyph;
        QRect place;
        int months;
    };
    const Step steps[] = {
        {"左年按钮", "«", {51, 0, 22, 16}, -12},
        {"右年按钮", "»", {203, 0, 22, 16}, 12},
        {"左年按钮1", "‹", {51, 17, 22, 16}, -1},
        {"右年按钮1", "›", {203, 17, 22, 16}, 1},
    };
    for (const Step& step : steps) {
        QPushButton* button = form_button(this, QString::fromUtf8(step.name),
                                          QString::fromUtf8(step.glyph), step.place);
        // The keyboard stays with the calendar.
        button->setFocusPolicy(Qt::NoFocus);
        const int months = step.months;
        connect(button, &QPushButton::clicked, this, [this, months] { step_months(months); });
    }

    // The buttons are smaller than the skin's padding allows for.
    setStyleSheet(QStringLiteral("QPushButton { padding: 0px; }"));

    commit_timer_ = new QTimer(this);
    commit_timer_->setObjectName(QStringLiteral("左键时钟"));
    connect(commit_timer_, &QTimer::timeout, this, &DatePickerWindow::commit_tick);
    watchdog_ = new QTimer(this);
    watchdog_->setObjectName(QStringLiteral("时钟1"));
    connect(watchdog_, &QTimer::timeout, this, [this] {
        if (!target_) {
            close();
        }
    });

    connect(calendar_, &QCalendarWidget::selectionChanged, this, [this] {
        if (!showing_date_) {
            clicks_.selection_changed();
            commit_timer_->start(50);
        }
    });
    connect(calendar_, &QCalendarWidget::currentPageChanged, this, &DatePickerWindow::show_title);
}

DatePickerWindow* DatePickerWindow::current() {
    return open_window;
}

QLineEdit* DatePickerWindow::target() const {
    return target_;
}

void DatePickerWindow::prepare(QLineEdit* box) {
    target_ = box;
    clicks_.reset();
    commit_timer_->stop();
    watchdog_->start(1);
    show_date(calendar_date_of_box(box->text().toStdString()));
}

void DatePickerWindow::show_date(const DateTime& date) {
    showing_date_ = true;
    calendar_->setSelectedDate(to_qdate(date));
    calendar_->setCurrentPage(date.year, date.month);
    showing_date_ = false;
    show_title(date.year, date.month);
}

void DatePickerWindow::step_months(int months) {
    show_date(shift_calendar_date(from_qdate(calendar_->selectedDate()), months));
}

void DatePickerWindow::show_title(int year, int month) {
    title_->setText(QStringLiteral("%1年%2月").arg(year).arg(month));
}

void DatePickerWindow::commit_tick() {
    if (!clicks_.tick()) {
        return;
    }
    if (target_) {
        target_->setText(QString::fromStdString(
            date_pick_text(from_qdate(calendar_->selectedDate()), target_->text().toStdString())));
    }
    close();
}

bool DatePickerWindow::event(QEvent* event) {
    if (event->type() == QEvent::WindowDeactivate && isVisible()) {
        close();
    }
    return QWidget::event(event);
}

bool DatePickerWindow::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::MouseButtonPress &&
        static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton) {
        clicks_.press();
        commit_timer_->start(50);
    }
    return QWidget::eventFilter(watched, event);
}

void open_date_picker(QLineEdit* box) {
    if (!open_window) {
        open_window = new DatePickerWindow;
    }
    open_window->prepare(box);
    show_picker_under(open_window, box);
    open_window->calendar_->setFocus();
}
