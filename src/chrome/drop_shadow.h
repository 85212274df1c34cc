#pragma once

#include <QColor>
#include <QImage>
#include <QRect>
#include <optional>

class QPainter;
class QWidget;

// The soft shadow around a frameless window: a band of black whose alpha
// rises from the outside in, drawn by a transparent window that follows the
// shadowed one and hides while it is minimised, maximised or hidden.

// Puts a shadow around the window, or changes the one it has. Colour 0 with
// size 5 or 10 uses the built-in pictures; another colour or size draws
// rounded outlines. A size given as 0 or less removes the shadow. True when
// a shadow is in place; false too when the desktop cannot show translucent
// windows (the window then simply has no shadow).
bool attach_shadow(QWidget* window, QRgb colour = 0, std::optional<int> size = std::nullopt);

// The shadow window of a window, or nullptr.
QWidget* shadow_of(const QWidget* window);

// The built-in 100 x 100 pictures: 5- or 10-pixel bands (other sizes give
// the 5-pixel one).
const QImage& builtin_shadow_picture(int size);

// The shadow for a window of the given outer size (shadow included).
QImage render_shadow(QSize size, QRgb colour, int shadow_size);

// Draws a picture into target, its corners unscaled and its edges and
// centre stretched.
void draw_nine_slice(QPainter& painter, const QImage& picture, const QRect& target);
