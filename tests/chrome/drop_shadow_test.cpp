#include "chrome/drop_shadow.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QPainter>
#include <QWidget>

namespace {

TEST(DropShadow, the_builtin_picture_has_its_band_from_the_outside_in) {
    const QImage& picture = builtin_shadow_picture(5);
    ASSERT_EQ(picture.size(), QSize(100, 100));
    const int alphas[] = {15, 31, 53, 79, 111};
    for (int i = 0; i < 5; ++i) {
        EXPECT_EQ(qAlpha(picture.pixel(50, i)), alphas[i]) << i;
        EXPECT_EQ(qAlpha(picture.pixel(99 - i, 50)), alphas[i]) << i;
    }
    EXPECT_EQ(qAlpha(picture.pixel(50, 50)), 0);
    EXPECT_EQ(qAlpha(builtin_shadow_picture(10).pixel(50, 9)), 137);
}

TEST(DropShadow, a_rendered_shadow_keeps_the_band_and_a_clear_middle) {
    QImage shadow = render_shadow(QSize(970, 550), 0, 5);
    const int alphas[] = {15, 31, 53, 79, 111};
    for (int i = 0; i < 5; ++i) {
        EXPECT_EQ(qAlpha(shadow.pixel(485, i)), alphas[i]) << i;
        EXPECT_EQ(qAlpha(shadow.pixel(i, 275)), alphas[i]) << i;
    }
    EXPECT_EQ(qAlpha(shadow.pixel(485, 275)), 0);
}

TEST(DropShadow, another_colour_draws_outlines_growing_stronger_inwards) {
    QImage shadow = render_shadow(QSize(200, 100), qRgb(200, 0, 0), 5);
    // Step 100 / 5 = 20: alphas 20, 40, 60, 80, 100 from the outside in,
    // read away from the rounded corners.
    for (int i = 0; i < 5; ++i) {
        EXPECT_NEAR(qAlpha(shadow.pixel(100, i)), 20 * (i + 1), 2) << i;
    }
    EXPECT_EQ(qAlpha(shadow.pixel(100, 50)), 0);
}

TEST(DropShadow, follows_the_window_and_hides_while_minimised_or_maximised) {
    QWidget window(nullptr, Qt::Window | Qt::FramelessWindowHint);
    window.setGeometry(50, 50, 960, 540);
    window.show();
    ASSERT_TRUE(attach_shadow(&window));
    QWidget* shadow = shadow_of(&window);
    ASSERT_NE(shadow, nullptr);
    EXPECT_TRUE(shadow->isVisible());
    EXPECT_EQ(shadow->geometry(), window.frameGeometry().adjusted(-5, -5, 5, 5));

    window.move(120, 80);
    QApplication::processEvents();
    EXPECT_EQ(shadow->geometry(), window.frameGeometry().adjusted(-5, -5, 5, 5));

    window.showMinimized();
    QApplication::processEvents();
    EXPECT_FALSE(shadow->isVisible());
    window.showMaximized();
    QApplication::processEvents();
    EXPECT_FALSE(shadow->isVisible());
    window.showNormal();
    QApplication::processEvents();
    EXPECT_TRUE(shadow->isVisible());

    // Attaching again reuses the shadow; a size of 0 removes it.
    EXPECT_TRUE(attach_shadow(&window));
    EXPECT_EQ(shadow_of(&window), shadow);
    EXPECT_FALSE(attach_shadow(&window, 0, 0));
    EXPECT_EQ(shadow_of(&window), nullptr);
}

}  // namespace
