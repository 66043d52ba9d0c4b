// The editor from start to exit: the start-up state, File > New through the
// new-grid dialog, the full menu and bars, the commands that stay disabled,
// and the settings written at exit.

#include "shell_test_support.h"

#include "canvas/canvas_tool.h"
#include "canvas/canvas_view.h"
#include "common/command_ids.h"
#include "settings/profile_file.h"
#include "shell/about_dialog.h"
#include "shell/command_actions.h"
#include "shell/play_panel.h"

#include <QComboBox>
#include <QDockWidget>
#include <QLabel>
#include <QPointer>
#include <QProgressBar>
#include <QScrollBar>
#include <QSlider>
#include <QStatusBar>
#include <QTest>
#include <QToolBar>

class ShellStartupTest : public QObject
{
    Q_OBJECT
private slots:
    void startsWithStartupDocumentMenuAndHiddenBars();
    void newRefusesZeroWithTheParameterErrorAndStaysOpen();
    void newRefusalTextFollowsTheLanguage_data();
    void newRefusalTextFollowsTheLanguage();
    void newShowsTheFullMenuBarsAndOneFrame();
    void newClickedInTheStartupMenuReplacesItAfterwards();
    void cancelledNewKeepsFramesAndGeometry();
    void newWithUnchangedSizeKeepsTheWiringAndChangedSizeEmptiesIt();
    void dialogOpensWithTheCurrentGeometry();
    void permanentlyDisabledCommandsStayDisabled();
    void barTogglesAreCheckedWhileVisible();
    void toolBarButtonsInOrder();
    void statusBarHasFourPanesAndAProgressIndicator();
    void toolBarDockHoldsThreePages();
    void f6MovesFocusBetweenCanvasAndDocks();
    void settingsAreWrittenAtExit();
    void aboutNamesVersionAndLicences();
    void theStartScreenShowsNoIdleProgressOrScrollBars();
};

void ShellStartupTest::startsWithStartupDocumentMenuAndHiddenBars()
{
    TestEditor e;
    QCOMPARE(e.doc().frameCount(), 0);
    QVERIFY(e.doc().isStartup());
    QCOMPARE(e.menuTitles(), (QStringList{"&File", "&View", "&Language", "&Help"}));
    QCOMPARE(e.itemTexts(0),
             (QStringList{"&New\tCtrl+N", "&Open...\tCtrl+O", "-", "(no recent files)", "-", "E&xit"}));
    QCOMPARE(e.itemTexts(1), (QStringList{"&Tool Bar", "&Status Bar"}));
    QCOMPARE(e.itemTexts(2), (QStringList{"&Chinese (Mainland)", "&English", "Chinese (Hong Kong/&Taiwan)"}));
    QCOMPARE(e.itemTexts(3), (QStringList{"&About Brightloom..."}));
    QVERIFY(e.window().toolDock()->isHidden());
    QVERIFY(e.window().paletteDock()->isHidden());
    QVERIFY(e.window().playBar()->isHidden());
    QVERIFY(!e.window().isEditingLayout());
    CommandActions &actions = e.window().actions();
    for (int id : {Cmd::FileSave, Cmd::EditUndo, Cmd::EditRedo, Cmd::EditCut, Cmd::EditCopy, Cmd::EditPaste,
                   Cmd::FilePrint})
        QVERIFY2(!actions.action(id)->isVisible(), qPrintable(QString::number(id)));
    for (int id : {Cmd::FileNew, Cmd::FileOpen, Cmd::AppAbout})
        QVERIFY(actions.action(id)->isVisible());
    QCOMPARE(e.window().windowTitle(), QStringLiteral("NewFile - Brightloom"));
    // With no frames there is nothing to play or save.
    QVERIFY(!e.commands().isEnabled(Cmd::Play));
    QVERIFY(!e.commands().isEnabled(Cmd::FileSave));
    QVERIFY(e.commands().isEnabled(Cmd::FileNew));
}

