// The gather dialog's Gather / Stop keys: on Wayland sampling is refused in
// words; elsewhere the application shortcuts work; on a real X display
// (xvfb-run, see CMakeLists.txt) the keys reach the dialog while another
// program has the focus, are released when the dialog closes or goes, and
// a key another program holds or the keymap keeps for console switching is
// named to the user.

#include "capture/gather_dialog.h"
#include "capture/gather_texts.h"
#include "editor_context.h"

#include <QGuiApplication>
#include <QPushButton>
#include <QSpinBox>
#include <QTemporaryDir>
#include <QTest>

#include <xcb/xcb.h>
#include <xcb/xtest.h>

#include <cstdlib>
#include <initializer_list>
#include <map>
#include <vector>

namespace {

constexpr xcb_keysym_t kSymControl = 0xffe3;
constexpr xcb_keysym_t kSymAlt = 0xffe9;
constexpr xcb_keysym_t kSymCapsLock = 0xffe5;
constexpr xcb_keysym_t kSymF5 = 0xffc2;
constexpr xcb_keysym_t kSymF7 = 0xffc4;
constexpr uint16_t kCtrlAlt = XCB_MOD_MASK_CONTROL | XCB_MOD_MASK_1;

// Another program on the same X display: a window of its own that takes
// the focus, keys typed through XTEST as a keyboard would, key grabs of its
// own. Key rows it changes are put back when it goes.
class OtherXProgram
{
public:
    OtherXProgram() : m_c(xcb_connect(nullptr, nullptr)) {}
    ~OtherXProgram()
    {
        for (const auto &[code, row] : m_savedRows)
            xcb_change_keyboard_mapping(m_c, 1, code, uint8_t(row.size()), row.data());
        sync();
        xcb_disconnect(m_c);
    }

    bool connected() const { return xcb_connection_has_error(m_c) == 0; }

    void sync() { std::free(xcb_get_input_focus_reply(m_c, xcb_get_input_focus(m_c), nullptr)); }

    xcb_window_t focus()
    {
        xcb_get_input_focus_reply_t *r = xcb_get_input_focus_reply(m_c, xcb_get_input_focus(m_c), nullptr);
        const xcb_window_t w = r ? r->focus : 0;
        std::free(r);
        return w;
    }

    xcb_window_t root() const { return xcb_setup_roots_iterator(xcb_get_setup(m_c)).data->root; }

    // The key code of a symbol and its whole row of symbols.
    xcb_keycode_t code(xcb_keysym_t sym, std::vector<xcb_keysym_t> *row = nullptr)
    {
        const xcb_setup_t *setup = xcb_get_setup(m_c);
        const int count = setup->max_keycode - setup->min_keycode + 1;
        xcb_get_keyboard_mapping_reply_t *map =
            xcb_get_keyboard_mapping_reply(m_c, xcb_get_keyboard_mapping(m_c, setup->min_keycode, count), nullptr);
        xcb_keycode_t found = 0;
        const xcb_keysym_t *syms = xcb_get_keyboard_mapping_keysyms(map);
        const int per = map->keysyms_per_keycode;
        for (int i = 0; i < count && !found; ++i) {
            if (syms[i * per] == sym) {
                found = xcb_keycode_t(setup->min_keycode + i);
                if (row)
                    row->assign(syms + i * per, syms + (i + 1) * per);
            }
        }
        std::free(map);
        return found;
    }

    // What "setxkbmap -option srvrkeys:none" does for one key: every level
    // of it is the plain symbol, so Ctrl+Alt no longer switches consoles.
    void freeConsoleKey(xcb_keysym_t sym)
    {
        std::vector<xcb_keysym_t> row;
        const xcb_keycode_t k = code(sym, &row);
        m_savedRows.emplace(k, row);
        std::vector<xcb_keysym_t> plain(row.size(), sym);
        xcb_change_keyboard_mapping(m_c, 1, k, uint8_t(plain.size()), plain.data());
        sync();
    }

    void takeFocus()
    {
        if (!m_window) {
            m_window = xcb_generate_id(m_c);
            xcb_create_window(m_c, XCB_COPY_FROM_PARENT, m_window, root(), 20, 20, 120, 80, 0,
                              XCB_WINDOW_CLASS_INPUT_OUTPUT, XCB_COPY_FROM_PARENT, 0, nullptr);
            xcb_map_window(m_c, m_window);
            sync();
        }
        xcb_set_input_focus(m_c, XCB_INPUT_FOCUS_POINTER_ROOT, m_window, XCB_CURRENT_TIME);
        sync();
    }
    xcb_window_t window() const { return m_window; }

