// A project and its wiring travel together: closing, New and Open ask about
// a wiring with unsaved changes after the project question and save it as a
// ".line" file beside the project; opening X.wst offers the X.line beside
// it, or loads it at once once the user chose "always".

#include "shell_test_support.h"

#include "common/command_ids.h"
#include "document/project_file.h"
#include "settings/app_settings.h"
#include "wiring/wiring_files.h"

#include <QFile>
#include <QTest>

class ShellWiringFilesTest : public QObject
{
    Q_OBJECT
private slots:
    void theWiringIsAskedAboutAfterTheProject_data();
    void theWiringIsAskedAboutAfterTheProject();
    void aWiringWithoutChangesOrRecordsAsksNothing();
    void aProjectOpensWithTheWiringBesideIt();
};

namespace {

QString writeOneFrameProject(const QString &path, int rows, int cols)
{
    GridGeometry g;
    g.rows = int16_t(rows);
    g.cols = int16_t(cols);
    FrameSequence seq;
    seq.append(Frame(size_t(rows) * size_t(cols), 7));
    return writeProjectFile(path, g, seq) ? path : QString();
}

WiringPixel wiredOnPortOne(int x, int y, int pixel)
{
    WiringPixel p;
    p.column = x;
    p.row = y;
    p.pixel = pixel;
    return p;
}

// Two records on port 1, as a definition on the wiring page makes them.
void defineTwo(Document &doc)
{
    doc.wiring().append(wiredOnPortOne(0, 0, 0));
    doc.wiring().append(wiredOnPortOne(1, 0, 1));
    doc.wiringEdited();
}

const QString kNewFileQuestion = QStringLiteral("Save changes to NewFile?");

QString wiringQuestion(const QString &name)
{
    return QStringLiteral("The wiring of %1 has changes that are not saved. Save it as a wiring file (.line)?")
        .arg(name);
}

} // namespace

void ShellWiringFilesTest::theWiringIsAskedAboutAfterTheProject_data()
{
    QTest::addColumn<QString>("step");
    QTest::newRow("New") << QStringLiteral("new");
    QTest::newRow("Open") << QStringLiteral("open");
    QTest::newRow("close") << QStringLiteral("close");
}

void ShellWiringFilesTest::theWiringIsAskedAboutAfterTheProject()
{
    QFETCH(QString, step);
    TestEditor e;
    e.makeFrames(3, 3, 2);
    e.app->show();
    defineTwo(e.doc());
    QVERIFY(e.doc().isWiringModified());
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

    // The project is saved, then the wiring question is cancelled: the step
    // does not go on, the wiring keeps its mark.
    const QString project = e.dir.filePath(QStringLiteral("show.wst"));
    e.prompt.answers = {PromptAnswer::Yes, PromptAnswer::Cancel};
    e.prompt.files = {project};
    run();
    QCOMPARE(e.prompt.texts(), (QStringList{kNewFileQuestion, wiringQuestion(QStringLiteral("show.wst"))}));
    QCOMPARE(e.prompt.shown.back().icon, PromptIcon::Warning);
    QVERIFY(QFile::exists(project));
    QVERIFY(!dialogShown);
    QVERIFY(e.window().isVisible());
    QVERIFY(e.doc().isWiringModified());

    // Yes: the wiring is saved beside the project under its name, then the
    // step goes on.
    e.prompt.shown.clear();
    e.prompt.answers = {PromptAnswer::Yes};
    e.prompt.files = {e.dir.filePath(QStringLiteral("show"))}; // the dialog adds ".line"
    run();
    QCOMPARE(e.prompt.texts(), QStringList{wiringQuestion(QStringLiteral("show.wst"))});
    QCOMPARE(e.prompt.saveDialogNames.back(), e.dir.filePath(QStringLiteral("show.line")));
    QCOMPARE(e.prompt.saveDialogSuffixes.back(), QStringLiteral("line"));
    QCOMPARE(e.prompt.fileDialogTitles.value(1), QStringLiteral("Save wiring"));
    QCOMPARE(e.prompt.fileDialogFilters.value(1), QStringLiteral("Line file(*.line)"));
    const LineReadResult saved = readLineFile(e.dir.filePath(QStringLiteral("show.line")));
    QVERIFY(saved.file);
    QCOMPARE(saved.file->content.records.size(), size_t(2));
    QVERIFY(!e.doc().isWiringModified());
    QCOMPARE(dialogShown, step == QLatin1String("new"));
    QCOMPARE(e.window().isVisible(), step != QLatin1String("close"));
}