void ShellStartupTest::newRefusesZeroWithTheParameterErrorAndStaysOpen()
{
    TestEditor e;
    const GridGeometry before = e.doc().geometry();
    int attempts = 0;
    e.window().documents().runNewGridDialog = [&](NewGridDialog &d) {
        d.rowsEdit()->setText(QStringLiteral("0"));
        d.confirmButton()->click();
        ++attempts;
        // Refused: the dialog is still open and nothing changed.
        if (d.result() == QDialog::Accepted || e.doc().geometry() != before || e.doc().frameCount() != 0)
            return true;
        d.rowsEdit()->setText(QStringLiteral("-3"));
        d.confirmButton()->click();
        ++attempts;
        if (d.result() == QDialog::Accepted)
            return true;
        d.rowsEdit()->setText(QStringLiteral("12"));
        d.confirmButton()->click();
        ++attempts;
        return d.result() == QDialog::Accepted;
    };
    QVERIFY(e.commands().trigger(Cmd::FileNew));
    QCOMPARE(attempts, 3);
    const QString refusal = QStringLiteral("Parameter set error!\nRows: a whole number from 1 to 32767");
    QCOMPARE(e.prompt.texts(), (QStringList{refusal, refusal}));
    QCOMPARE(e.prompt.shown.front().icon, PromptIcon::Error);
    QCOMPARE(e.doc().rows(), 12);
    QCOMPARE(e.doc().frameCount(), 1);
}

void ShellStartupTest::newRefusalTextFollowsTheLanguage_data()
{
    QTest::addColumn<int>("command");
    QTest::addColumn<QString>("text");
    QTest::newRow("Chinese") << int(Cmd::LanguageChinese) << QStringLiteral("参数设置错误！\n列数：应为1到32767之间的整数");
    QTest::newRow("English") << int(Cmd::LanguageEnglish)
                             << QStringLiteral("Parameter set error!\nColumns: a whole number from 1 to 32767");
    QTest::newRow("traditional") << int(Cmd::LanguageTraditional)
                                 << ToTraditional(QStringLiteral("参数设置错误！\n列数：应为1到32767之间的整数"));
}

void ShellStartupTest::newRefusalTextFollowsTheLanguage()
{
    QFETCH(int, command);
    QFETCH(QString, text);
    TestEditor e;
    e.commands().trigger(command);
    QVERIFY(!e.newGrid(QStringLiteral("24"), QStringLiteral("0")));
    QCOMPARE(e.prompt.texts(), QStringList{text});
    QCOMPARE(e.doc().frameCount(), 0);
}

void ShellStartupTest::newShowsTheFullMenuBarsAndOneFrame()
{
    TestEditor e;
    QVERIFY(e.newGrid(QStringLiteral("30"), QStringLiteral("50"), QStringLiteral("12"), QStringLiteral("14")));
    QCOMPARE(e.doc().frameCount(), 1);
    QCOMPARE(e.doc().currentIndex(), 0);
    const GridGeometry &g = e.doc().geometry();
    QCOMPARE(int(g.rows), 30);
    QCOMPARE(int(g.cols), 50);
    QCOMPARE(int(g.celWidth), 12);
    QCOMPARE(int(g.celHeight), 14);
    QCOMPARE(e.doc().frames().at(0).size(), size_t(30 * 50));
    QVERIFY(e.doc().isModified());
    QCOMPARE(e.menuTitles(),
             (QStringList{"&File", "&Edit", "&View", "&Picture", "&AutoPlay", "&Build", "&Language", "&Help"}));
    QVERIFY(!e.window().toolDock()->isHidden());
    QVERIFY(!e.window().paletteDock()->isHidden());
    QVERIFY(!e.window().playBar()->isHidden());
    for (int id : {Cmd::FileSave, Cmd::EditUndo, Cmd::EditRedo, Cmd::EditCut, Cmd::EditCopy, Cmd::EditPaste,
                   Cmd::FilePrint})
        QVERIFY(e.window().actions().action(id)->isVisible());
    QCOMPARE(e.window().windowTitle(), QStringLiteral("NewFile - Brightloom"));
    QCOMPARE(e.window().playPanel()->frameSlider()->maximum(), 1);
    QVERIFY(e.commands().isEnabled(Cmd::FileSave));
    QVERIFY(!e.commands().isEnabled(Cmd::Play)); // one frame
}

