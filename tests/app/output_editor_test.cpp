// The controller panel and the data commands inside the whole editor: the
// " Data " page, its list following File > New, its texts following the
// language commands; screenshots of the panel and the output dialog on
// request.

#include "shell_test_support.h"

#include "common/command_ids.h"
#include "links/controller_panel.h"
#include "links/rgb_order_view.h"
#include "output/output_dialog.h"
#include "wiring/wiring_operations.h"

#include <QApplication>
#include <QComboBox>
#include <QFile>
#include <QLabel>
#include <QScreen>
#include <QTabWidget>
#include <QTest>
#include <QTimer>

class OutputEditorTest : public QObject
{
    Q_OBJECT
private slots:
    void theDataPageHoldsTheControllerPanel()
    {
        TestEditor e;
        auto *panel = e.window().findChild<ControllerPanel *>();
        QVERIFY(panel);
        QCOMPARE(e.window().toolTabs()->widget(1), panel);

        // A list arranged by the user goes with new grid settings.
        e.makeFrames(4, 6, 1);
        panel->nullButton()->click();
        QCOMPARE(panel->orderView()->topLevelItemCount(), 4);
        // The panel edits the editor's one set of values, the one data
        // generation reads.
        QCOMPARE(e.app->context().controller.groupExtra, 1);
        QCOMPARE(e.app->context().controller.orderList.count(), 4);
        e.prompt.answers = {PromptAnswer::No}; // do not save the changed document
        QVERIFY(e.newGrid(QStringLiteral("5"), QStringLiteral("6")));
        QCOMPARE(panel->orderView()->topLevelItemCount(), 3);
        QCOMPARE(e.app->context().controller.groupExtra, 0);
    }

    void panelTextsFollowTheLanguageCommands()
    {
        TestEditor e;
        auto *panel = e.window().findChild<ControllerPanel *>();
        QVERIFY(e.commands().trigger(Cmd::LanguageChinese));
        QCOMPARE(panel->openButton()->text(), QStringLiteral("打开"));
        QVERIFY(e.commands().trigger(Cmd::LanguageEnglish));
        QCOMPARE(panel->openButton()->text(), QStringLiteral("open"));
    }

    // Taken only when BRIGHTLOOM_SCREENSHOTS names a folder (run it on a
    // real display, such as Xvfb).
    void screenshotsOfThePanelAndTheDialog()
    {
        const QString folder = qEnvironmentVariable("BRIGHTLOOM_SCREENSHOTS");
        if (folder.isEmpty())
            QSKIP("BRIGHTLOOM_SCREENSHOTS is not set");
        TestEditor e;
        QVERIFY(e.commands().trigger(Cmd::LanguageChinese));
        e.app->show();
        QVERIFY(e.app->openOnStart(QStringLiteral(BRIGHTLOOM_RESOURCES "/demo/demo.wst")));
        // Two ports over the 24 x 40 demo: the upper and the lower half.
        Document &doc = e.doc();
        doc.wiring().setKind(CircuitryKind::Led);
        defineRectangle(doc.wiring(), 0, QPoint(0, 0), QPoint(39, 11), WiringModifier::Ctrl);
        defineRectangle(doc.wiring(), 1, QPoint(0, 12), QPoint(39, 23), WiringModifier::Ctrl);
        doc.wiringEdited();

        auto *panel = e.window().findChild<ControllerPanel *>();
        e.window().toolTabs()->setCurrentWidget(panel);
        panel->modelBox()->setCurrentIndex(1); // 480 pixels a port are past the KV-M2 timing limit
        panel->formatBox()->setCurrentIndex(4);
        panel->cycleEdit()->setText(QStringLiteral("2"));
        emit panel->cycleEdit()->textEdited(QStringLiteral("2"));
        panel->nullButton()->click();
        QTest::qWait(500);
        QApplication::primaryScreen()->grabWindow(0).save(folder + QStringLiteral("/controller_panel_in_editor.png"));
        panel->grab().save(folder + QStringLiteral("/controller_panel.png"));

        e.prompt.files = {e.dir.filePath(QStringLiteral("demo.led"))};
        bool shown = false;
        QTimer::singleShot(300, [&] {
            auto *dialog = qobject_cast<OutputDialog *>(QApplication::activeModalWidget());
            QVERIFY(dialog);
            shown = true;
            QApplication::primaryScreen()->grabWindow(0).save(folder + QStringLiteral("/output_dialog_in_editor.png"));
            dialog->grab().save(folder + QStringLiteral("/output_dialog.png"));
            dialog->confirmButton()->click();
        });
        QVERIFY(e.commands().trigger(Cmd::MakeLedData));
        QVERIFY(shown);
        QCOMPARE(e.prompt.lastText(), QStringLiteral("数据生成成功!"));
        QVERIFY(QFile::exists(e.dir.filePath(QStringLiteral("demo_02.led"))));
    }
};

QTEST_MAIN(OutputEditorTest)
#include "output_editor_test.moc"
