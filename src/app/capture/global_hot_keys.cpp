#include "capture/global_hot_keys.h"

#include <QAbstractNativeEventFilter>
#include <QByteArray>
#include <QGuiApplication>

#include <xcb/xcb.h>

#include <algorithm>
#include <cstdlib>
#include <vector>

namespace {

constexpr xcb_keysym_t kHotKeyNumLockSym = 0xff7f;
// XF86Switch_VT_1 ... XF86Switch_VT_12: the usual keymaps put them on
// Ctrl+Alt+F1 ... F12, and the X server acts on them itself.
constexpr xcb_keysym_t kHotKeyFirstConsoleSym = 0x1008fe01;
constexpr xcb_keysym_t kHotKeyLastConsoleSym = 0x1008fe0c;
constexpr uint16_t kHotKeyModifierMask =
    XCB_MOD_MASK_SHIFT | XCB_MOD_MASK_CONTROL | XCB_MOD_MASK_1 | XCB_MOD_MASK_4;

// The X key symbol of a Qt key; 0 for keys the editor never grabs.
xcb_keysym_t hotKeySymbol(Qt::Key key)
{
    if (key >= Qt::Key_F1 && key <= Qt::Key_F35)
        return 0xffbe + (key - Qt::Key_F1);
    if (key >= Qt::Key_A && key <= Qt::Key_Z)
        return 'a' + (key - Qt::Key_A);
    if (key >= Qt::Key_0 && key <= Qt::Key_9)
        return xcb_keysym_t(key);
    return 0;
}

// Alt is Mod1 and Meta (the Super key) Mod4 on every usual X keymap.
uint16_t hotKeyModifiers(Qt::KeyboardModifiers m)
{
    uint16_t mask = 0;
    if (m & Qt::ShiftModifier)
        mask |= XCB_MOD_MASK_SHIFT;
    if (m & Qt::ControlModifier)
        mask |= XCB_MOD_MASK_CONTROL;
    if (m & Qt::AltModifier)
        mask |= XCB_MOD_MASK_1;
    if (m & Qt::MetaModifier)
        mask |= XCB_MOD_MASK_4;
    return mask;
}

template <typename Reply> struct HotKeyFree
{
    void operator()(Reply *r) const { std::free(r); }
};
template <typename Reply> using HotKeyReply = std::unique_ptr<Reply, HotKeyFree<Reply>>;

} // namespace

struct GlobalHotKeys::X11 : QAbstractNativeEventFilter
{
    struct Entry
    {
        xcb_keycode_t code;
        uint16_t modifiers;
        std::function<void()> action;
    };

    explicit X11(xcb_connection_t *c) : connection(c)
    {
        for (auto it = xcb_setup_roots_iterator(xcb_get_setup(c)); it.rem; xcb_screen_next(&it))
            roots.push_back(it.data->root);
        numLock = modifierOf(keyOf(kHotKeyNumLockSym).code);
        qGuiApp->installNativeEventFilter(this);
    }

    ~X11() override
    {
        qGuiApp->removeNativeEventFilter(this);
        for (const Entry &e : entries)
            ungrab(e.code, e.modifiers);
        // A round trip: the keys are free for other programs once this returns.
        std::free(xcb_get_input_focus_reply(connection, xcb_get_input_focus(connection), nullptr));
    }

    struct Key
    {
        xcb_keycode_t code = 0; // 0: no key makes the symbol
        bool switchesConsole = false;
    };

    // The first key whose unshifted symbol is `sym`, and whether one of its
    // levels switches to a text console.
    Key keyOf(xcb_keysym_t sym) const
    {
        const xcb_setup_t *setup = xcb_get_setup(connection);
        const int count = setup->max_keycode - setup->min_keycode + 1;
        const HotKeyReply<xcb_get_keyboard_mapping_reply_t> map(xcb_get_keyboard_mapping_reply(
            connection, xcb_get_keyboard_mapping(connection, setup->min_keycode, count), nullptr));
        if (!sym || !map || map->keysyms_per_keycode == 0)
            return {};
        const xcb_keysym_t *syms = xcb_get_keyboard_mapping_keysyms(map.get());
        const int per = map->keysyms_per_keycode;
        for (int i = 0; i < count && (i + 1) * per <= xcb_get_keyboard_mapping_keysyms_length(map.get()); ++i) {
            if (syms[i * per] != sym)
                continue;
            Key key{xcb_keycode_t(setup->min_keycode + i)};
            for (int level = 0; level < per; ++level)
                key.switchesConsole |=
                    syms[i * per + level] >= kHotKeyFirstConsoleSym && syms[i * per + level] <= kHotKeyLastConsoleSym;
            return key;
        }
        return {};
    }

