#pragma once

#include <QAbstractNativeEventFilter>
#include <QKeySequence>
#include <QObject>

class QShortcut;
class QWidget;

// A key combination that works anywhere in the desktop session while its
// window exists: an X11 key grab on the root window where the platform is
// xcb, an application-wide shortcut elsewhere (or when another program holds
// the grab).
class GlobalHotKey : public QObject, public QAbstractNativeEventFilter {
    Q_OBJECT
public:
    // Only Ctrl with a digit or a letter is supported.
    GlobalHotKey(const QKeySequence& keys, QWidget* window);
    ~GlobalHotKey() override;

    bool is_system_wide() const { return grabbed_keycode_ != 0; }

    bool nativeEventFilter(const QByteArray& event_type, void* message, qintptr* result) override;

signals:
    void activated();

private:
    bool grab(int qt_key);
    void ungrab();

    unsigned grabbed_keycode_ = 0;
    QShortcut* shortcut_ = nullptr;
};
