#include "chrome/global_hot_key.h"

#include <xcb/xcb.h>

#include <QGuiApplication>
#include <QShortcut>
#include <QWidget>
#include <cstdlib>

namespace {

xcb_connection_t* x11_connection() {
    if (QGuiApplication::platformName() != QLatin1String("xcb")) {
        return nullptr;
    }
    auto* x11 = qApp->nativeInterface<QNativeInterface::QX11Application>();
    return x11 ? x11->connection() : nullptr;
}

xcb_window_t root_window(xcb_connection_t* connection) {
    return xcb_setup_roots_iterator(xcb_get_setup(connection)).data->root;
}

// The keycode whose keysyms include the given one (digits and letters are
// their own Latin-1 keysyms), or 0.
xcb_keycode_t keycode_for(xcb_connection_t* connection, xcb_keysym_t keysym) {
    const xcb_setup_t* setup = xcb_get_setup(connection);
    const xcb_keycode_t first = setup->min_keycode;
    const int count = setup->max_keycode - first + 1;
    xcb_get_keyboard_mapping_reply_t* mapping = xcb_get_keyboard_mapping_reply(
        connection, xcb_get_keyboard_mapping(connection, first, static_cast<uint8_t>(count)),
        nullptr);
    if (!mapping) {
        return 0;
    }
    const xcb_keysym_t* syms = xcb_get_keyboard_mapping_keysyms(mapping);
    const int per_code = mapping->keysyms_per_keycode;
    xcb_keycode_t found = 0;
    for (int code = 0; code < count && !found; ++code) {
        for (int i = 0; i < per_code; ++i) {
            if (syms[code * per_code + i] == keysym) {
                found = static_cast<xcb_keycode_t>(first + code);
                break;
            }
        }
    }
    free(mapping);
    return found;
}

// Caps Lock and Num Lock change the modifier state: grab with each of them.
const uint16_t kLockVariants[] = {0, XCB_MOD_MASK_LOCK, XCB_MOD_MASK_2,
                                  XCB_MOD_MASK_LOCK | XCB_MOD_MASK_2};

}  // namespace

GlobalHotKey::GlobalHotKey(const QKeySequence& keys, QWidget* window) : QObject(window) {
    const QKeyCombination combination = keys[0];
    if (combination.keyboardModifiers() == Qt::ControlModifier && grab(combination.key())) {
        qApp->installNativeEventFilter(this);
        return;
    }
    shortcut_ = new QShortcut(keys, window);
    shortcut_->setContext(Qt::ApplicationShortcut);
    connect(shortcut_, &QShortcut::activated, this, &GlobalHotKey::activated);
}

GlobalHotKey::~GlobalHotKey() {
    ungrab();
}

bool GlobalHotKey::grab(int qt_key) {
    xcb_connection_t* connection = x11_connection();
    const bool latin = (qt_key >= Qt::Key_0 && qt_key <= Qt::Key_9) ||
                       (qt_key >= Qt::Key_A && qt_key <= Qt::Key_Z);
    if (!connection || !latin) {
        return false;
    }
    // Letters: the lower-case keysym names the key.
    const xcb_keysym_t keysym = (qt_key >= Qt::Key_A && qt_key <= Qt::Key_Z)
                                    ? static_cast<xcb_keysym_t>(qt_key + 0x20)
                                    : static_cast<xcb_keysym_t>(qt_key);
    const xcb_keycode_t keycode = keycode_for(connection, keysym);
    if (!keycode) {
        return false;
    }
    bool refused = false;
    for (uint16_t locks : kLockVariants) {
        xcb_void_cookie_t cookie =
            xcb_grab_key_checked(connection, 1, root_window(connection),
                                 static_cast<uint16_t>(XCB_MOD_MASK_CONTROL | locks), keycode,
                                 XCB_GRAB_MODE_ASYNC, XCB_GRAB_MODE_ASYNC);
        if (xcb_generic_error_t* error = xcb_request_check(connection, cookie)) {
            refused = true;
            free(error);
        }
    }
    grabbed_keycode_ = keycode;
    if (refused) {
        ungrab();
        return false;
    }
    return true;
}

void GlobalHotKey::ungrab() {
    if (!grabbed_keycode_) {
        return;
    }
    if (xcb_connection_t* connection = x11_connection()) {
        for (uint16_t locks : kLockVariants) {
            xcb_ungrab_key(connection, static_cast<xcb_keycode_t>(grabbed_keycode_),
                           root_window(connection),
                           static_cast<uint16_t>(XCB_MOD_MASK_CONTROL | locks));
        }
        xcb_flush(connection);
    }
    grabbed_keycode_ = 0;
}

bool GlobalHotKey::nativeEventFilter(const QByteArray& event_type, void* message, qintptr*) {
    if (!grabbed_keycode_ || event_type != "xcb_generic_event_t") {
        return false;
    }
    auto* event = static_cast<xcb_generic_event_t*>(message);
    if ((event->response_type & 0x7F) != XCB_KEY_PRESS) {
        return false;
    }
    auto* press = reinterpret_cast<xcb_key_press_event_t*>(event);
    if (press->detail == grabbed_keycode_ && (press->state & XCB_MOD_MASK_CONTROL)) {
        // Not from inside the native event: what it opens may run a modal loop.
        QMetaObject::invokeMethod(this, &GlobalHotKey::activated, Qt::QueuedConnection);
        return true;
    }
    return false;
}
