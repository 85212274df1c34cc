#pragma once

#include <QWidget>

class QLabel;

// The small prompt in which the sign-in messages appear: an ordinary window
// without parent, so the login screen stays usable. There is at most one;
// a new message reuses it. "确定" closes it.
class MessageWindow : public QWidget {
    Q_OBJECT
public:
    // Shows the text in the message window, creating it when none is open.
    static MessageWindow* show_text(const QString& text);
    // The open message window, or nullptr.
    static MessageWindow* current();

    QString text() const;
    ~MessageWindow() override;

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;

private:
    MessageWindow();

    QLabel* message_;
    QPoint drag_offset_;
};
