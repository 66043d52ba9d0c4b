// Save dialogs start beside the open project with its name: the project
// itself, its wiring, its data files, its palette and its controller
// parameters.

#include "shell_test_support.h"

#include "common/command_ids.h"
#include "document/save_suggestion.h"
#include "links/controller_panel.h"
#include "output/output_dialog.h"
#include "palette/colour_panel_model.h"
#include "palette/palette_file.h"
#include "wiring/wiring_tool_page.h"

#include <QDir>
#include <QPushButton>
#include <QTabWidget>
#include <QTest>

namespace {

GridGeometry projectGrid()
{
    GridGeometry g;
    g.rows = 2;
    g.cols = 3;
    return g;
}

// A 2 x 3 document of two frames with one wired point, saved as `path`.
std::unique_ptr<Document> projectAt(const QString &path)
{
    auto doc = std::make_unique<Document>(projectGrid());
    doc->startNew(projectGrid());
    doc->insertFrameAfterCurrent(doc->backgroundFrame());
    WiringPixel p;
    p.column = 1;
    p.row = 1;
    doc->wiring().setKind(CircuitryKind::Led);
    doc->wiring().append(p);
    doc->setFilePath(path);
    return doc;
}

} // namespace

class SaveDialogPlacesTest : public QObject
{
    Q_OBJECT
private slots:
    void theSuggestionIsTheProjectNameWithTheFileType_data()
    {
        QTest::addColumn<QString>("project");
        QTest::addColumn<QString>("suffix");
        QTest::addColumn<QString>("suggested");
        QTest::newRow("wiring") << "/shows/park.wst" << "line" << "/shows/park.line";
        QTest::newRow("dots in the name") << "/shows/park.v2.wst" << "led" << "/shows/park.v2.led";
        QTest::newRow("no extension") << "/shows/park" << "zari" << "/shows/park.zari";
        QTest::newRow("relative") << "park.wst" << "col" << QDir::current().filePath(QStringLiteral("park.col"));
        QTest::newRow("no project file") << "" << "line" << "";
    }

    void theSuggestionIsTheProjectNameWithTheFileType()
    {
        QFETCH(QString, project);
        QFETCH(QString, suffix);
        QFETCH(QString, suggested);
        QCOMPARE(saveSuggestion(project, suffix), suggested);
    }

    void aRecoveredCopyIsPlacedBesideTheDamagedFile()
    {
        Document doc(projectGrid());
        doc.setRecoveredFrom(QStringLiteral("/shows/cut.wst"));
        QCOMPARE(saveSuggestion(doc, QStringLiteral("line")), QStringLiteral("/shows/cut.line"));
        doc.setFilePath(QStringLiteral("/elsewhere/saved.wst"));
        QCOMPARE(saveSuggestion(doc, QStringLiteral("line")), QStringLiteral("/elsewhere/saved.line"));
    }

    void dataFilesStartBesideTheProject()
    {
        QTemporaryDir dir;
        for (CircuitryKind kind : {CircuitryKind::Led, CircuitryKind::Neon}) {
            auto doc = projectAt(dir.filePath(QStringLiteral("park.wst")));
            const ControllerParams params = ControllerParams::initial(3);
            ScriptedPrompt prompt; // cancels the file dialog
            OutputDialog dialog(*doc, params, kind, prompt);
            dialog.confirmButton()->click();
            const QString type = kind == CircuitryKind::Led ? QStringLiteral("led") : QStringLiteral("bin");
            QCOMPARE(prompt.saveDialogNames, QStringList{dir.filePath(QStringLiteral("park.") + type)});
        }
    }

    void parametersStartBesideTheProject()
    {
        QTemporaryDir dir;
        auto doc = projectAt(dir.filePath(QStringLiteral("park.wst")));
        ControllerParams params = ControllerParams::initial(3);
        ScriptedPrompt prompt;
        ControllerPanel panel(params, *doc, prompt);
        panel.saveButton()->click();
        QCOMPARE(prompt.saveDialogNames, QStringList{dir.filePath(QStringLiteral("park.zari"))});
    }

    void thePaletteStartsBesideTheProjectOrInThePaletteFolder()
    {
        PaletteState palette;
        ScriptedPrompt prompt;
        ColourPanelModel model(palette, 3, 1, prompt);
        model.saveWithDialog();
        model.setProjectPath(QStringLiteral("/shows/park.wst"));
        model.saveWithDialog();
        QCOMPARE(prompt.saveDialogNames,
                 (QStringList{paletteFolder() + QStringLiteral("/"), QStringLiteral("/shows/park.col")}));
    }

    void theWiringAndTheProjectStartBesideTheProject()
    {
        TestEditor e;
        e.makeFrames(3, 4, 1);
        const QString project = e.dir.filePath(QStringLiteral("park.wst"));
        e.prompt.files = {project};
        QVERIFY(e.commands().trigger(Cmd::FileSaveAs));
        QCOMPARE(e.doc().filePath(), project);
        QVERIFY(e.commands().trigger(Cmd::FileSaveAs)); // cancelled
        e.window().toolTabs()->setCurrentIndex(2);
        WiringPixel p;
        p.column = 1;
        e.doc().wiring().append(p);
        e.window().toolTabs()->widget(2)->findChild<QPushButton *>(QStringLiteral("LineButton2"))->click();
        QCOMPARE(e.prompt.saveDialogNames.mid(1),
                 (QStringList{project, e.dir.filePath(QStringLiteral("park.line"))}));
    }
};

#include "app_test.h"
APP_TEST(SaveDialogPlacesTest)
#include "save_dialog_places_test.moc"