void ShellStartupTest::newClickedInTheStartupMenuReplacesItAfterwards()
{
    TestEditor e;
    e.app->show();
    QVERIFY(QTest::qWaitForWindowExposed(&e.window()));
    e.window().documents().runNewGridDialog = [](NewGridDialog &d) {
        d.rowsEdit()->setText(QStringLiteral("4"));
        d.colsEdit()->setText(QStringLiteral("5"));
        d.confirmButton()->click();
        return d.result() == QDialog::Accepted;
    };
    // File, then New, with the mouse, as a user starts.
    QMenuBar *bar = e.window().menuBar();
    QPointer<QMenu> startupFile = e.menu(0);
    QTest::mouseClick(bar, Qt::LeftButton, {}, bar->actionGeometry(startupFile->menuAction()).center());
    QTRY_VERIFY(startupFile->isVisible());
    QAction *newItem = e.window().actions().action(Cmd::FileNew);
    QVERIFY(startupFile->actions().contains(newItem));
    QTest::mouseClick(startupFile, Qt::LeftButton, {}, startupFile->actionGeometry(newItem).center());
    QCOMPARE(e.doc().frameCount(), 1);
    QCOMPARE(e.doc().cols(), 5);
    QCOMPARE(e.menuTitles().size(), 8);
    // The start-up menu outlived its own click and goes with the next turn
    // of the event loop.
    QTRY_VERIFY(startupFile.isNull());
    QVERIFY(e.commands().isEnabled(Cmd::FileSave));
}

void ShellStartupTest::cancelledNewKeepsFramesAndGeometry()
{
    TestEditor e;
    e.makeFrames(6, 8, 3);
    e.doc().goToFrame(1);
    e.doc().setModified(false);
    const GridGeometry before = e.doc().geometry();
    e.window().documents().runNewGridDialog = [](NewGridDialog &d) {
        d.rowsEdit()->setText(QStringLiteral("99"));
        d.cancelButton()->click();
        return d.result() == QDialog::Accepted;
    };
    QVERIFY(!e.window().documents().newDocument());
    QCOMPARE(e.doc().frameCount(), 3);
    QCOMPARE(e.doc().currentIndex(), 1);
    QVERIFY(e.doc().geometry() == before);
    QCOMPARE(e.doc().frames().at(2)[0], ColorValue(3));
    QVERIFY(e.prompt.shown.empty());
}

void ShellStartupTest::newWithUnchangedSizeKeepsTheWiringAndChangedSizeEmptiesIt()
{
    TestEditor e;
    e.newGrid(QStringLiteral("4"), QStringLiteral("5"));
    WiringPixel p;
    p.column = 2;
    p.row = 3;
    e.doc().wiring().append(p);
    e.doc().setModified(false);
    QVERIFY(e.newGrid(QStringLiteral("4"), QStringLiteral("5"), QStringLiteral("30")));
    QCOMPARE(e.doc().wiring().count(), 1);
    e.prompt.answers.push_back(PromptAnswer::No); // the changes need not be saved
    QVERIFY(e.newGrid(QStringLiteral("5"), QStringLiteral("5")));
    QCOMPARE(e.doc().wiring().count(), 0);
    QCOMPARE(e.doc().wiring().rows(), 5);
}

void ShellStartupTest::dialogOpensWithTheCurrentGeometry()
{
    TestEditor e;
    e.newGrid(QStringLiteral("7"), QStringLiteral("9"), QStringLiteral("11"), QStringLiteral("13"));
    GridGeometry g = e.doc().geometry();
    g.scanMode = 0;
    g.baseColorNum = 2;
    e.doc().setGeometry(g);
    QStringList seen;
    int mode = -1;
    int colours = -1;
    e.window().documents().runNewGridDialog = [&](NewGridDialog &d) {
        seen << d.rowsEdit()->text() << d.colsEdit()->text() << d.cellWidthEdit()->text()
             << d.cellHeightEdit()->text();
        mode = d.modeList()->currentIndex();
        colours = d.baseColourList()->currentIndex();
        return false;
    };
    e.prompt.answers.push_back(PromptAnswer::No); // do not save the changes
    e.commands().trigger(Cmd::FileNew);
    QCOMPARE(seen, (QStringList{"7", "9", "11", "13"}));
    QCOMPARE(mode, 0);
    QCOMPARE(colours, 1);
}

