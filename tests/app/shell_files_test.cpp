// Open, Save, Save As, the recent files, a project named on the command
// line or dropped on the window, the "save changes?" question, the load
// progress on the status bar, and printing the canvas.

#include "shell_test_support.h"

#include "common/command_ids.h"
#include "document/project_file.h"
#include "shell/canvas_printing.h"
#include "shell/main_menu.h"
#include "shell/play_panel.h"
#include "shell/recent_files.h"

#include <QDockWidget>
#include <QDropEvent>
#include <QFile>
#include <QMimeData>
#include <QPrinter>
#include <QProgressBar>
#include <QSignalSpy>
#include <QSlider>
#include <QTest>
#include <QUrl>

#include <sys/stat.h>

class ShellFilesTest : public QObject
{
    Q_OBJECT
private slots:
    void openShowsTheProjectWithProgress();
    void aBadFileLeavesTheDocumentAsItWas();
    void commandLineProjectOpensFully();
    void commandLineFailureKeepsTheStartupDocument();
    void saveAsAsksForANameAndSaveReusesIt();
    void saveChangesQuestionGuardsNewOpenAndClose_data();
    void saveChangesQuestionGuardsNewOpenAndClose();
    void recentFilesKeepFourNewestFirst();
    void recentFileFromTheMenuOpensIt();
    void droppedFileIsOpened();
    void devicesAndPipesAreRefusedWhereverTheyComeFrom();
    void aCutProjectOpensAsARecoveredCopySavedUnderAnotherName();
    void aFileCutBeforeItsFirstFrameKeepsTheOpenDocument();
    void printDrawsTheCanvasOnAPage();
};

namespace {

// A project of `frames` frames of rows x cols, frame i filled with i + 1.
QString writeProject(const QString &path, int rows, int cols, int frames)
{
    GridGeometry g;
    g.rows = int16_t(rows);
    g.cols = int16_t(cols);
    FrameSequence seq;
    for (int i = 0; i < frames; ++i)
        seq.append(Frame(size_t(rows) * size_t(cols), ColorValue(i + 1)));
    if (!writeProjectFile(path, g, seq))
        return QString();
    return path;
}

} // namespace

void ShellFilesTest::openShowsTheProjectWithProgress()
{
    TestEditor e;
    const QString path = writeProject(e.dir.filePath(QStringLiteral("walk.wst")), 6, 9, 60);
    QVERIFY(!path.isEmpty());
    QList<int> progress;
    connect(e.window().progressIndicator(), &QProgressBar::valueChanged, this,
            [&progress](int v) { progress << v; });
    e.prompt.files.push_back(path);
    QVERIFY(e.commands().trigger(Cmd::FileOpen));
    QCOMPARE(e.prompt.fileDialogFilters.value(0), QStringLiteral("Brightloom files (*.wst);;All files (*)"));
    QCOMPARE(e.doc().frameCount(), 60);
    QCOMPARE(e.doc().rows(), 6);
    QCOMPARE(e.doc().cols(), 9);
    QCOMPARE(e.doc().currentIndex(), 0);
    QCOMPARE(e.doc().wiring().rows(), 6);
    QCOMPARE(e.window().windowTitle(), QStringLiteral("walk.wst - Brightloom"));
    QCOMPARE(e.menuTitles().size(), 8);
    QVERIFY(!e.window().toolDock()->isHidden());
    QCOMPARE(e.window().playPanel()->frameSlider()->maximum(), 60);
    QCOMPARE(e.window().playPanel()->indexText(), QStringLiteral("1"));
    // 1..49, 0, 1..9 while loading, then back to the minimum.
    QVERIFY2(progress.size() >= 50, qPrintable(QString::number(progress.size())));
    QCOMPARE(progress.value(progress.indexOf(49) + 1), 0);
    QCOMPARE(progress.last(), 0);
    QCOMPARE(e.window().recentFiles().files(), QStringList{path});
    QVERIFY(e.prompt.shown.empty());
}

void ShellFilesTest::aBadFileLeavesTheDocumentAsItWas()
{
    TestEditor e;
    e.makeFrames(4, 5, 3);
    e.doc().setModified(false);
    const QString bad = e.dir.filePath(QStringLiteral("bad.wst"));
    QFile f(bad);
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write("NOTAPROJECT-----------------------------------");
    f.close();
    QVERIFY(!e.window().documents().openFile(bad));
    QCOMPARE(e.prompt.shown.size(), size_t(1));
    QVERIFY(e.prompt.lastText().startsWith(QStringLiteral("File format error!")));
    QCOMPARE(e.prompt.shown.front().icon, PromptIcon::Error);
    QCOMPARE(e.doc().frameCount(), 3);
    QCOMPARE(e.doc().rows(), 4);
    QCOMPARE(e.doc().frames().at(2)[0], ColorValue(3));
    QCOMPARE(e.window().windowTitle(), QStringLiteral("NewFile - Brightloom"));
    QVERIFY(e.window().recentFiles().files().isEmpty());
}

