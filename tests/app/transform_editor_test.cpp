// The transforms inside the whole editor: the "图像" menu offers them once a
// project is open, a running animation stops before the grid changes, and
// the canvas and the frames follow.

#include "canvas/canvas_view.h"
#include "common/command_ids.h"
#include "document/document.h"
#include "shell/playback_controller.h"
#include "shell_test_support.h"

#include <QTest>

class TransformEditorTest : public QObject
{
    Q_OBJECT
private slots:
    void pictureMenuOffersTheTransformsOnceFramesExist()
    {
        TestEditor e;
        for (int id : {Cmd::Rotate90, Cmd::AddRow, Cmd::ColourReplace, Cmd::FrameRepeat, Cmd::Brightness})
            QVERIFY2(!e.commands().isEnabled(id), qPrintable(QString::number(id)));
        e.makeFrames(4, 6, 3);
        for (int id : {Cmd::Rotate90, Cmd::OddRows, Cmd::EvenRows, Cmd::AddRow, Cmd::DeleteRow, Cmd::AddCol,
                       Cmd::DeleteCol, Cmd::ColourReplace, Cmd::FrameRepeat, Cmd::Brightness, Cmd::ColourReverse})
            QVERIFY2(e.commands().isEnabled(id), qPrintable(QString::number(id)));
    }

    void deletingARowWhilePlayingStopsAndKeepsAFrameCurrent()
    {
        TestEditor e;
        e.makeFrames(4, 6, 3);
        e.doc().goToFrame(2);
        QVERIFY(e.commands().trigger(Cmd::Play));
        QVERIFY(e.window().playback().isPlaying());
        e.window().playback().tick();
        QVERIFY(e.commands().trigger(Cmd::DeleteRow));
        QVERIFY(!e.window().playback().isPlaying());
        QCOMPARE(e.doc().rows(), 3);
        QVERIFY(e.doc().currentIndex() >= 0);
        QCOMPARE(e.doc().currentFrame()->size(), size_t(18));
        for (int i = 0; i < e.doc().frameCount(); ++i)
            QCOMPARE(e.doc().frames()[i].size(), size_t(18));
        // Play works again right away on the new grid.
        QVERIFY(e.commands().trigger(Cmd::Play));
        e.window().playback().tick();
        QVERIFY(e.commands().trigger(Cmd::Stop));
    }

    void rotateTurnsTheGridTheCanvasShows()
    {
        TestEditor e;
        e.makeFrames(4, 6, 2);
        QVERIFY(e.commands().trigger(Cmd::Rotate90));
        QCOMPARE(e.doc().rows(), 6);
        QCOMPARE(e.doc().cols(), 4);
        QVERIFY(e.doc().isModified());
        e.window().canvas()->grab(); // draws the turned grid without reading past a frame
    }
};

#include "app_test.h"
APP_TEST(TransformEditorTest)
#include "transform_editor_test.moc"
