#pragma once

#include <QRect>
#include <QString>

class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QWidget;

// Controls as the forms lay them out: a name (the object name tests and
// handlers find them by), a place and a size in pixels within the parent.

QLabel* form_label(QWidget* parent, const QString& name, const QString& text, QRect place);
// A label drawn without background over whatever lies below it.
QLabel* form_transparent_label(QWidget* parent, const QString& name, const QString& text,
                               QRect place);
QPushButton* form_button(QWidget* parent, const QString& name, const QString& text, QRect place);
QLineEdit* form_edit(QWidget* parent, const QString& name, QRect place);
QRadioButton* form_radio(QWidget* parent, const QString& name, const QString& text, QRect place);
