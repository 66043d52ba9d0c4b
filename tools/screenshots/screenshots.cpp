// Pictures of the running editor for a person to look at: the palette bar,
// operation panel and colour panel modes, every pattern tab and pattern key
// set, the controller panel and the LED data dialog, the network output
// dialog, the Edit menu on the " Line " page, a pattern run playing, in
// English and Chinese, and the gather dialog and video form. Run by hand on
// a display:
//
//   xvfb-run -a -s '-screen 0 1600x1000x24' build/brightloom-screenshots OUT_FOLDER [PART]
//
// PART (network, wiring, ...; the start of a function name below) takes
// only those pictures.
//
// It checks nothing; the tests do that.

#include "capture/gather_dialog.h"
#include "capture/movie_import_dialog.h"
#include "capture/video_file.h"
#include "document/document.h"
#include "editing/operation_panel.h"
#include "links/controller_panel.h"
#include "links/network_output.h"
#include "links/network_output_dialog.h"
#include "output/output_dialog.h"
#include "palette/colour_panel_dialog.h"
#include "palette/palette_bar.h"
#include "patterns/auto_pattern_dialog.h"
#include "patterns/pattern_commands.h"
#include "patterns/pattern_key_panel.h"
#include "patterns/pattern_page.h"
#include "patterns/picture_pattern_page.h"
#include "patterns/text_pattern_page.h"
#include "settings/language.h"
#include "settings/prompt.h"
#include "common/command_ids.h"
#include "shell/editor_application.h"
#include "shell/main_window.h"
#include "links/usb_output.h"
#include "wiring/wiring_editor.h"
#include "wiring/wiring_operations.h"
#include "wiring/wiring_tool_page.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPainter>
#include <QSpinBox>
#include <QPushButton>
#include <QScreen>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QTextEdit>
#include <QTimer>
#include <QVBoxLayout>

#include <cstdio>
#include <deque>

namespace {

// Answers every question with its first button and file dialogs from a
// list; says nothing.
class QuietPrompt : public Prompt
{
public:
    void inform(const QString &, PromptIcon, const QString &) override {}
    PromptAnswer ask(const QString &, PromptButtons buttons, PromptIcon, const QString &) override
    {
        return buttons == PromptButtons::OkCancel ? PromptAnswer::Ok : PromptAnswer::Yes;
    }
    QString chooseOpenFile(const QString &, const QString &, const QString &) override { return next(); }
    QString chooseSaveFile(const QString &, const QString &, const QString &, const QString &) override
    {
        return next();
    }

    std::deque<QString> files;

private:
    QString next()
    {
        if (files.empty())
            return QString();
        QString f = files.front();
        files.pop_front();
        return f;
    }
};

// One USB controller that takes everything, so the operation panel shows
// its list filled and the switch on.
class OneUsbController : public UsbTransport
{
public:
    std::vector<UsbDeviceEntry> listDevices() override
    {
        return {{QStringLiteral("bus 1 port 1"), QStringLiteral("bus 1 port 1")}};
    }
    UsbOpenResult open(const UsbDeviceEntry &) override
    {
        m_open = true;
        return UsbOpenResult::Opened;
    }
    bool isOpen() const override { return m_open; }
    int write(std::span<const uint8_t> bytes) override { return int(bytes.size()); }
    std::optional<uint8_t> read(int) override { return uint8_t(0xFF); }
    void close() override { m_open = false; }

private:
    bool m_open = false;
};

class Shots
{
public:
    explicit Shots(const QString &folder) : m_folder(folder) {}

    void save(QWidget *w, const QString &name) { write(w->grab(), name); }
    void saveScreen(const QString &name) { write(QApplication::primaryScreen()->grabWindow(0), name); }
    int failures() const { return m_failures; }

private:
    void write(const QPixmap &picture, const QString &name)
    {
        const QString path = QDir(m_folder).filePath(name + QStringLiteral(".png"));
        if (picture.save(path)) {
            std::printf("%s\n", qPrintable(path));
        } else {
            std::fprintf(stderr, "cannot write %s\n", qPrintable(path));
            ++m_failures;
        }
    }

