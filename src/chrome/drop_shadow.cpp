#include "chrome/drop_shadow.h"

#include <QEvent>
#include <QPainter>
#include <QPainterPath>
#include <QPointer>
#include <QWidget>
#include <array>

#include "chrome/compositing.h"

namespace {

constexpr std::array<int, 5> kBand5 = {15, 31, 53, 79, 111};
constexpr std::array<int, 10> kBand10 = {11, 19, 28, 40, 53, 68, 85, 105, 122, 137};

template <size_t N>
QImage band_picture(const std::array<int, N>& alphas) {
    QImage image(100, 100, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    for (int y = 0; y < 100; ++y) {
        for (int x = 0; x < 100; ++x) {
            int from_edge = std::min(std::min(x, y), std::min(99 - x, 99 - y));
            if (from_edge < static_cast<int>(N)) {
                image.setPixel(x, y, qRgba(0, 0, 0, alphas[static_cast<size_t>(from_edge)]));
            }
        }
    }
    return image;
}

class ShadowWindow : public QWidget {
public:
    ShadowWindow(QWidget* target, QRgb colour, int size)
        : QWidget(target, Qt::Tool | Qt::FramelessWindowHint | Qt::WindowTransparentForInput |
                              Qt::WindowDoesNotAcceptFocus | Qt::NoDropShadowWindowHint),
          target_(target),
          colour_(colour),
          size_(size) {
        setObjectName(QStringLiteral("drop-shadow"));
        setAttribute(Qt::WA_TranslucentBackground);
        setAttribute(Qt::WA_ShowWithoutActivating);
        setAttribute(Qt::WA_TransparentForMouseEvents);
        target->installEventFilter(this);
    }

    void configure(QRgb colour, int size) {
        colour_ = colour;
        size_ = size;
        place();
    }

    // Follows the window: same place widened by the shadow's size, hidden
    // while the window is hidden, minimised or maximised.
    void place() {
        if (!target_ || !target_->isVisible() || target_->isMinimized() || target_->isMaximized() ||
            target_->isFullScreen()) {
            hide();
            return;
        }
        QRect frame = target_->frameGeometry();
        if (frame.width() == 0 || frame.height() == 0) {
            return;
        }
        setGeometry(frame.adjusted(-size_, -size_, size_, size_));
        if (!isVisible()) {
            show();
        }
        update();
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (watched == target_) {
            switch (event->type()) {
                case QEvent::Move:
                case QEvent::Resize:
                case QEvent::Show:
                case QEvent::Hide:
                case QEvent::WindowStateChange:
                    place();
                    break;
                default:
                    break;
            }
        }
        return false;
    }

    void paintEvent(QPaintEvent*) override {
        QPainter painter(this);
        painter.setCompositionMode(QPainter::CompositionMode_Source);
        painter.drawImage(rect(), render_shadow(size(), colour_, size_));
    }

private:
    QPointer<QWidget> target_;
    QRgb colour_;
    int size_;
};

}  // namespace

const QImage& builtin_shadow_picture(int size) {
    static const QImage five = band_picture(kBand5);
    static const QImage ten = band_picture(kBand10);
    return size == 10 ? ten : five;
}

void draw_nine_slice(QPainter& painter, const QImage& picture, const QRect& target) {
    const int w = picture.width();
    const int h = picture.height();
    const int m = (w > 80 && h > 80) ? 20 : (w > 50 && h > 50) ? 10 : 5;
    const int W = target.width();
    const int H = target.height();
    const int x = target.x();
    const int y = target.y();
    auto part = [&](QRect to, QRect from) {
        if (to.width() > 0 && to.height() > 0) {
            painter.drawImage(to, picture, from);
        }
    };
    part({x, y, m, m}, {0, 0, m, m});
    part({x + W - m, y, m, m}, {w - m, 0, m, m});
    part({x, y + H - m, m, m}, {0, h - m, m, m});
    part({x + W - m, y + H - m, m, m}, {w - m, h - m, m, m});
    part({x + m, y, W - 2 * m, m}, {m, 0, w - 2 * m, m});
    part({x + m, y + H - m, W - 2 * m, m}, {m, h - m, w - 2 * m, m});
    part({x, y + m, m, H - 2 * m}, {0, m, m, h - 2 * m});
    part({x + W - m, y + m, m, H - 2 * m}, {w - m, m, m, h - 2 * m});
    part({x + m, y + m, W - 2 * m, H - 2 * m}, {m, m, w - 2 * m, h - 2 * m});
}

QImage render_shadow(QSize size, QRgb colour, int shadow_size) {
    QImage image(size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    if (colour == 0 && (shadow_size == 5 || shadow_size == 10)) {
        draw_nine_slice(painter, builtin_shadow_picture(shadow_size), image.rect());
        return image;
    }
    const int S = shadow_size;
    const int W = size.width();
    const int H = size.height();
    const int step = (S < 9 ? 100 : 150) / S;
    QPainterPath outside;
    outside.addRect(0, 0, W, H);
    QPainterPath inside;
    inside.addRect(S, S, W - 2 * S, H - 2 * S);
    painter.setClipPath(outside.subtracted(inside));
    painter.setRenderHint(QPainter::Antialiasing);
    for (int i = 1; i <= S; ++i) {
        QColor pen_colour(qRed(colour), qGreen(colour), qBlue(colour), std::min(255, step * i));
        painter.setPen(QPen(pen_colour, 1));
        painter.setBrush(Qt::NoBrush);
        painter.drawRoundedRect(QRectF(i - 1 + 0.5, i - 1 + 0.5, W - 2 * i + 1, H - 2 * i + 1), 4,
                                4);
    }
    return image;
}

QWidget* shadow_of(const QWidget* window) {
    // ShadowWindow has no meta-object of its own: find it by name.
    return window ? dynamic_cast<ShadowWindow*>(window->findChild<QWidget*>(
                        QStringLiteral("drop-shadow"), Qt::FindDirectChildrenOnly))
                  : nullptr;
}

bool attach_shadow(QWidget* window, QRgb colour, std::optional<int> size) {
    if (!window) {
        return false;
    }
    auto* shadow = dynamic_cast<ShadowWindow*>(shadow_of(window));
    if (size && *size <= 0) {
        delete shadow;
        return false;
    }
    if (!desktop_shows_translucent_windows()) {
        return false;
    }
    const int band = size.value_or(5);
    if (shadow) {
        shadow->configure(colour, band);
    } else {
        shadow = new ShadowWindow(window, colour, band);
        shadow->place();
    }
    return true;
}