void ShellStartupTest::permanentlyDisabledCommandsStayDisabled()
{
    TestEditor e;
    e.makeFrames(4, 4, 3);
    e.window().refreshCommandStates();
    for (int id : {Cmd::SaveAsAvi, Cmd::ScrollMode}) {
        QVERIFY2(!e.commands().isEnabled(id), qPrintable(QString::number(id)));
        QVERIFY(!e.window().actions().action(id)->isEnabled());
    }
    // The capture commands work once a project is open.
    for (int id : {Cmd::AutoGather, Cmd::Flash, Cmd::Video})
        QVERIFY2(e.commands().isEnabled(id), qPrintable(QString::number(id)));
    QVERIFY(e.window().actions().action(Cmd::Play)->isEnabled());
    QVERIFY(!e.window().actions().action(Cmd::Stop)->isEnabled());
}

void ShellStartupTest::barTogglesAreCheckedWhileVisible()
{
    TestEditor e;
    e.makeFrames(4, 4, 1);
    struct Toggle
    {
        int id;
        QWidget *bar;
    };
    const Toggle toggles[] = {
        {Cmd::ViewToolbar, e.window().toolBar()},
        {Cmd::ViewStatusBar, e.window().statusBar()},
        {Cmd::ShortcutTool, e.window().toolDock()},
        {Cmd::PaletteBar, e.window().paletteDock()},
    };
    for (const Toggle &t : toggles) {
        QAction *item = e.window().actions().action(t.id);
        QVERIFY(item->isCheckable());
        QVERIFY(item->isChecked());
        item->trigger();
        QVERIFY(t.bar->isHidden());
        QVERIFY(!item->isChecked());
        QVERIFY(!e.commands().isChecked(t.id));
        item->trigger();
        QVERIFY(!t.bar->isHidden());
        QVERIFY(item->isChecked());
    }
}

void ShellStartupTest::toolBarButtonsInOrder()
{
    TestEditor e;
    e.makeFrames(4, 4, 1);
    QList<int> ids;
    for (QAction *a : e.window().toolBar()->actions())
        ids << (a->isSeparator() ? 0 : a->data().toInt());
    QCOMPARE(ids, (QList<int>{Cmd::FileNew, Cmd::FileOpen, Cmd::FileSave, Cmd::EditUndo, Cmd::EditRedo,
                              Cmd::EditCut, Cmd::EditCopy, Cmd::EditPaste, Cmd::FilePrint, 0, Cmd::AppAbout}));
    QCOMPARE(e.window().actions().action(Cmd::FileOpen)->toolTip(), QStringLiteral("Open..."));
}

void ShellStartupTest::statusBarHasFourPanesAndAProgressIndicator()
{
    TestEditor e;
    // Their widths follow their texts (ShellStatusPanesTest).
    for (int pane = 0; pane < 4; ++pane)
        QVERIFY(e.window().statusPane(pane));
    QProgressBar *progress = e.window().progressIndicator();
    QCOMPARE(progress->minimum(), 0);
    QCOMPARE(progress->maximum(), 50);
    e.window().showLoadProgress(37);
    QCOMPARE(progress->value(), 37);
    e.window().showLoadProgress(0);
    QCOMPARE(progress->value(), 0);
    QCOMPARE(e.window().statusPane(0)->text(), QStringLiteral("Ready"));
}

void ShellStartupTest::toolBarDockHoldsThreePages()
{
    TestEditor e;
    e.makeFrames(4, 4, 1);
    QTabWidget *tabs = e.window().toolTabs();
    QCOMPARE(tabs->count(), 3);
    QCOMPARE(tabs->tabText(0), QStringLiteral("Animate"));
    QCOMPARE(tabs->tabText(1), QStringLiteral(" Data "));
    QCOMPARE(tabs->tabText(2), QStringLiteral(" Line "));
    QCOMPARE(e.window().toolDock()->windowTitle(), QStringLiteral("TOOL Bar"));
    // The " Line " page hands the canvas's mouse to the wiring editor and
    // gives it back to painting when another page is chosen.
    CanvasTool *painting = e.window().canvas()->tool();
    QVERIFY(painting);
    tabs->setCurrentIndex(2);
    QVERIFY(e.window().canvas()->tool() != painting);
    QVERIFY(e.window().canvas()->tool()->drawsGridItself());
    tabs->setCurrentIndex(0);
    QCOMPARE(e.window().canvas()->tool(), painting);
}