    QString m_folder;
    int m_failures = 0;
};

// A whole editor with its settings in a scratch folder and the demo open.
struct Editor
{
    QTemporaryDir dir;
    QuietPrompt prompt;
    std::unique_ptr<EditorApplication> app;

    explicit Editor(bool usbController = false)
    {
        EditorOptions options;
        if (usbController)
            options.usbTransport = [] { return std::unique_ptr<UsbTransport>(new OneUsbController); };
        options.settingsPath = dir.filePath(QStringLiteral("Brightloom.ini"));
        options.recentFilesPath = dir.filePath(QStringLiteral("recent.conf"));
        options.prompt = &prompt;
        app = std::make_unique<EditorApplication>(options);
        app->window().resize(1280, 900);
        app->show();
        app->openOnStart(QStringLiteral(BRIGHTLOOM_RESOURCES "/demo/demo.wst"));
        (void)QTest::qWaitForWindowExposed(&app->window());
    }
    AppContext &ctx() { return app->context(); }
    void trigger(int id) { app->context().commands.trigger(id); }
};

QString languageTag(int id) { return id == Cmd::LanguageEnglish ? QStringLiteral("en") : QStringLiteral("zh"); }

void paletteAndOperationPanels(Shots &shots)
{
    Editor e(true);
    e.app->window().usbOutput().runner().waitForJobs();
    QCoreApplication::processEvents();
    e.app->window().operationPanel()->usbSwitch()->setChecked(true);
    PaletteState &palette = e.ctx().palette;
    palette.colours.clear();
    for (int i = 0; i < 32; ++i)
        palette.colours.push_back(makeColor(255 - i * 8, i * 8, (i * 53) % 256));
    palette.selectEntry(6);
    e.ctx().editing.area = BlockArea{true, 4, 3, 12, 8};
    for (int id : {Cmd::LanguageEnglish, Cmd::LanguageChinese}) {
        e.trigger(id);
        const QString lang = languageTag(id);
        QTest::qWait(50);
        shots.save(&e.app->window(), QStringLiteral("editor_") + lang);
        if (auto *bar = e.app->window().findChild<PaletteBar *>())
            shots.save(bar, QStringLiteral("palette_bar_") + lang);
        if (auto *panel = e.app->window().findChild<OperationPanel *>())
            shots.save(panel, QStringLiteral("operation_panel_") + lang);
        for (int mode = 0; mode < 3; ++mode) {
            ColourPanelDialog d(e.ctx(), &e.app->window());
            d.modeBox()->setCurrentIndex(mode);
            d.show();
            (void)QTest::qWaitForWindowExposed(&d);
            shots.save(&d, QStringLiteral("colour_panel_mode%1_").arg(mode) + lang);
        }
    }
}

void patternTabsAndKeys(Shots &shots)
{
    Editor e;
    for (int id : {Cmd::LanguageChinese, Cmd::LanguageEnglish}) {
        e.trigger(id);
        const QString lang = languageTag(id);
        AutoPatternDialog dialog(e.ctx());
        dialog.show();
        for (int t = 0; t < AutoPatternDialog::kTabCount; ++t) {
            dialog.tabs()->setCurrentIndex(t);
            dialog.adjustSize();
            QTest::qWait(50);
            shots.save(&dialog, QStringLiteral("pattern_tab%1_%2").arg(t + 1).arg(lang));
        }
        QWidget holder;
        auto *slot = new QVBoxLayout(&holder);
        PatternKeyPanel *panel = installPatternKeys(e.ctx(), slot, nullptr);
        for (int a = 0; a < kPatternActionCount; ++a) {
            panel->actionBox()->setCurrentIndex(a);
            holder.adjustSize();
            shots.save(&holder, QStringLiteral("pattern_keys%1_%2").arg(a + 1).arg(lang));
        }
    }
}

// The text tab with Chinese and English text in two fonts and colours, a
// run of it scrolling left through the demo grid, and the picture tab with
// the demo's current frame in its preview.
void textAndPicturePages(Shots &shots)
{
    for (int id : {Cmd::LanguageChinese, Cmd::LanguageEnglish}) {
        Editor e;
        e.trigger(id);
        const QString lang = languageTag(id);
        AutoPatternDialog dialog(e.ctx(), &e.app->window());
        dialog.show();
        dialog.tabs()->setCurrentIndex(4);
        auto *text = qobject_cast<TextPatternPage *>(dialog.page());
        if (!text)
            return;
        text->textBox()->insertPlainText(QStringLiteral("你好 LED "));
        text->applyFont(TextFontChoice{QStringLiteral("Unifont"), 16, QColor(0, 255, 0), false, false, false});
        text->textBox()->insertPlainText(QStringLiteral("Hello!"));
        text->appearanceBox()->setCurrentIndex(1); // scroll left
        text->stepEdit()->setText(QStringLiteral("1"));
        dialog.adjustSize();
        QTest::qWait(100);
        shots.save(&dialog, QStringLiteral("pattern_text_") + lang);
        text->confirmButton()->click();
        dialog.tabs()->setCurrentIndex(6);
        auto *picture = qobject_cast<PicturePatternPage *>(dialog.page());
        e.app->document().goToFrame(5);
        if (picture)
            picture->currentFrameButton()->click();
        dialog.adjustSize();
        QTest::qWait(100);
        shots.save(&dialog, QStringLiteral("pattern_picture_") + lang);
        dialog.close();
        // The text halfway through the grid.
        e.app->document().goToFrame(48 + 40);
        QTest::qWait(200);
        shots.save(&e.app->window(), QStringLiteral("pattern_text_run_") + lang);
    }
}

void controllerPanelAndDataDialog(Shots &shots)
{
    Editor e;
    e.trigger(Cmd::LanguageChinese);
    // Two ports over the 24 x 40 demo: the upper and the lower half.
    Document &doc = e.app->document();
    doc.wiring().setKind(CircuitryKind::Led);
    defineRectangle(doc.wiring(), 0, QPoint(0, 0), QPoint(39, 11), WiringModifier::Ctrl);
    defineRectangle(doc.wiring(), 1, QPoint(0, 12), QPoint(39, 23), WiringModifier::Ctrl);
    doc.wiringEdited();

    auto *panel = e.app->window().findChild<ControllerPanel *>();
    if (!panel)
        return;
    e.app->window().toolTabs()->setCurrentWidget(panel);
    panel->modelBox()->setCurrentIndex(1);
    panel->formatBox()->setCurrentIndex(4);
    panel->cycleEdit()->setText(QStringLiteral("2"));
    emit panel->cycleEdit()->textEdited(QStringLiteral("2"));
    panel->nullButton()->click();
    QTest::qWait(500);
    shots.saveScreen(QStringLiteral("controller_panel_in_editor"));
    shots.save(panel, QStringLiteral("controller_panel"));

    e.prompt.files = {e.dir.filePath(QStringLiteral("demo.led"))};
    QTimer::singleShot(300, [&] {
        if (auto *dialog = qobject_cast<OutputDialog *>(QApplication::activeModalWidget())) {
            shots.saveScreen(QStringLiteral("output_dialog_in_editor"));
            shots.save(dialog, QStringLiteral("output_dialog"));
            dialog->confirmButton()->click();
        }
    });
    e.trigger(Cmd::MakeLedData);
}

void patternRunPlaying(Shots &shots)
{
    Editor e;
    QTimer::singleShot(0, [&] {
        auto *dialog = qobject_cast<AutoPatternDialog *>(QApplication::activeModalWidget());
        if (!dialog)
            return;
        dialog->tabs()->setCurrentIndex(2);
        if (auto *fg = dialog->page()->findChild<QComboBox *>(QStringLiteral("foreground")))
            fg->setCurrentIndex(8 + 9); // palette flow, wave down
        QTest::qWait(300);
        shots.save(dialog, QStringLiteral("pattern_dialog_in_editor"));
        qobject_cast<PatternPage *>(dialog->page())->confirmButton()->click();
        dialog->exitButton()->click();
    });
    e.trigger(Cmd::AutoDesign);
    // Playback shows wired points only: wire the whole grid to port 1.
    Document &doc = e.app->document();
    defineRectangle(doc.wiring(), 0, QPoint(0, 0), QPoint(39, 23), WiringModifier::None);
    doc.wiringEdited();
    doc.goToFrame(0);
    e.trigger(Cmd::Play);
    QTest::qWait(1500);
    shots.saveScreen(QStringLiteral("pattern_run_playing"));
    e.trigger(Cmd::Stop);
}

// A colour-bar test picture on screen with the gather dialog and its marker
// over it; the video import form with the previews of a short clip; in
// English and Chinese.
void captureDialogs(Shots &shots)
{
    Editor e;
    QImage bars(480, 320, QImage::Format_RGB32);
    {
        QPainter p(&bars);
        const QColor colours[] = {Qt::white, Qt::yellow, Qt::cyan, Qt::green, Qt::magenta, Qt::red, Qt::blue};
        for (int i = 0; i < 7; ++i)
            p.fillRect(QRect(i * 480 / 7, 0, 480 / 7 + 1, 320), colours[i]);
    }
    const QString clip = e.dir.filePath(QStringLiteral("clip.mp4"));
    VideoWriter writer;
    writer.open(clip, 320, 180, 25);
    for (int i = 0; i < 50; ++i) {
        QImage frame(320, 180, QImage::Format_RGB32);
        frame.fill(QColor::fromHsv(i * 6, 255, 255));
        QPainter p(&frame);
        p.fillRect(QRect(i * 6, 40, 40, 100), Qt::white);
        p.end();
        writer.write(frame);
    }
    writer.finish();

    for (int id : {Cmd::LanguageEnglish, Cmd::LanguageChinese}) {
        e.trigger(id);
        const QString lang = languageTag(id);
        QLabel picture;
        picture.setWindowFlags(Qt::FramelessWindowHint);
        picture.setPixmap(QPixmap::fromImage(bars));
        picture.setGeometry(60, 60, 480, 320);
        picture.show();
        (void)QTest::qWaitForWindowExposed(&picture);
        GatherDialog gather(e.ctx(), e.dir.filePath(QStringLiteral("Brightloom.ini")));
        gather.move(640, 80);
        gather.show();
        gather.xEdit()->setValue(150);
        gather.yEdit()->setValue(120);
        (void)QTest::qWaitForWindowExposed(&gather);
        QTest::qWait(300);
        shots.saveScreen(QStringLiteral("gather_dialog_over_picture_") + lang);
        gather.hide();
        picture.hide();

        MovieImportDialog form(e.ctx(), false);
        form.load(clip);
        form.show();
        (void)QTest::qWaitForWindowExposed(&form);
        shots.save(&form, QStringLiteral("video_import_form_") + lang);
    }
}

// The network output dialog with the channel map of three ports over the
// demo, in English and in Chinese; then the status bar while it sends.
void wireThreeNetworkPorts(Document &doc)
{
    doc.wiring().setKind(CircuitryKind::Led);
    for (int port = 0; port < 3; ++port)
        defineRectangle(doc.wiring(), port, QPoint(0, 8 * port), QPoint(39, 8 * port + 7), WiringModifier::Ctrl);
    doc.wiringEdited();
}

void networkOutputDialogAndStatus(Shots &shots)
{
    for (int language : {int(Cmd::LanguageEnglish), int(Cmd::LanguageChinese)}) {
        Editor e;
        e.trigger(language);
        wireThreeNetworkPorts(e.app->document());
        const QString name = QStringLiteral("network_output_dialog_") + languageTag(language);
        QTimer::singleShot(300, [&] {
            if (auto *dialog = qobject_cast<NetworkOutputDialog *>(QApplication::activeModalWidget())) {
                dialog->enableBox()->setChecked(true);
                dialog->multicastBox()->setChecked(false);
                dialog->hostEdit()->setText(QStringLiteral("192.168.1.50"));
                QTest::qWait(200);
                shots.save(dialog, name);
                dialog->reject();
            }
        });
        e.trigger(Cmd::NetworkOutput);
        // Start universes near Art-Net's end: the map and the refusal OK
        // would give.
        QTimer::singleShot(300, [&] {
            if (auto *dialog = qobject_cast<NetworkOutputDialog *>(QApplication::activeModalWidget())) {
                dialog->protocolBox()->setCurrentIndex(int(NetworkProtocol::ArtNet));
                dialog->hostEdit()->setText(QStringLiteral("192.168.1.50"));
                dialog->startUniverseBox()->setValue(32766);
                QTest::qWait(200);
                shots.save(dialog, QStringLiteral("network_output_refused_") + languageTag(language));
                dialog->reject();
            }
        });
        e.trigger(Cmd::NetworkOutput);
    }
    Editor e;
    wireThreeNetworkPorts(e.app->document());
    auto *output = e.app->window().findChild<NetworkOutput *>();
    if (!output)
        return;
    NetworkOutputSettings s = output->settings();
    s.enabled = true;
    s.protocol = NetworkProtocol::Ddp;
    s.host = QStringLiteral("127.0.0.1");
    output->apply(s);
    e.app->document().goToFrame(0);
    e.trigger(Cmd::Play);
    QTest::qWait(1500);
    shots.saveScreen(QStringLiteral("network_output_playing"));
    e.trigger(Cmd::Stop);
}

// The " Line " page after two wiring steps with the Edit menu open: Undo
// takes back wiring steps there.
void wiringUndoInTheEditMenu(Shots &shots)
{
    for (int language : {int(Cmd::LanguageEnglish), int(Cmd::LanguageChinese)}) {
        Editor e;
        e.trigger(language);
        MainWindow &w = e.app->window();
        w.toolTabs()->setCurrentWidget(w.wiringPage());
        WiringEditor &editor = w.wiringPage()->editor();
        for (int port = 1; port <= 2; ++port) {
            editor.setPortBox(port);
            const int row = 4 * (port - 1);
            editor.press(QPoint(0, row), {});
            editor.dragTo(QPoint(19, row + 3));
            editor.release(QPoint(19, row + 3), {});
        }
        QTest::qWait(100);
        QAction *edit = w.menuBar()->actions().value(1);
        w.menuBar()->setActiveAction(edit);
        QTest::qWait(300);
        shots.saveScreen(QStringLiteral("wiring_edit_menu_") + languageTag(language));
        edit->menu()->hide();
    }
}

} // namespace

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    if (argc != 2 && argc != 3) {
        std::fprintf(stderr, "usage: brightloom-screenshots OUT_FOLDER [PART]   (on a display, e.g. under xvfb-run)\n");
        return 2;
    }
    const QString part = argc == 3 ? QString::fromLocal8Bit(argv[2]) : QString();
    const QString folder = QString::fromLocal8Bit(argv[1]);
    if (!QDir().mkpath(folder)) {
        std::fprintf(stderr, "cannot make the folder %s\n", argv[1]);
        return 2;
    }
    Language::setFolder(QStringLiteral(BRIGHTLOOM_RESOURCES));
    Shots shots(folder);
    const std::pair<const char *, void (*)(Shots &)> parts[] = {
        {"paletteAndOperationPanels", paletteAndOperationPanels},
        {"patternTabsAndKeys", patternTabsAndKeys},
        {"textAndPicturePages", textAndPicturePages},
        {"controllerPanelAndDataDialog", controllerPanelAndDataDialog},
        {"networkOutputDialogAndStatus", networkOutputDialogAndStatus},
        {"wiringUndoInTheEditMenu", wiringUndoInTheEditMenu},
        {"patternRunPlaying", patternRunPlaying},
        {"captureDialogs", captureDialogs},
    };
    for (const auto &[name, take] : parts)
        if (QString::fromLatin1(name).startsWith(part))
            take(shots);
    return shots.failures() == 0 ? 0 : 1;
}