void ShellFilesTest::commandLineProjectOpensFully()
{
    TestEditor e;
    const QString path = writeProject(e.dir.filePath(QStringLiteral("start.wst")), 10, 12, 4);
    QVERIFY(e.app->openOnStart(path));
    QCOMPARE(e.doc().frameCount(), 4);
    QVERIFY(!e.doc().isStartup());
    QVERIFY(e.window().isEditingLayout());
    QCOMPARE(e.menuTitles().size(), 8);
    QVERIFY(!e.window().paletteDock()->isHidden());
    QCOMPARE(e.doc().wiring().rows(), 10);
    QCOMPARE(e.doc().wiring().cols(), 12);
    QCOMPARE(e.window().playPanel()->frameSlider()->maximum(), 4);
    // The next New shows the dialog and makes a frame.
    QVERIFY(e.newGrid(QStringLiteral("3"), QStringLiteral("3")));
    QCOMPARE(e.doc().frameCount(), 1);
}

void ShellFilesTest::commandLineFailureKeepsTheStartupDocument()
{
    TestEditor e;
    QVERIFY(!e.app->openOnStart(e.dir.filePath(QStringLiteral("missing.wst"))));
    QCOMPARE(e.prompt.shown.size(), size_t(1));
    QVERIFY(e.doc().isStartup());
    QCOMPARE(e.doc().frameCount(), 0);
    QCOMPARE(e.menuTitles().size(), 4);
    QVERIFY(e.window().toolDock()->isHidden());
}

void ShellFilesTest::saveAsAsksForANameAndSaveReusesIt()
{
    TestEditor e;
    e.makeFrames(3, 4, 2);
    e.prompt.files.push_back(e.dir.filePath(QStringLiteral("first")));
    QVERIFY(e.commands().trigger(Cmd::FileSave));
    const QString saved = e.dir.filePath(QStringLiteral("first.wst"));
    QVERIFY(QFile::exists(saved));
    QCOMPARE(e.prompt.fileDialogTitles, QStringList{"Save As"});
    // The dialog itself adds ".wst", so it asks about replacing first.wst.
    QCOMPARE(e.prompt.saveDialogSuffixes, QStringList{"wst"});
    QCOMPARE(e.window().windowTitle(), QStringLiteral("first.wst - Brightloom"));
    QCOMPARE(QFile(saved).size(), qint64(32 + 2 * 3 * 4 * 3));
    // Save again: no dialog, the same file.
    e.doc().insertFrameAfterCurrent(e.doc().makeFrame());
    QVERIFY(e.commands().trigger(Cmd::FileSave));
    QCOMPARE(e.prompt.fileDialogTitles.size(), 1);
    QCOMPARE(QFile(saved).size(), qint64(32 + 3 * 3 * 4 * 3));
    // Save As to another name.
    e.prompt.files.push_back(e.dir.filePath(QStringLiteral("second.wst")));
    QVERIFY(e.commands().trigger(Cmd::FileSaveAs));
    QCOMPARE(e.doc().filePath(), e.dir.filePath(QStringLiteral("second.wst")));
    QCOMPARE(e.window().recentFiles().files().value(0), e.dir.filePath(QStringLiteral("second.wst")));
    // The File menu lists it at once.
    QVERIFY(e.itemTexts(0).contains(e.window().recentFiles().menuText(0)));
    QVERIFY(e.window().recentFiles().menuText(0).endsWith(QStringLiteral("second.wst")));
    // A cancelled Save As writes nothing.
    QVERIFY(e.commands().trigger(Cmd::FileSaveAs));
    QCOMPARE(e.doc().filePath(), e.dir.filePath(QStringLiteral("second.wst")));
    QVERIFY(e.prompt.shown.empty());
}

void ShellFilesTest::saveChangesQuestionGuardsNewOpenAndClose_data()
{
    QTest::addColumn<QString>("step");
    QTest::newRow("New") << QStringLiteral("new");
    QTest::newRow("Open") << QStringLiteral("open");
    QTest::newRow("close") << QStringLiteral("close");
}

