#pragma once

#include <QPixmap>

// The login screen's pictures, painted at the screen's pixel ratio so they
// stay sharp on high-density screens. Sizes are in device-independent pixels.

// 960 x 540: a blue backdrop with a white rounded card holding the labels
// 用户名 and 密码 with their icons.
QPixmap login_background(qreal ratio);
// 220 x 35: the frame of an input box, idle (grey-blue) or focused (white).
QPixmap field_frame(bool focused, qreal ratio);
// 120 x 30: 记住密码 with a blue ticked circle (on) or a grey circle (off).
QPixmap remember_picture(bool on, qreal ratio);
// 220 x 40: the 立即登录 bar, darker while the pointer is over it.
QPixmap sign_in_bar(bool hover, qreal ratio);
// 40 x 40: the close glyph.
QPixmap close_glyph(bool hover, qreal ratio);