    // Presses the keys in order and lets them go in the opposite order.
    void type(std::initializer_list<xcb_keysym_t> keys)
    {
        std::vector<xcb_keycode_t> codes;
        for (xcb_keysym_t k : keys)
            codes.push_back(code(k));
        for (xcb_keycode_t c : codes)
            xcb_test_fake_input(m_c, XCB_KEY_PRESS, c, XCB_CURRENT_TIME, XCB_NONE, 0, 0, 0);
        for (auto it = codes.rbegin(); it != codes.rend(); ++it)
            xcb_test_fake_input(m_c, XCB_KEY_RELEASE, *it, XCB_CURRENT_TIME, XCB_NONE, 0, 0, 0);
        sync();
    }

    // Grabs a key on the root window as a hot-key program would: false
    // when another client holds it already.
    bool grab(uint16_t modifiers, xcb_keysym_t sym)
    {
        xcb_generic_error_t *error = xcb_request_check(
            m_c, xcb_grab_key_checked(m_c, 0, root(), modifiers, code(sym), XCB_GRAB_MODE_ASYNC, XCB_GRAB_MODE_ASYNC));
        std::free(error);
        return error == nullptr;
    }
    void ungrab(uint16_t modifiers, xcb_keysym_t sym)
    {
        xcb_ungrab_key(m_c, code(sym), root(), modifiers);
        sync();
    }

private:
    xcb_connection_t *m_c;
    xcb_window_t m_window = 0;
    std::map<xcb_keycode_t, std::vector<xcb_keysym_t>> m_savedRows;
};

// A dialog that samples for a long time once started, shown where it does
// not cover the other program's window.
void prepareLongGather(GatherDialog &dialog)
{
    dialog.rateEdit()->setValue(2);
    dialog.countEdit()->setValue(1000);
    dialog.move(700, 400);
    dialog.show();
}

QPushButton *gatherButton(const QWidget &dialog)
{
    for (QPushButton *b : dialog.findChildren<QPushButton *>()) {
        if (b->text() == GatherText::sampleButton())
            return b;
    }
    return nullptr;
}

} // namespace

class CaptureHotKeysTest : public QObject
{
    Q_OBJECT

private slots:
    void init() { QVERIFY(dir.isValid()); }

    void waylandRefusesSamplingInWords()
    {
        EditorContext e(4, 6, 1);
        GatherDialog wayland(e.ctx, dir.filePath(QStringLiteral("Brightloom.ini")));
        wayland.setPlatformName(QStringLiteral("wayland"));
        wayland.show();
        QVERIFY(QTest::qWaitForWindowExposed(&wayland));
        QPushButton *gather = gatherButton(wayland);
        QVERIFY(gather);
        QTest::mouseClick(gather, Qt::LeftButton);
        QCOMPARE(wayland.state(), GatherDialog::State::Idle);
        QVERIFY(!wayland.marker()->isSampling());
        QCOMPARE(e.prompt.texts(),
                 QStringList{QStringLiteral("Screen sampling needs an X11 session: this session runs on \"wayland\", "
                                            "which lets no program read the screen. Choose an X11 (Xorg) session "
                                            "when you log in.")});
    }

    void elsewhereTheShortcutsWorkWithoutAWord()
    {
        if (QGuiApplication::platformName() == QLatin1String("xcb"))
            QSKIP("Keys typed through QTest reach the shortcuts only off X11; the X11 tests type real keys.");
        EditorContext e(4, 6, 1);
        GatherDialog offscreen(e.ctx, dir.filePath(QStringLiteral("Brightloom.ini")));
        offscreen.rateEdit()->setValue(1);
        offscreen.countEdit()->setValue(1000);
        offscreen.show();
        QVERIFY(QTest::qWaitForWindowExposed(&offscreen));
        QTest::keyClick(&offscreen, Qt::Key_F5, Qt::ControlModifier | Qt::AltModifier);
        QCOMPARE(offscreen.state(), GatherDialog::State::Sampling);
        QTest::keyClick(&offscreen, Qt::Key_F7, Qt::ControlModifier | Qt::AltModifier);
        QCOMPARE(offscreen.state(), GatherDialog::State::Idle);
        QVERIFY(e.prompt.texts().isEmpty());
    }

