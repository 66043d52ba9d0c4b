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

};

QTEST_MAIN(OutputEditorTest)
#include "output_editor_test.moc"