void ShellFilesTest::saveChangesQuestionGuardsNewOpenAndClose()
{
    QFETCH(QString, step);
    TestEditor e;
    e.makeFrames(3, 3, 2);
    e.app->show();
    QVERIFY(e.doc().isModified());
    bool dialogShown = false;
    e.window().documents().runNewGridDialog = [&dialogShown](NewGridDialog &) {
        dialogShown = true;
        return false;
    };
    const auto run = [&] {
        if (step == QLatin1String("new"))
            e.commands().trigger(Cmd::FileNew);
        else if (step == QLatin1String("open"))
            e.commands().trigger(Cmd::FileOpen);
        else
            e.window().close();
    };
    // Cancel: nothing happens.
    e.prompt.answers.push_back(PromptAnswer::Cancel);
    run();
    QCOMPARE(e.prompt.texts(), QStringList{"Save changes to NewFile?"});
    QVERIFY(!dialogShown);
    QVERIFY(e.prompt.fileDialogTitles.isEmpty());
    QVERIFY(e.window().isVisible());
    QCOMPARE(e.doc().frameCount(), 2);
    // Yes: saved first (Save As, since there is no name yet), then on.
    e.prompt.answers.push_back(PromptAnswer::Yes);
    e.prompt.files.push_back(e.dir.filePath(QStringLiteral("kept.wst")));
    run();
    QVERIFY(QFile::exists(e.dir.filePath(QStringLiteral("kept.wst"))));
    QCOMPARE(dialogShown, step == QLatin1String("new"));
    QCOMPARE(e.window().isVisible(), step != QLatin1String("close"));
}

void ShellFilesTest::recentFilesKeepFourNewestFirst()
{
    QTemporaryDir dir;
    const QString store = dir.filePath(QStringLiteral("recent.conf"));
    QStringList paths;
    for (int i = 0; i < 6; ++i)
        paths << dir.filePath(QStringLiteral("p%1.wst").arg(i));
    {
        RecentFiles recent(store);
        for (const QString &p : paths)
            recent.add(p);
        recent.add(paths[3]); // again: moves to the top
        QCOMPARE(recent.files(), (QStringList{paths[3], paths[5], paths[4], paths[2]}));
        QVERIFY(recent.menuText(0).startsWith(QStringLiteral("&1 ")));
        QVERIFY(recent.menuText(3).endsWith(QStringLiteral("p2.wst")));
    }
    RecentFiles again(store);
    QCOMPARE(again.files(), (QStringList{paths[3], paths[5], paths[4], paths[2]}));
    again.remove(paths[5]);
    QCOMPARE(RecentFiles(store).files(), (QStringList{paths[3], paths[4], paths[2]}));
}

void ShellFilesTest::recentFileFromTheMenuOpensIt()
{
    TestEditor e;
    const QString path = writeProject(e.dir.filePath(QStringLiteral("again.wst")), 5, 5, 7);
    e.window().recentFiles().add(path);
    e.window().mainMenu().refreshRecentFiles();
    QStringList fileItems = e.itemTexts(0);
    QCOMPARE(fileItems.value(3), e.window().recentFiles().menuText(0));
    QAction *entry = nullptr;
    for (QAction *a : e.menu(0)->actions())
        if (a->text() == fileItems.value(3))
            entry = a;
    QVERIFY(entry);
    entry->trigger();
    QCOMPARE(e.doc().frameCount(), 7);
    QCOMPARE(e.window().windowTitle(), QStringLiteral("again.wst - Brightloom"));
    // In the full menu the entries follow Print Setup.
    fileItems = e.itemTexts(0);
    QCOMPARE(fileItems.indexOf(e.window().recentFiles().menuText(0)), 10);
}

