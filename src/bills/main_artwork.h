#pragma once

#include <QPixmap>

// The main window's header pictures, painted at the screen's pixel ratio.

enum class Tile { Bills, Staff, CouponRecords, CouponStats };

// 64 x 64: white icon and caption on blue; the selected picture shows the
// icon filled.
QPixmap tile_picture(Tile tile, bool selected, qreal ratio);
// 18 x 18 header glyphs.
QPixmap minimise_glyph(bool hover, qreal ratio);
QPixmap header_close_glyph(bool hover, qreal ratio);
