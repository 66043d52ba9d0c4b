// The controller panel and the data commands inside the whole editor: the
// " Data " page, its list following File > New, its texts following the
// language commands; the FSEQ export from the "硬件配置" menu.

#include "shell_test_support.h"

#include "common/command_ids.h"
#include "links/controller_panel.h"
#include "links/rgb_order_view.h"
#include "output/fseq_export_dialog.h"
#include "output/output_dialog.h"
#include "wiring/wiring_operations.h"

#include <QApplication>
#include <QComboBox>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QSpinBox>
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

    void fseqExportFromTheBuildMenu()
    {
        TestEditor e;
        QVERIFY(e.commands().trigger(Cmd::LanguageEnglish));
        e.makeFrames(2, 3, 5);
        const int build = int(e.menuTitles().indexOf(QStringLiteral("&Build")));
        QVERIFY(build >= 0);
        QVERIFY(e.itemTexts(build).endsWith(QStringLiteral("Export FSEQ sequence...")));
        QVERIFY(e.commands().isEnabled(Cmd::ExportFseq));

        // The step time follows the play panel; the progress runs on the
        // status bar and is back at rest afterwards.
        QProgressBar *bar = e.app->context().progress;
        QVERIFY(bar);
        QList<int> seen;
        QObject::connect(bar, &QProgressBar::valueChanged, [&](int v) { seen << v; });
        bool shown = false;
        QTimer::singleShot(0, [&] {
            auto *dialog = qobject_cast<FseqExportDialog *>(QApplication::activeModalWidget());
            QVERIFY(dialog);
            shown = true;
            QCOMPARE(dialog->stepBox()->value(), 1000 / e.app->context().playSpeed());
            dialog->fileEdit()->setText(e.dir.filePath(QStringLiteral("show")));
            dialog->exportButton()->click();
        });
        QVERIFY(e.commands().trigger(Cmd::ExportFseq));
        QVERIFY(shown);
        QCOMPARE(e.prompt.lastText(),
                 QStringLiteral("Exported %1: 5 frames of 18 channels.").arg(e.dir.filePath(QStringLiteral("show.fseq"))));
        QVERIFY(seen.contains(50));
        QCOMPARE(bar->value(), bar->minimum());
        QFile file(e.dir.filePath(QStringLiteral("show.fseq")));
        QVERIFY(file.open(QIODevice::ReadOnly));
        QCOMPARE(file.read(4), QByteArrayLiteral("PSEQ"));
    }
};

#include "app_test.h"
APP_TEST(OutputEditorTest)
#include "output_editor_test.moc"