    void globalKeysReachTheDialogFromAnotherProgramUntilItCloses()
    {
        if (QGuiApplication::platformName() != QLatin1String("xcb"))
            QSKIP("Global keys need an X display; ctest runs this under xvfb-run with QT_QPA_PLATFORM=xcb.");
        OtherXProgram other;
        QVERIFY(other.connected());
        other.freeConsoleKey(kSymF5);
        other.freeConsoleKey(kSymF7);

        EditorContext e(4, 6, 1);
        {
            GatherDialog dialog(e.ctx, dir.filePath(QStringLiteral("Brightloom.ini")));
            prepareLongGather(dialog);
            QVERIFY(QTest::qWaitForWindowExposed(&dialog));
            other.takeFocus();
            QTRY_VERIFY(!dialog.isActiveWindow());

            other.type({kSymControl, kSymAlt, kSymF5});
            QTRY_COMPARE(dialog.state(), GatherDialog::State::Sampling);
            QCOMPARE(other.focus(), other.window());
            other.type({kSymControl, kSymAlt, kSymF7});
            QTRY_COMPARE(dialog.state(), GatherDialog::State::Idle);

            // Caps Lock on changes the key's modifiers; the grab covers it.
            other.type({kSymCapsLock});
            other.type({kSymControl, kSymAlt, kSymF5});
            QTRY_COMPARE(dialog.state(), GatherDialog::State::Sampling);
            other.type({kSymControl, kSymAlt, kSymF7});
            QTRY_COMPARE(dialog.state(), GatherDialog::State::Idle);
            other.type({kSymCapsLock});

            QVERIFY(!other.grab(kCtrlAlt, kSymF5));
            QVERIFY(e.prompt.texts().isEmpty());
            dialog.reject();
            QVERIFY(other.grab(kCtrlAlt, kSymF5));
            other.ungrab(kCtrlAlt, kSymF5);
            other.type({kSymControl, kSymAlt, kSymF5});
            QTest::qWait(200);
            QCOMPARE(dialog.state(), GatherDialog::State::Idle);
        }

        // A dialog that goes while shown lets its keys go too.
        {
            GatherDialog dialog(e.ctx, dir.filePath(QStringLiteral("Brightloom.ini")));
            dialog.show();
            QVERIFY(!other.grab(kCtrlAlt, kSymF7));
        }
        QVERIFY(other.grab(kCtrlAlt, kSymF7));
        other.ungrab(kCtrlAlt, kSymF7);
    }

    void keysTheDialogCannotHaveAreNamedAndTheShortcutsStay()
    {
        if (QGuiApplication::platformName() != QLatin1String("xcb"))
            QSKIP("Global keys need an X display; ctest runs this under xvfb-run with QT_QPA_PLATFORM=xcb.");
        OtherXProgram other;
        QVERIFY(other.connected());
        const QString settings = dir.filePath(QStringLiteral("Brightloom.ini"));
        {
            // The usual keymap: Ctrl+Alt+F5 and F7 switch consoles.
            EditorContext e(4, 6, 1);
            GatherDialog dialog(e.ctx, settings);
            dialog.show();
            QTRY_COMPARE(e.prompt.texts(),
                         QStringList{QStringLiteral(
                             "On this X server Ctrl+Alt+F5, Ctrl+Alt+F7 switch to a text console and reach no "
                             "program. Use the Gather and Stop buttons, or free the keys with the command: "
                             "setxkbmap -option srvrkeys:none")});
            QVERIFY(other.grab(kCtrlAlt, kSymF5)); // nothing was grabbed
            other.ungrab(kCtrlAlt, kSymF5);
        }

        other.freeConsoleKey(kSymF5);
        other.freeConsoleKey(kSymF7);
        QVERIFY(other.grab(kCtrlAlt, kSymF7));
        EditorContext e(4, 6, 1);
        GatherDialog dialog(e.ctx, settings);
        prepareLongGather(dialog);
        QTRY_COMPARE(e.prompt.texts(),
                     QStringList{QStringLiteral("Another program holds Ctrl+Alt+F7: these keys go to it, not to the "
                                                "editor, until it lets them go. Use the Gather and Stop buttons.")});
        other.takeFocus();
        other.type({kSymControl, kSymAlt, kSymF5});
        QTRY_COMPARE(dialog.state(), GatherDialog::State::Sampling);
        // Once the other program lets go, Ctrl+Alt+F7 is the application
        // shortcut it always was.
        other.ungrab(kCtrlAlt, kSymF7);
        dialog.activateWindow();
        QTRY_VERIFY(dialog.isActiveWindow());
        other.type({kSymControl, kSymAlt, kSymF7});
        QTRY_COMPARE(dialog.state(), GatherDialog::State::Idle);
    }

private:
    QTemporaryDir dir;
};

#include "app_test.h"
APP_TEST(CaptureHotKeysTest)
#include "capture_hot_keys_test.moc"
