// Undo and redo in the whole editor: the keys after a paste, the Edit
// menu's texts in the three languages, the tool bar buttons, the history
// dock, playback stopping first, the modified mark going back with the
// saved state, and the wiring's own steps while the " Line " page is open.

#include "common/command_ids.h"
#include "common/app_context.h"
#include "document/document.h"
#include "document/edit_history.h"
#include "editing/paste_dialog.h"
#include "shell/command_actions.h"
#include "canvas/canvas_view.h"
#include "shell/playback_controller.h"
#include "shell_test_support.h"
#include "wiring/wiring_tool_page.h"

#include <QDockWidget>
#include <QTest>
#include <QTimer>
#include <QToolBar>
#include <QUndoView>

namespace {

std::vector<Frame> framesOf(const Document &doc)
{
    std::vector<Frame> out;
    for (int i = 0; i < doc.frameCount(); ++i)
        out.push_back(doc.frames().at(i));
    return out;
}

// Two clipboard pictures of the whole 4 x 6 grid, then Edit > Paste of
// them twice after frame 1, through the dialog.
void pasteTwice(TestEditor &e)
{
    FrameClipboard &clip = e.app->context().editing.clipboard;
    clip.resize(4, 6, 2);
    clip.frames[0] = Frame(24, 0x0000AA);
    clip.frames[1] = Frame(24, 0x00BB00);
    QTimer::singleShot(0, [] {
        auto *dialog = qobject_cast<PasteDialog *>(QApplication::activeModalWidget());
        QVERIFY(dialog);
        dialog->countField()->setText(QStringLiteral("2"));
        QTest::mouseClick(dialog->findChild<QPushButton *>(QStringLiteral("confirm")), Qt::LeftButton);
    });
    QVERIFY(e.commands().trigger(Cmd::EditPaste));
}

QString actionText(TestEditor &e, int id) { return e.window().actions().action(id)->text(); }

// A left-button drag over the canvas from one cell to another: on the
// " Line " page, a wiring definition of that rectangle for the port box's
// port.
void dragOverCanvas(TestEditor &e, QPoint from, QPoint to)
{
    CanvasView &v = *e.window().canvas();
    const auto send = [&v](QEvent::Type type, QPoint cell, Qt::MouseButton button, Qt::MouseButtons buttons) {
        const QPointF p(v.canvasGeometry().cellCentre(cell.x(), cell.y()));
        QMouseEvent ev(type, p, v.mapToGlobal(p), button, buttons, Qt::NoModifier);
        QCoreApplication::sendEvent(&v, &ev);
    };
    send(QEvent::MouseButtonPress, from, Qt::LeftButton, Qt::LeftButton);
    send(QEvent::MouseMove, to, Qt::NoButton, Qt::LeftButton);
    send(QEvent::MouseButtonRelease, to, Qt::LeftButton, Qt::NoButton);
}

} // namespace