void ShellFilesTest::droppedFileIsOpened()
{
    TestEditor e;
    const QString path = writeProject(e.dir.filePath(QStringLiteral("dropped.wst")), 4, 6, 2);
    QMimeData mime;
    mime.setUrls({QUrl::fromLocalFile(path)});
    QDragEnterEvent enter(QPoint(10, 10), Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(&e.window(), &enter);
    QVERIFY(enter.isAccepted());
    QDropEvent drop(QPointF(10, 10), Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(&e.window(), &drop);
    QCOMPARE(e.doc().frameCount(), 2);
    QCOMPARE(e.doc().cols(), 6);
    // Text without files is refused.
    QMimeData text;
    text.setText(QStringLiteral("hello"));
    QDragEnterEvent refused(QPoint(10, 10), Qt::CopyAction, &text, Qt::LeftButton, Qt::NoModifier);
    refused.setAccepted(false);
    QApplication::sendEvent(&e.window(), &refused);
    QVERIFY(!refused.isAccepted());
}

void ShellFilesTest::devicesAndPipesAreRefusedWhereverTheyComeFrom()
{
    TestEditor e;
    Language::setCode(Language::English);
    // Named on the command line: the start-up document stays.
    QVERIFY(!e.app->openOnStart(QStringLiteral("/dev/zero")));
    QCOMPARE(e.prompt.texts(), QStringList{"OpenFileError\nIt is a character device, not a file."});
    QVERIFY(e.doc().isStartup());
    // A pipe with no writer (opening it for reading would wait for ever),
    // chosen in the Open dialog and dropped on the window.
    e.makeFrames(3, 3, 2);
    const QString pipe = e.dir.filePath(QStringLiteral("pipe.wst"));
    QVERIFY(::mkfifo(QFile::encodeName(pipe).constData(), 0600) == 0);
    e.doc().setModified(false);
    e.prompt.files.push_back(pipe);
    QVERIFY(e.commands().trigger(Cmd::FileOpen));
    QCOMPARE(e.prompt.lastText(), QStringLiteral("OpenFileError\nIt is a FIFO (named pipe), not a file."));
    QMimeData mime;
    mime.setUrls({QUrl::fromLocalFile(pipe)});
    QDragEnterEvent enter(QPoint(10, 10), Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(&e.window(), &enter);
    QDropEvent drop(QPointF(10, 10), Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(&e.window(), &drop);
    QCOMPARE(e.prompt.shown.size(), size_t(3));
    QCOMPARE(e.prompt.lastText(), QStringLiteral("OpenFileError\nIt is a FIFO (named pipe), not a file."));
    QCOMPARE(e.doc().frameCount(), 2);
    QCOMPARE(e.doc().rows(), 3);
    QVERIFY(e.window().recentFiles().files().isEmpty());
}

void ShellFilesTest::aCutProjectOpensAsARecoveredCopySavedUnderAnotherName()
{
    TestEditor e;
    Language::setCode(Language::English);
    // 48 frames of 4 x 5 (60 bytes each), cut in the middle of the third.
    const QString path = writeProject(e.dir.filePath(QStringLiteral("show.wst")), 4, 5, 48);
    QVERIFY(QFile::resize(path, 32 + 2 * 60 + 30));
    QFile original(path);
    QVERIFY(original.open(QIODevice::ReadOnly));
    const QByteArray damaged = original.readAll();
    original.close();
    QVERIFY(e.window().documents().openFile(path));
    QCOMPARE(e.doc().frameCount(), 2);
    QCOMPARE(e.prompt.texts(), QStringList{"The file is incomplete: only 2 of its 48 frames could be read."});
    QCOMPARE(e.window().windowTitle(), QStringLiteral("show.wst (recovered) - Brightloom"));
    Language::setCode(Language::Chinese);
    QCOMPARE(e.window().documents().documentName(), QStringLiteral("show.wst（已恢复）"));
    Language::setCode(Language::English);
    // Ctrl+S asks for a name and offers one beside the damaged file.
    const QString copy = e.dir.filePath(QStringLiteral("show (recovered).wst"));
    e.prompt.files.push_back(copy);
    QVERIFY(e.commands().trigger(Cmd::FileSave));
    QCOMPARE(e.prompt.saveDialogNames, QStringList{copy});
    QVERIFY(original.open(QIODevice::ReadOnly));
    QCOMPARE(original.readAll(), damaged);
    original.close();
    QCOMPARE(QFile(copy).size(), qint64(32 + 2 * 60));
    QCOMPARE(e.window().windowTitle(), QStringLiteral("show (recovered).wst - Brightloom"));
    // From here on it is an ordinary project: Save writes it again.
    QVERIFY(e.commands().trigger(Cmd::FileSave));
    QCOMPARE(e.prompt.saveDialogNames.size(), 1);
}

void ShellFilesTest::aFileCutBeforeItsFirstFrameKeepsTheOpenDocument()
{
    TestEditor e;
    Language::setCode(Language::English);
    e.makeFrames(3, 3, 2);
    e.doc().setModified(false);
    // The first 100 bytes of a 48-frame project of 6 x 9 (162-byte frames).
    const QString path = writeProject(e.dir.filePath(QStringLiteral("cut.wst")), 6, 9, 48);
    QVERIFY(QFile::resize(path, 100));
    QVERIFY(!e.window().documents().openFile(path));
    QCOMPARE(e.prompt.shown.size(), size_t(1));
    QCOMPARE(e.prompt.shown.front().icon, PromptIcon::Error);
    QCOMPARE(e.doc().frameCount(), 2);
    QCOMPARE(e.doc().rows(), 3);
    QCOMPARE(e.window().windowTitle(), QStringLiteral("NewFile - Brightloom"));
}

void ShellFilesTest::printDrawsTheCanvasOnAPage()
{
    TestEditor e;
    e.makeFrames(8, 8, 1);
    QPrinter printer;
    printer.setOutputFormat(QPrinter::PdfFormat);
    const QString pdf = e.dir.filePath(QStringLiteral("canvas.pdf"));
    printer.setOutputFileName(pdf);
    QVERIFY(e.window().printing().printTo(printer));
    QFile out(pdf);
    QVERIFY(out.open(QIODevice::ReadOnly));
    QVERIFY(out.read(5) == "%PDF-");
    QVERIFY(out.size() > 500);
}

#include "app_test.h"
APP_TEST(ShellFilesTest)
#include "shell_files_test.moc"