void ShellStartupTest::f6MovesFocusBetweenCanvasAndDocks()
{
    TestEditor e;
    e.makeFrames(4, 4, 1);
    e.window().show();
    QVERIFY(QTest::qWaitForWindowActive(&e.window()));
    QWidget *canvas = e.window().canvas();
    canvas->setFocus();
    QVERIFY(canvas->hasFocus());
    QTest::keyClick(&e.window(), Qt::Key_F6);
    QWidget *focus = QApplication::focusWidget();
    QVERIFY(focus && e.window().toolTabs()->isAncestorOf(focus));
    QTest::keyClick(focus, Qt::Key_F6, Qt::ShiftModifier);
    QCOMPARE(QApplication::focusWidget(), canvas);
    // Backwards from the canvas wraps round to the last bar, the play panel.
    QTest::keyClick(canvas, Qt::Key_F6, Qt::ShiftModifier);
    focus = QApplication::focusWidget();
    QVERIFY(focus && e.window().playPanel()->isAncestorOf(focus));
}

void ShellStartupTest::settingsAreWrittenAtExit()
{
    TestEditor e;
    const QString path = e.dir.filePath(QStringLiteral("Brightloom.ini"));
    e.newGrid(QStringLiteral("33"), QStringLiteral("44"));
    e.commands().trigger(Cmd::LanguageChinese);
    e.app.reset();
    const ProfileFile written = ProfileFile::load(path);
    QCOMPARE(written.readInt(QStringLiteral("main"), QStringLiteral("language"), -1), 0);
    QCOMPARE(written.readInt(QStringLiteral("main"), QStringLiteral("Rows"), -1), 33);
    QCOMPARE(written.readInt(QStringLiteral("main"), QStringLiteral("Cols"), -1), 44);
    // The next run starts in English with the grid of the last one.
    Language::setCode(0);
    EditorOptions options;
    options.settingsPath = path;
    options.recentFilesPath = e.dir.filePath(QStringLiteral("recent.conf"));
    options.prompt = &e.prompt;
    e.app = std::make_unique<EditorApplication>(options);
    QCOMPARE(Language::code(), 1);
    QCOMPARE(e.doc().rows(), 33);
    QCOMPARE(e.doc().frameCount(), 0);
    QCOMPARE(e.menuTitles().first(), QStringLiteral("&File"));
}

void ShellStartupTest::aboutNamesVersionAndLicences()
{
    Language::setCode(1);
    AboutDialog about;
    const QString text = about.text();
    QVERIFY(text.startsWith(QStringLiteral("Brightloom\n")));
    QVERIFY(text.contains(QStringLiteral("Version " BRIGHTLOOM_VERSION)));
    for (const char *licence : {"(LGPLv3)", "OpenCC (Apache 2.0)", "libusb (LGPL 2.1)", "FFmpeg (LGPL 2.1+)"})
        QVERIFY2(text.contains(QLatin1String(licence)), licence);
    Language::setCode(0);
    QVERIFY(AboutDialog().text().contains(QStringLiteral("版本 " BRIGHTLOOM_VERSION)));
    Language::setCode(1);
}

void ShellStartupTest::theStartScreenShowsNoIdleProgressOrScrollBars()
{
    TestEditor e;
    e.app->show();
    QVERIFY(QTest::qWaitForWindowExposed(&e.window()));
    QProgressBar *progress = e.window().progressIndicator();
    CanvasView *canvas = e.window().canvas();
    QVERIFY(!progress->isVisible());
    QVERIFY(!canvas->horizontalBar()->isVisible());
    QVERIFY(!canvas->verticalBar()->isVisible());
    // The indicator shows while a load moves it, and keeps its place when
    // it goes.
    const QRect place = progress->geometry();
    e.window().showLoadProgress(12);
    QVERIFY(progress->isVisible());
    QCOMPARE(progress->geometry(), place);
    e.window().showLoadProgress(0);
    QVERIFY(!progress->isVisible());
    // The scroll bars come with a grid to scroll.
    e.makeFrames(4, 4, 1);
    QVERIFY(canvas->horizontalBar()->isVisible());
    QVERIFY(canvas->verticalBar()->isVisible());
}

#include "app_test.h"
APP_TEST(ShellStartupTest)
#include "shell_startup_test.moc"