    // The modifier bit a key sets (Num Lock's is Mod2 on most keymaps).
    uint16_t modifierOf(xcb_keycode_t code) const
    {
        const HotKeyReply<xcb_get_modifier_mapping_reply_t> map(
            xcb_get_modifier_mapping_reply(connection, xcb_get_modifier_mapping(connection), nullptr));
        if (!code || !map)
            return XCB_MOD_MASK_2;
        const xcb_keycode_t *codes = xcb_get_modifier_mapping_keycodes(map.get());
        const int per = map->keycodes_per_modifier;
        for (int m = 0; m < 8; ++m) {
            for (int k = 0; k < per; ++k) {
                if (codes[m * per + k] == code)
                    return uint16_t(1u << m);
            }
        }
        return XCB_MOD_MASK_2;
    }

    std::vector<uint16_t> lockVariants(uint16_t modifiers) const
    {
        return {modifiers, uint16_t(modifiers | XCB_MOD_MASK_LOCK), uint16_t(modifiers | numLock),
                uint16_t(modifiers | XCB_MOD_MASK_LOCK | numLock)};
    }

    void ungrab(xcb_keycode_t code, uint16_t modifiers) const
    {
        for (xcb_window_t root : roots) {
            for (uint16_t m : lockVariants(modifiers))
                xcb_ungrab_key(connection, code, root, m);
        }
        xcb_flush(connection);
    }

    Grab grab(xcb_keycode_t code, uint16_t modifiers, std::function<void()> action)
    {
        std::vector<xcb_void_cookie_t> cookies;
        for (xcb_window_t root : roots) {
            for (uint16_t m : lockVariants(modifiers))
                cookies.push_back(xcb_grab_key_checked(connection, 0, root, m, code, XCB_GRAB_MODE_ASYNC,
                                                       XCB_GRAB_MODE_ASYNC));
        }
        bool held = false;
        for (xcb_void_cookie_t cookie : cookies) {
            // BadAccess: another client has grabbed this combination.
            if (xcb_generic_error_t *error = xcb_request_check(connection, cookie)) {
                held = true;
                std::free(error);
            }
        }
        if (held) {
            // Ungrabbing releases only this client's grabs, never the holder's.
            ungrab(code, modifiers);
            return Grab::Held;
        }
        entries.push_back({code, modifiers, std::move(action)});
        return Grab::Taken;
    }

    bool nativeEventFilter(const QByteArray &eventType, void *message, qintptr *) override
    {
        if (eventType != "xcb_generic_event_t")
            return false;
        const auto *event = static_cast<const xcb_generic_event_t *>(message);
        if ((event->response_type & 0x7f) != XCB_KEY_PRESS)
            return false;
        const auto *press = static_cast<const xcb_key_press_event_t *>(message);
        if (std::find(roots.begin(), roots.end(), press->event) == roots.end())
            return false;
        const uint16_t modifiers = press->state & kHotKeyModifierMask;
        for (const Entry &e : entries) {
            if (e.code == press->detail && e.modifiers == modifiers) {
                // The action may end this object (a dialog closing): keep a copy.
                const std::function<void()> action = e.action;
                action();
                return true;
            }
        }
        return false;
    }

    xcb_connection_t *connection;
    std::vector<xcb_window_t> roots;
    uint16_t numLock = XCB_MOD_MASK_2;
    std::vector<Entry> entries;
};

GlobalHotKeys::GlobalHotKeys()
{
    if (!qGuiApp)
        return;
    if (auto *x11 = qGuiApp->nativeInterface<QNativeInterface::QX11Application>()) {
        if (xcb_connection_t *c = x11->connection())
            m_x11 = std::make_unique<X11>(c);
    }
}

GlobalHotKeys::~GlobalHotKeys() = default;

GlobalHotKeys::Grab GlobalHotKeys::add(QKeyCombination key, std::function<void()> action)
{
    if (!m_x11)
        return Grab::Unavailable;
    const X11::Key x = m_x11->keyOf(hotKeySymbol(key.key()));
    if (!x.code)
        return Grab::Unavailable;
    const uint16_t modifiers = hotKeyModifiers(key.keyboardModifiers());
    // The server switches consoles before any grab is looked at: such a key
    // would never arrive.
    const uint16_t ctrlAlt = XCB_MOD_MASK_CONTROL | XCB_MOD_MASK_1;
    if (x.switchesConsole && (modifiers & ctrlAlt) == ctrlAlt)
        return Grab::Reserved;
    return m_x11->grab(x.code, modifiers, std::move(action));
}
