// The transform commands as the menus run them: enabled only with frames,
// playback stopped before frames are replaced, the document changed.

#include "app_test_grid.h"
#include "common/app_context.h"
#include "common/app_events.h"
#include "common/command_ids.h"
#include "common/command_registry.h"
#include "document/document.h"
#include "scripted_prompt.h"
#include "transforms/transform_commands.h"

#include <QSignalSpy>
#include <QTest>

namespace {

struct Harness
{
    AppSettings settings;
    Document doc;
    ScriptedPrompt prompt;
    CommandRegistry commands;
    EditingState editing;
    PaletteState palette;
    ControllerParams controller = ControllerParams::initial(GridGeometry().baseColorNum);
    AppEvents events;
    AppContext ctx{settings, doc, prompt, commands, editing, palette, controller, events};

    bool playing = false;
    QStringList log; // what ran, in order

    explicit Harness(const GridGeometry &g) : doc(g)
    {
        // Stands in for the shell's Stop: offered only while playing.
        commands.add(
            Cmd::Stop,
            [this] {
                playing = false;
                log << QStringLiteral("stop (rows %1)").arg(doc.rows());
            },
            [this] { return playing; });
        registerTransformCommands(ctx);
    }
};

} // namespace

class TransformCommandsTest : public QObject
{
    Q_OBJECT
private slots:
    void commandsNeedFrames()
    {
        Harness h(grid(3, 4));
        for (int id : {Cmd::Rotate90, Cmd::OddRows, Cmd::EvenRows, Cmd::AddRow, Cmd::DeleteRow, Cmd::AddCol,
                       Cmd::DeleteCol, Cmd::ColourReplace, Cmd::FrameRepeat, Cmd::Brightness}) {
            QVERIFY2(h.commands.has(id), qPrintable(QString::number(id)));
            QVERIFY2(!h.commands.isEnabled(id), qPrintable(QString::number(id)));
        }
        QVERIFY(!h.commands.trigger(Cmd::Rotate90));
        h.doc.insertFrameAfterCurrent(Frame(12));
        QVERIFY(h.commands.isEnabled(Cmd::Rotate90));
        QVERIFY(h.commands.isEnabled(Cmd::Brightness));
    }

    void geometryCommandsStopPlaybackFirst_data()
    {
        QTest::addColumn<int>("id");
        QTest::addColumn<int>("rows");
        QTest::addColumn<int>("cols");
        QTest::newRow("rotate") << int(Cmd::Rotate90) << 4 << 3;
        QTest::newRow("add row") << int(Cmd::AddRow) << 4 << 4;
        QTest::newRow("delete row") << int(Cmd::DeleteRow) << 2 << 4;
        QTest::newRow("add column") << int(Cmd::AddCol) << 3 << 5;
        QTest::newRow("delete column") << int(Cmd::DeleteCol) << 3 << 3;
        QTest::newRow("odd rows") << int(Cmd::OddRows) << 3 << 4;
    }

    void geometryCommandsStopPlaybackFirst()
    {
        QFETCH(int, id);
        QFETCH(int, rows);
        QFETCH(int, cols);
        Harness h(grid(3, 4));
        for (int f = 0; f < 3; ++f)
            h.doc.insertFrameAfterCurrent(Frame(12, ColorValue(f + 1)));
        h.doc.goToFrame(1);
        h.playing = true;
        QVERIFY(h.commands.trigger(id));
        QCOMPARE(h.log, QStringList{QStringLiteral("stop (rows 3)")}); // stopped before the change
        QCOMPARE(h.doc.rows(), rows);
        QCOMPARE(h.doc.cols(), cols);
        QCOMPARE(h.doc.currentIndex(), 1);
        QCOMPARE(h.doc.currentFrame()->size(), size_t(rows * cols));

        // Not playing: nothing to stop, the command still runs.
        QVERIFY(h.commands.trigger(id));
        QCOMPARE(h.log.size(), 1);
    }

    void deleteRowAtOneRowChangesNothing()
    {
        Harness h(grid(1, 4));
        h.doc.insertFrameAfterCurrent(Frame(4, 7));
        h.doc.setModified(false);
        QSignalSpy geometry(&h.doc, &Document::geometryChanged);
        QVERIFY(h.commands.trigger(Cmd::DeleteRow));
        QCOMPARE(h.doc.rows(), 1);
        QCOMPARE(geometry.count(), 0);
        QVERIFY(!h.doc.isModified());
    }
};

#include "app_test.h"
APP_TEST(TransformCommandsTest)
#include "transform_commands_test.moc"
