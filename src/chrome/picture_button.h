#pragma once

#include <QAbstractButton>
#include <QPixmap>

// A button drawn from two pictures: the normal one, and the one shown while
// the pointer is over it.
class PictureButton : public QAbstractButton {
    Q_OBJECT
public:
    explicit PictureButton(QWidget* parent = nullptr);

    void set_pictures(const QPixmap& normal, const QPixmap& hover);
    const QPixmap& normal_picture() const { return normal_; }
    const QPixmap& hover_picture() const { return hover_; }

    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;
    void enterEvent(QEnterEvent* event) override;
    void leaveEvent(QEvent* event) override;

private:
    QPixmap normal_;
    QPixmap hover_;
};