void ShellWiringFilesTest::aWiringWithoutChangesOrRecordsAsksNothing()
{
    TestEditor e;
    e.makeFrames(3, 3, 1);
    e.doc().setModified(false);
    e.app->show();
    defineTwo(e.doc());
    e.doc().setWiringModified(false);
    e.window().close();
    QVERIFY(e.prompt.shown.empty());
    QVERIFY(!e.window().isVisible());

    // Changed, then emptied: nothing is left to save.
    e.app->show();
    e.doc().wiring().clear();
    e.doc().wiringEdited();
    e.window().close();
    QVERIFY(e.prompt.shown.empty());

    // "No" goes on without a file; the records stay unsaved, so the next
    // step asks again rather than lose them.
    e.app->show();
    defineTwo(e.doc());
    e.prompt.answers = {PromptAnswer::No};
    e.window().close();
    QCOMPARE(e.prompt.texts(), QStringList{wiringQuestion(QStringLiteral("NewFile"))});
    QVERIFY(!e.window().isVisible());
    QVERIFY(e.prompt.fileDialogTitles.isEmpty());
    QVERIFY(e.doc().isWiringModified());
}

void ShellWiringFilesTest::aProjectOpensWithTheWiringBesideIt()
{
    TestEditor e;
    const QString project = writeOneFrameProject(e.dir.filePath(QStringLiteral("arch.wst")), 2, 3);
    QVERIFY(!project.isEmpty());
    QVERIFY(writeLineFile(e.dir.filePath(QStringLiteral("arch.line")), 2, 3, uint8_t(CircuitryKind::Led),
                          {wiredOnPortOne(2, 1, 0), wiredOnPortOne(1, 1, 1), wiredOnPortOne(0, 1, 2)}));
    const QString question = QStringLiteral("The wiring file arch.line lies beside this project. Load it?");
    const QString always = QStringLiteral("Always load the wiring file beside a project");

    // No: the project opens without the wiring.
    e.prompt.answers = {PromptAnswer::No};
    QVERIFY(e.window().documents().openFile(project));
    QCOMPARE(e.prompt.texts(), QStringList{question});
    QCOMPARE(e.prompt.options, QStringList{always});
    QCOMPARE(e.doc().wiring().count(), 0);

    // Yes with "always" ticked: loaded, unmarked, and kept in the settings.
    e.prompt.shown.clear();
    e.prompt.answers = {PromptAnswer::Yes};
    e.prompt.optionAnswers = {true};
    QVERIFY(e.window().documents().openFile(project));
    QCOMPARE(e.prompt.texts(), QStringList{question});
    QCOMPARE(e.doc().wiring().count(), 3);
    QCOMPARE(e.doc().wiring().kind(), CircuitryKind::Led);
    QVERIFY(e.doc().wiring().isWired(0, 1));
    QVERIFY(!e.doc().isWiringModified());
    QVERIFY(e.app->settings().loadWiringBesideProject);
    QVERIFY(e.app->saveSettings());
    QVERIFY(LoadSettings(e.dir.filePath(QStringLiteral("Brightloom.ini"))).loadWiringBesideProject);

    // From now on the wiring comes without a question.
    e.prompt.shown.clear();
    e.doc().wiring().clear();
    QVERIFY(e.window().documents().openFile(project));
    QVERIFY(e.prompt.shown.empty());
    QCOMPARE(e.doc().wiring().count(), 3);

    // A project with no wiring file beside it asks nothing.
    e.app->settings().loadWiringBesideProject = false;
    const QString lone = writeOneFrameProject(e.dir.filePath(QStringLiteral("lone.wst")), 2, 3);
    QVERIFY(e.window().documents().openFile(lone));
    QVERIFY(e.prompt.shown.empty());
}

#include "app_test.h"
APP_TEST(ShellWiringFilesTest)
#include "shell_wiring_files_test.moc"
