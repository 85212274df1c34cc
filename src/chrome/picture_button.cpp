#include "chrome/picture_button.h"

#include <QPainter>

PictureButton::PictureButton(QWidget* parent) : QAbstractButton(parent) {
    setCursor(Qt::PointingHandCursor);
    setFocusPolicy(Qt::NoFocus);
}

void PictureButton::set_pictures(const QPixmap& normal, const QPixmap& hover) {
    normal_ = normal;
    hover_ = hover.isNull() ? normal : hover;
    update();
}

QSize PictureButton::sizeHint() const {
    return normal_.isNull() ? QSize(16, 16) : normal_.deviceIndependentSize().toSize();
}

void PictureButton::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    const QPixmap& picture = underMouse() ? hover_ : normal_;
    if (!picture.isNull()) {
        painter.drawPixmap(rect(), picture);
    }
}

void PictureButton::enterEvent(QEnterEvent* event) {
    update();
    QAbstractButton::enterEvent(event);
}

void PictureButton::leaveEvent(QEvent* event) {
    update();
    QAbstractButton::leaveEvent(event);
}
