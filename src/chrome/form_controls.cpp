#include "chrome/form_controls.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>

namespace {

template <typename Widget>
Widget* placed(Widget* widget, const QString& name, QRect place) {
    widget->setObjectName(name);
    widget->setGeometry(place);
    return widget;
}

}  // namespace

QLabel* form_label(QWidget* parent, const QString& name, const QString& text, QRect place) {
    return placed(new QLabel(text, parent), name, place);
}

QLabel* form_transparent_label(QWidget* parent, const QString& name, const QString& text,
                               QRect place) {
    QLabel* label = form_label(parent, name, text, place);
    label->setAttribute(Qt::WA_TranslucentBackground);
    label->setStyleSheet(QStringLiteral("background: transparent;"));
    return label;
}

QPushButton* form_button(QWidget* parent, const QString& name, const QString& text, QRect place) {
    return placed(new QPushButton(text, parent), name, place);
}

QLineEdit* form_edit(QWidget* parent, const QString& name, QRect place) {
    return placed(new QLineEdit(parent), name, place);
}

QRadioButton* form_radio(QWidget* parent, const QString& name, const QString& text, QRect place) {
    return placed(new QRadioButton(text, parent), name, place);
}
