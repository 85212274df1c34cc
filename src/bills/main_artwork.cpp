#include "bills/main_artwork.h"

#include <QPainter>
#include <QPainterPath>

namespace {

const QColor kHeaderBlue(45, 140, 240);

QPixmap canvas(int side, qreal ratio) {
    QPixmap pixmap(QSize(side, side) * ratio);
    pixmap.setDevicePixelRatio(ratio);
    pixmap.fill(Qt::transparent);
    return pixmap;
}

QString caption(Tile tile) {
    switch (tile) {
        case Tile::Bills:
            return QStringLiteral("门店账单");
        case Tile::Staff:
            return QStringLiteral("员工管理");
        case Tile::CouponRecords:
            return QStringLiteral("验券记录");
        case Tile::CouponStats:
            return QStringLiteral("卡券统计");
    }
    return {};
}

// Icons drawn in a 28 x 28 box at (18, 6); filled when selected.
void draw_icon(QPainter& p, Tile tile, bool filled) {
    const QColor white(255, 255, 255);
    p.setPen(QPen(white, 2, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.setBrush(filled ? QBrush(white) : QBrush(Qt::NoBrush));
    const QColor detail = filled ? kHeaderBlue : white;
    switch (tile) {
        case Tile::Bills: {
            p.drawRoundedRect(QRectF(22, 6, 20, 26), 2, 2);
            p.setPen(QPen(detail, 2, Qt::SolidLine, Qt::RoundCap));
            for (int y : {13, 19, 25}) {
                p.drawLine(QPointF(26, y), QPointF(38, y));
            }
            break;
        }
        case Tile::Staff: {
            p.drawEllipse(QRectF(26, 6, 12, 12));
            QPainterPath body;
            body.moveTo(20, 33);
            body.cubicTo(20, 20, 44, 20, 44, 33);
            body.closeSubpath();
            p.drawPath(body);
            break;
        }
        case Tile::CouponRecords: {
            QPainterPath ticket;
            ticket.addRoundedRect(QRectF(18, 10, 28, 20), 3, 3);
            QPainterPath notch;
            notch.addEllipse(QPointF(18, 20), 3.5, 3.5);
            notch.addEllipse(QPointF(46, 20), 3.5, 3.5);
            p.drawPath(ticket.subtracted(notch));
            p.setPen(QPen(detail, 2, Qt::DashLine));
            p.drawLine(QPointF(34, 12), QPointF(34, 28));
            break;
        }
        case Tile::CouponStats: {
            p.setPen(QPen(white, 2, Qt::SolidLine, Qt::RoundCap));
            p.drawLine(QPointF(18, 32), QPointF(46, 32));
            const QRectF bars[] = {{21, 20, 6, 12}, {29, 12, 6, 20}, {37, 6, 6, 26}};
            for (const QRectF& bar : bars) {
                p.drawRect(bar);
            }
            break;
        }
    }
}

QPixmap glyph(bool hover, qreal ratio, bool close) {
    QPixmap pixmap = canvas(18, ratio);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    if (hover) {
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(255, 255, 255, 60));
        p.drawRoundedRect(QRectF(0, 0, 18, 18), 3, 3);
    }
    p.setPen(QPen(Qt::white, 1.6, Qt::SolidLine, Qt::RoundCap));
    if (close) {
        p.drawLine(QPointF(5, 5), QPointF(13, 13));
        p.drawLine(QPointF(13, 5), QPointF(5, 13));
    } else {
        p.drawLine(QPointF(4.5, 9), QPointF(13.5, 9));
    }
    return pixmap;
}

}  // namespace

QPixmap tile_picture(Tile tile, bool selected, qreal ratio) {
    QPixmap pixmap = canvas(64, ratio);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    if (selected) {
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(255, 255, 255, 40));
        p.drawRoundedRect(QRectF(0, 0, 64, 64), 6, 6);
    }
    draw_icon(p, tile, selected);
    QFont font(QStringLiteral("WenQuanYi Micro Hei"));
    font.setPixelSize(12);
    p.setFont(font);
    p.setPen(Qt::white);
    p.drawText(QRectF(0, 40, 64, 20), Qt::AlignCenter, caption(tile));
    return pixmap;
}

QPixmap minimise_glyph(bool hover, qreal ratio) {
    return glyph(hover, ratio, false);
}

QPixmap header_close_glyph(bool hover, qreal ratio) {
    return glyph(hover, ratio, true);
}
