// The data generation commands end to end: the wiring checks, the question
// about unwired points, the output dialog and the files it writes.

#include "common/command_ids.h"
#include "editor_context.h"
#include "language_test_support.h"
#include "output/output_commands.h"
#include "output/output_dialog.h"
#include "settings/language.h"
#include "wired_grid.h"

#include <QApplication>
#include <QFile>
#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

namespace {

// Runs `act` on the output dialog once it is shown modally.
void whenDialogOpens(std::function<void(OutputDialog &)> act)
{
    QTimer::singleShot(0, [act] {
        auto *dialog = qobject_cast<OutputDialog *>(QApplication::activeModalWidget());
        QVERIFY(dialog);
        act(*dialog);
        if (dialog->isVisible())
            dialog->reject();
    });
}

} // namespace

class OutputCommandsTest : public QObject
{
    Q_OBJECT
private slots:
    void init() { useBuiltInChineseTexts(m_dir); }
    void cleanup() { restoreDefaultTexts(); }

    void withoutWiringTheCommandAsksForItFirst()
    {
        EditorContext e(2, 3, 2);
        registerOutputCommands(e.ctx);
        QVERIFY(e.commands.trigger(Cmd::MakeLedData));
        QCOMPARE(e.prompt.texts(), QStringList{QStringLiteral("请先进行线路定义。")});
        wireDocument(e.doc, {.pointsPerPort = 6});
        e.prompt.shown.clear();
        QVERIFY(e.commands.trigger(Cmd::MakeNeonData)); // LED wiring, neon command
        QCOMPARE(e.prompt.texts(), QStringList{QStringLiteral("请先进行线路定义。")});
    }

    void unwiredPointsAskAndNoEndsTheCommand()
    {
        EditorContext e(2, 3, 2);
        registerOutputCommands(e.ctx);
        wireDocument(e.doc, {.pointsPerPort = 4});
        e.prompt.answers = {PromptAnswer::No};
        QVERIFY(e.commands.trigger(Cmd::MakeLedData));
        QCOMPARE(e.prompt.texts(), QStringList{QStringLiteral("还有2点没有进行线路定义，是否生成数据文件?")});
        QVERIFY(!QApplication::activeModalWidget());
    }

    void theDialogWritesThePortFiles()
    {
        EditorContext e(2, 3, 4);
        registerOutputCommands(e.ctx);
        wireDocument(e.doc, {.pointsPerPort = 6});
        e.prompt.files = {m_dir.filePath(QStringLiteral("show.led"))};
        bool sawDialog = false;
        whenDialogOpens([&](OutputDialog &d) {
            sawDialog = true;
            QCOMPARE(d.toEdit()->text(), QStringLiteral("4"));
            d.confirmButton()->click();
        });
        QVERIFY(e.commands.trigger(Cmd::MakeLedData));
        QVERIFY(sawDialog);
        QCOMPARE(e.prompt.texts(), QStringList{QStringLiteral("数据生成成功!")});
        QFile f(m_dir.filePath(QStringLiteral("show_01.led")));
        QVERIFY(f.open(QIODevice::ReadOnly));
        QCOMPARE(f.size(), qint64(512 + 4 * 512));
    }

    void theNeonCommandWritesFromNeonWiring()
    {
        EditorContext e(2, 3, 1);
        registerOutputCommands(e.ctx);
        wireDocument(e.doc, {.pointsPerPort = 6, .kind = CircuitryKind::Neon});
        e.prompt.files = {m_dir.filePath(QStringLiteral("tube.bin"))};
        whenDialogOpens([](OutputDialog &d) { d.confirmButton()->click(); });
        QVERIFY(e.commands.trigger(Cmd::MakeNeonData));
        QCOMPARE(e.prompt.fileDialogFilters, QStringList{QStringLiteral("Bin file(*.bin)")});
        QVERIFY(QFile::exists(m_dir.filePath(QStringLiteral("tube_01.led"))));
    }

private:
    QTemporaryDir m_dir;
};

#include "app_test.h"
APP_TEST(OutputCommandsTest)
#include "output_commands_test.moc"