class UndoEditorTest : public QObject
{
    Q_OBJECT
private slots:
    void ctrlZAfterAPasteRestoresTheFramesAndCtrlYRedoesIt()
    {
        TestEditor e;
        e.makeFrames(4, 6, 3);
        e.app->show();
        QVERIFY(QTest::qWaitForWindowActive(&e.window()));
        const std::vector<Frame> before = framesOf(e.doc());
        QVERIFY(!e.window().actions().action(Cmd::EditUndo)->isEnabled());
        pasteTwice(e);
        QCOMPARE(e.doc().frameCount(), 7);
        const std::vector<Frame> pasted = framesOf(e.doc());
        QVERIFY(e.window().actions().action(Cmd::EditUndo)->isEnabled());
        // The offscreen platform gives the window back no focus after the
        // dialog; a desktop does.
        e.window().activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&e.window()));

        QTest::keyClick(&e.window(), Qt::Key_Z, Qt::ControlModifier);
        QVERIFY(framesOf(e.doc()) == before);
        QCOMPARE(e.doc().currentIndex(), 0);
        QTest::keyClick(&e.window(), Qt::Key_Y, Qt::ControlModifier);
        QVERIFY(framesOf(e.doc()) == pasted);
        QTest::keyClick(&e.window(), Qt::Key_Backspace, Qt::AltModifier);
        QVERIFY(framesOf(e.doc()) == before);
        QTest::keyClick(&e.window(), Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier);
        QVERIFY(framesOf(e.doc()) == pasted);
        QVERIFY(!e.window().actions().action(Cmd::EditRedo)->isEnabled());
    }

    void menuTextsSayWhatWillBeUndoneInEachLanguage()
    {
        TestEditor e;
        e.makeFrames(4, 6, 3);
        QCOMPARE(actionText(e, Cmd::EditUndo), QStringLiteral("&Undo\tCtrl+Z"));
        pasteTwice(e);
        QCOMPARE(actionText(e, Cmd::EditUndo), QStringLiteral("&Undo Paste\tCtrl+Z"));
        QCOMPARE(actionText(e, Cmd::EditRedo), QStringLiteral("&Redo\tCtrl+Y"));
        QVERIFY(e.commands().trigger(Cmd::EditUndo));
        QCOMPARE(actionText(e, Cmd::EditUndo), QStringLiteral("&Undo\tCtrl+Z"));
        QCOMPARE(actionText(e, Cmd::EditRedo), QStringLiteral("&Redo Paste\tCtrl+Y"));
        QCOMPARE(e.window().actions().action(Cmd::EditRedo)->toolTip(), QStringLiteral("Redo Paste"));

        QVERIFY(e.commands().trigger(Cmd::LanguageChinese));
        QCOMPARE(actionText(e, Cmd::EditRedo), QStringLiteral("重做粘贴(&R)\tCtrl+Y"));
        QVERIFY(e.commands().trigger(Cmd::EditRedo));
        QCOMPARE(actionText(e, Cmd::EditUndo), QStringLiteral("撤销粘贴(&U)\tCtrl+Z"));
        QVERIFY(e.commands().trigger(Cmd::LanguageTraditional));
        QCOMPARE(actionText(e, Cmd::EditUndo), QStringLiteral("撤銷粘貼(&U)\tCtrl+Z"));
        QCOMPARE(actionText(e, Cmd::EditRedo), QStringLiteral("重做(&R)\tCtrl+Y"));
        // The history's entries follow the language too, in the dock as well.
        auto *view = e.window().historyDock()->findChild<QUndoView *>();
        QCOMPARE(view->model()->index(1, 0).data().toString(), QStringLiteral("粘貼"));
        QCOMPARE(view->model()->index(0, 0).data().toString(), QStringLiteral("<打開或新建時>"));
        QCOMPARE(e.window().historyDock()->windowTitle(), QStringLiteral("歷史記錄"));
        QVERIFY(e.commands().trigger(Cmd::LanguageEnglish));
        QCOMPARE(view->model()->index(1, 0).data().toString(), QStringLiteral("Paste"));
        QCOMPARE(e.window().historyDock()->windowTitle(), QStringLiteral("History"));
    }

    void theToolBarCarriesUndoAndRedo()
    {
        TestEditor e;
        e.makeFrames(4, 6, 1);
        QList<int> ids;
        for (QAction *a : e.window().toolBar()->actions())
            ids << (a->isSeparator() ? 0 : a->data().toInt());
        QVERIFY(ids.indexOf(Cmd::EditUndo) > ids.indexOf(Cmd::FileSave));
        QCOMPARE(ids.indexOf(Cmd::EditRedo), ids.indexOf(Cmd::EditUndo) + 1);
        QAction *undo = e.window().actions().action(Cmd::EditUndo);
        QVERIFY(undo->isVisible());
        QVERIFY(!undo->icon().isNull());
        QVERIFY(!undo->isEnabled());
        pasteTwice(e);
        QVERIFY(undo->isEnabled());
        QCOMPARE(undo->toolTip(), QStringLiteral("Undo Paste"));
    }

    void playbackStopsBeforeAnUndoThatTakesFramesAway()
    {
        TestEditor e;
        e.makeFrames(4, 6, 3);
        pasteTwice(e);
        QVERIFY(e.commands().trigger(Cmd::Play));
        e.window().playback().tick();
        QVERIFY(e.window().playback().isPlaying());
        QVERIFY(e.commands().trigger(Cmd::EditUndo));
        QVERIFY(!e.window().playback().isPlaying());
        QCOMPARE(e.doc().frameCount(), 3);
        QVERIFY(e.commands().trigger(Cmd::Play));
        QVERIFY(e.commands().trigger(Cmd::EditRedo));
        QVERIFY(!e.window().playback().isPlaying());
        QCOMPARE(e.doc().frameCount(), 7);
    }

    void theHistoryDockListsTheEntriesAndGoesBackToOne()
    {
        TestEditor e;
        e.makeFrames(4, 6, 3);
        const std::vector<Frame> before = framesOf(e.doc());
        pasteTwice(e);
        const std::vector<Frame> once = framesOf(e.doc());
        pasteTwice(e);
        QVERIFY(e.window().historyDock()->isHidden());
        QVERIFY(e.commands().trigger(Cmd::EditHistory));
        QVERIFY(!e.window().historyDock()->isHidden());
        QVERIFY(e.commands().isChecked(Cmd::EditHistory));
        auto *view = e.window().historyDock()->findChild<QUndoView *>();
        QVERIFY(view);
        QCOMPARE(view->model()->rowCount(), 3); // the start and two pastes
        QCOMPARE(view->model()->index(2, 0).data().toString(), QStringLiteral("Paste"));
        view->setCurrentIndex(view->model()->index(1, 0));
        QVERIFY(framesOf(e.doc()) == once);
        view->setCurrentIndex(view->model()->index(0, 0));
        QVERIFY(framesOf(e.doc()) == before);
        QCOMPARE(actionText(e, Cmd::EditUndo), QStringLiteral("&Undo\tCtrl+Z"));
    }

    void undoingBackToTheSavedStateClearsTheModifiedMark()
    {
        TestEditor e;
        e.makeFrames(4, 6, 3);
        e.prompt.files.push_back(e.dir.filePath(QStringLiteral("saved.wst")));
        QVERIFY(e.commands().trigger(Cmd::FileSave));
        QVERIFY(!e.doc().isModified());
        pasteTwice(e);
        QVERIFY(e.doc().isModified());
        QVERIFY(e.commands().trigger(Cmd::EditUndo));
        QVERIFY(!e.doc().isModified());
        // Nothing to save: closing asks nothing.
        QVERIFY(e.window().documents().maybeSave());
        QVERIFY(e.prompt.shown.empty());
        QVERIFY(e.commands().trigger(Cmd::EditRedo));
        QVERIFY(e.doc().isModified());
    }

    void newAndOpenStartAFreshHistory()
    {
        TestEditor e;
        e.makeFrames(4, 6, 3);
        e.prompt.files.push_back(e.dir.filePath(QStringLiteral("kept.wst")));
        QVERIFY(e.commands().trigger(Cmd::FileSave));
        pasteTwice(e);
        QVERIFY(e.window().documents().openFile(e.dir.filePath(QStringLiteral("kept.wst")), false));
        QVERIFY(!e.window().actions().action(Cmd::EditUndo)->isEnabled());
        QCOMPARE(e.doc().history().count(), 0);
        pasteTwice(e);
        e.prompt.answers.push_back(PromptAnswer::No); // do not save the paste
        QVERIFY(e.newGrid(QStringLiteral("4"), QStringLiteral("6")));
        QCOMPARE(e.doc().history().count(), 0);
        QVERIFY(!e.window().actions().action(Cmd::EditUndo)->isEnabled());
    }

    void onTheLinePageTheKeysAndItemsTakeBackWiringSteps()
    {
        TestEditor e;
        e.makeFrames(4, 6, 3);
        e.app->show();
        QVERIFY(QTest::qWaitForWindowActive(&e.window()));
        pasteTwice(e);
        e.window().activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&e.window()));
        const std::vector<Frame> pasted = framesOf(e.doc());
        QAction *undo = e.window().actions().action(Cmd::EditUndo);
        QAction *redo = e.window().actions().action(Cmd::EditRedo);

        // The page's wiring has no steps yet: the frames' paste is not
        // offered there.
        WiringToolPage *page = e.window().wiringPage();
        e.window().toolTabs()->setCurrentWidget(page);
        QCOMPARE(actionText(e, Cmd::EditUndo), QStringLiteral("&Undo\tCtrl+Z"));
        QVERIFY(!undo->isEnabled());
        QCOMPARE(actionText(e, Cmd::EditRedo), QStringLiteral("&Redo\tCtrl+Y"));
        QVERIFY(!redo->isEnabled());

        // Port 1 takes the top row, port 2 the second.
        dragOverCanvas(e, {0, 0}, {5, 0});
        page->portBox()->setValue(2);
        dragOverCanvas(e, {0, 1}, {5, 1});
        QCOMPARE(e.doc().wiring().count(), 12);
        QVERIFY(undo->isEnabled());
        QCOMPARE(undo->toolTip(), QStringLiteral("Undo"));
        QVERIFY(!redo->isEnabled());

        // Each key takes back the last wiring step; the frames stay.
        e.window().canvas()->setFocus();
        QTest::keyClick(&e.window(), Qt::Key_Z, Qt::ControlModifier);
        QCOMPARE(e.doc().wiring().count(), 6);
        QCOMPARE(e.doc().wiring().indexAt(0, 1), -1);
        QVERIFY(e.doc().wiring().indexAt(0, 0) >= 0);
        QVERIFY(framesOf(e.doc()) == pasted);
        // The wiring has no redo: Ctrl+Y and Ctrl+Shift+Z neither bring the
        // step back nor redo a frame edit.
        QTest::keyClick(&e.window(), Qt::Key_Y, Qt::ControlModifier);
        QTest::keyClick(&e.window(), Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier);
        QCOMPARE(e.doc().wiring().count(), 6);
        QVERIFY(framesOf(e.doc()) == pasted);
        // The page's own button takes back the same steps.
        page->findChild<QPushButton *>(QStringLiteral("LineButton6"))->click();
        QCOMPARE(e.doc().wiring().count(), 0);
        QVERIFY(!undo->isEnabled());
        QVERIFY(e.prompt.shown.empty());
        dragOverCanvas(e, {0, 2}, {5, 2});
        QVERIFY(undo->isEnabled());
        QTest::keyClick(&e.window(), Qt::Key_Backspace, Qt::AltModifier);
        QCOMPARE(e.doc().wiring().count(), 0);
        QVERIFY(framesOf(e.doc()) == pasted);

        dragOverCanvas(e, {0, 3}, {5, 3});
        QVERIFY(e.commands().trigger(Cmd::LanguageChinese));
        QCOMPARE(actionText(e, Cmd::EditUndo), QStringLiteral("撤销(&U)\tCtrl+Z"));
        QVERIFY(e.commands().trigger(Cmd::LanguageEnglish));

        // Another page: the frames' history again, named, with the wiring
        // step left for when the page comes back.
        e.window().toolTabs()->setCurrentIndex(0);
        QCOMPARE(actionText(e, Cmd::EditUndo), QStringLiteral("&Undo Paste\tCtrl+Z"));
        QVERIFY(undo->isEnabled());
        QVERIFY(!redo->isEnabled());
        e.window().canvas()->setFocus();
        QTest::keyClick(&e.window(), Qt::Key_Z, Qt::ControlModifier);
        QCOMPARE(e.doc().frameCount(), 3);
        QCOMPARE(e.doc().wiring().count(), 6);
        QCOMPARE(actionText(e, Cmd::EditRedo), QStringLiteral("&Redo Paste\tCtrl+Y"));
        QVERIFY(redo->isEnabled());

        e.window().toolTabs()->setCurrentWidget(page);
        QCOMPARE(actionText(e, Cmd::EditRedo), QStringLiteral("&Redo\tCtrl+Y"));
        QVERIFY(!redo->isEnabled());
        QVERIFY(undo->isEnabled());
        QVERIFY(e.commands().trigger(Cmd::EditUndo));
        QCOMPARE(e.doc().wiring().count(), 0);
        QCOMPARE(e.doc().frameCount(), 3);
    }
};

QTEST_MAIN(UndoEditorTest)
#include "undo_editor_test.moc"
