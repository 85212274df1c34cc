#include "login/login_artwork.h"

#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>

namespace {

QPixmap canvas(int width, int height, qreal ratio) {
    QPixmap pixmap(QSize(width, height) * ratio);
    pixmap.setDevicePixelRatio(ratio);
    pixmap.fill(Qt::transparent);
    return pixmap;
}

QFont artwork_font(int pixel_size, bool bold = false) {
    QFont font(QStringLiteral("WenQuanYi Micro Hei"));
    font.setPixelSize(pixel_size);
    font.setBold(bold);
    return font;
}

const QColor kBlue(45, 140, 240);

void draw_user_icon(QPainter& p, QPointF at) {
    p.setPen(Qt::NoPen);
    p.setBrush(kBlue);
    p.drawEllipse(QRectF(at.x() + 4, at.y(), 8, 8));
    QPainterPath body;
    body.moveTo(at.x(), at.y() + 16);
    body.cubicTo(at.x(), at.y() + 9, at.x() + 16, at.y() + 9, at.x() + 16, at.y() + 16);
    body.closeSubpath();
    p.drawPath(body);
}

void draw_lock_icon(QPainter& p, QPointF at) {
    p.setPen(QPen(kBlue, 2));
    p.setBrush(Qt::NoBrush);
    p.drawArc(QRectF(at.x() + 3, at.y(), 10, 10), 0, 180 * 16);
    p.setPen(Qt::NoPen);
    p.setBrush(kBlue);
    p.drawRoundedRect(QRectF(at.x(), at.y() + 6, 16, 11), 2, 2);
}

}  // namespace

QPixmap login_background(qreal ratio) {
    QPixmap pixmap = canvas(960, 540, ratio);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);

    QLinearGradient sky(0, 0, 960, 540);
    sky.setColorAt(0.0, QColor(18, 64, 156));
    sky.setColorAt(0.55, QColor(33, 110, 214));
    sky.setColorAt(1.0, QColor(70, 160, 235));
    p.fillRect(QRect(0, 0, 960, 540), sky);
    // Soft lights, for the look of a photograph of a city at dusk.
    const struct {
        QPointF centre;
        qreal radius;
        int alpha;
    } lights[] = {
        {{140, 420}, 260, 60}, {{820, 120}, 300, 45}, {{900, 480}, 180, 50}, {{300, 90}, 160, 35}};
    for (const auto& light : lights) {
        QRadialGradient glow(light.centre, light.radius);
        glow.setColorAt(0.0, QColor(255, 255, 255, light.alpha));
        glow.setColorAt(1.0, QColor(255, 255, 255, 0));
        p.setPen(Qt::NoPen);
        p.setBrush(glow);
        p.drawEllipse(light.centre, light.radius, light.radius);
    }

    // The card.
    QRectF card(330, 130, 300, 300);
    p.setBrush(QColor(0, 0, 0, 40));
    p.drawRoundedRect(card.translated(0, 4), 14, 14);
    p.setBrush(Qt::white);
    p.drawRoundedRect(card, 14, 14);

    p.setPen(QColor(51, 51, 51));
    p.setFont(artwork_font(20, true));
    p.drawText(QRectF(330, 138, 300, 36), Qt::AlignCenter, QStringLiteral("账号登录"));

    p.setFont(artwork_font(14));
    draw_user_icon(p, {372, 180});
    p.setPen(QColor(81, 90, 110));
    p.drawText(QRectF(396, 176, 120, 24), Qt::AlignVCenter | Qt::AlignLeft,
               QStringLiteral("用户名"));
    draw_lock_icon(p, {372, 267});
    p.setPen(QColor(81, 90, 110));
    p.drawText(QRectF(396, 264, 120, 24), Qt::AlignVCenter | Qt::AlignLeft, QStringLiteral("密码"));
    return pixmap;
}

QPixmap field_frame(bool focused, qreal ratio) {
    QPixmap pixmap = canvas(220, 35, ratio);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(focused ? kBlue : QColor(190, 203, 222), 1));
    p.setBrush(focused ? QColor(255, 255, 255) : QColor(241, 245, 249));
    p.drawRoundedRect(QRectF(0.5, 0.5, 219, 34), 6, 6);
    return pixmap;
}

QPixmap remember_picture(bool on, qreal ratio) {
    QPixmap pixmap = canvas(120, 30, ratio);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    QRectF circle(6, 8, 14, 14);
    if (on) {
        p.setPen(Qt::NoPen);
        p.setBrush(kBlue);
        p.drawEllipse(circle);
        p.setPen(QPen(Qt::white, 2, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        p.drawPolyline(QPolygonF({{9.5, 15.0}, {12.0, 17.5}, {16.5, 12.5}}));
    } else {
        p.setPen(QPen(QColor(170, 176, 188), 1.5));
        p.setBrush(Qt::white);
        p.drawEllipse(circle);
    }
    p.setPen(on ? QColor(51, 51, 51) : QColor(128, 134, 149));
    p.setFont(artwork_font(13));
    p.drawText(QRectF(26, 0, 94, 30), Qt::AlignVCenter | Qt::AlignLeft, QStringLiteral("记住密码"));
    return pixmap;
}

QPixmap sign_in_bar(bool hover, qreal ratio) {
    QPixmap pixmap = canvas(220, 40, ratio);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    QLinearGradient fill(0, 0, 0, 40);
    fill.setColorAt(0.0, hover ? QColor(28, 108, 200) : QColor(64, 158, 255));
    fill.setColorAt(1.0, hover ? QColor(20, 90, 178) : QColor(45, 140, 240));
    p.setPen(Qt::NoPen);
    p.setBrush(fill);
    p.drawRoundedRect(QRectF(0, 0, 220, 40), 6, 6);
    p.setPen(Qt::white);
    p.setFont(artwork_font(16, true));
    p.drawText(QRectF(0, 0, 220, 40), Qt::AlignCenter, QStringLiteral("立即登录"));
    return pixmap;
}

QPixmap close_glyph(bool hover, qreal ratio) {
    QPixmap pixmap = canvas(40, 40, ratio);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    if (hover) {
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(232, 17, 35));
        p.drawEllipse(QRectF(4, 4, 32, 32));
    }
    p.setPen(QPen(Qt::white, 2.2, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(14, 14), QPointF(26, 26));
    p.drawLine(QPointF(26, 14), QPointF(14, 26));
    return pixmap;
}
