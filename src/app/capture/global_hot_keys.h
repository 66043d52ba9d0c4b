#pragma once
// Keys that reach the editor whichever program has the focus. On X11 each
// key is grabbed on the root window, also with Caps Lock and Num Lock on
// (the X server tells those apart), and its presses are taken out of the
// event stream before Qt sees them. Every grab is released when the object
// goes. Elsewhere nothing can be grabbed and add() says so.

#include <QKeyCombination>

#include <functional>
#include <memory>

class GlobalHotKeys
{
public:
    enum class Grab {
        Taken,       // the key now runs its action from anywhere on the display
        Held,        // another program holds it; nothing was grabbed
        Reserved,    // the keymap switches to a text console with it, which
                     // the X server does before any program sees the key
        Unavailable, // not X11, or no key of this keyboard makes it
    };

    GlobalHotKeys();
    ~GlobalHotKeys();
    GlobalHotKeys(const GlobalHotKeys &) = delete;
    GlobalHotKeys &operator=(const GlobalHotKeys &) = delete;

    // Whether this display has global keys at all (the xcb platform).
    bool available() const { return m_x11 != nullptr; }

    // Grabs `key` (a function key, letter or digit with Ctrl, Alt, Shift or
    // Meta); `action` runs at each press from then on.
    Grab add(QKeyCombination key, std::function<void()> action);

private:
    struct X11;
    std::unique_ptr<X11> m_x11;
};
