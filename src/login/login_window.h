#pragma once

#include <QPoint>
#include <QWidget>

class QLabel;
class QLineEdit;
class PictureButton;

// The first window: the shop account's user name and password. Its creation
// runs the start-up (shadow, remembered credentials, the database
// connection, the version check). A successful sign-in emits signed_in and
// closes the window for good.
class LoginWindow : public QWidget {
    Q_OBJECT
public:
    explicit LoginWindow(QWidget* parent = nullptr);

    bool remembering() const { return remembering_; }

signals:
    void signed_in();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;

private:
    void build();
    void start_up();
    void try_sign_in();
    void toggle_remember_clicked();
    void show_remember_look(bool on);
    void user_focus_changed(bool focused);
    void passwd_focus_changed(bool focused);

    QLabel* user_frame_ = nullptr;
    QLabel* passwd_frame_ = nullptr;
    QLineEdit* user_ = nullptr;
    QLineEdit* passwd_ = nullptr;
    PictureButton* remember_ = nullptr;
    bool remembering_ = true;
    QPoint drag_offset_;
};
