// The pattern generator inside the whole editor: the AutoPlay menu's
// "自动花样" with its modal dialog, and the pattern keys on the operation
// panel and the canvas.

#include "shell_test_support.h"

#include "canvas/canvas_view.h"
#include "common/command_ids.h"
#include "patterns/auto_pattern_dialog.h"
#include "patterns/pattern_key_panel.h"
#include "patterns/pattern_page.h"
#include "shell/play_panel.h"
#include "wiring/wiring_operations.h"

#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QScreen>
#include <QSpinBox>
#include <QStatusBar>
#include <QTabWidget>
#include <QTest>
#include <QTimer>
#include <QToolButton>

class PatternEditorTest : public QObject
{
    Q_OBJECT
private slots:
    void autoDesignRunsAWaterDripAfterTheCurrentFrame()
    {
        TestEditor e;
        QVERIFY(!e.commands().isEnabled(Cmd::AutoDesign)); // the start-up document has no frame
        e.makeFrames(24, 40, 3);
        e.doc().goToFrame(1);
        QVERIFY(e.commands().isEnabled(Cmd::AutoDesign));

        bool seen = false;
        QTimer::singleShot(0, [&] {
            auto *dialog = qobject_cast<AutoPatternDialog *>(QApplication::activeModalWidget());
            QVERIFY(dialog);
            seen = true;
            dialog->tabs()->setCurrentIndex(3);
            qobject_cast<PatternPage *>(dialog->page())->confirmButton()->click();
            dialog->exitButton()->click();
        });
        QVERIFY(e.commands().trigger(Cmd::AutoDesign));
        QVERIFY(seen);
        QCOMPARE(e.doc().frameCount(), 3 + 780);
        QCOMPARE(e.doc().currentIndex(), 1 + 780);
        QCOMPARE(e.doc().frames().at(782)[0], ColorValue(3)); // the old third frame follows the run
    }

    void theOperationPanelCarriesThePatternKeys()
    {
        TestEditor e;
        e.makeFrames(4, 6, 1);
        auto *panel = e.window().findChild<PatternKeyPanel *>();
        QVERIFY(panel);
        QCOMPARE(panel->actionBox()->count(), 8);
        e.doc().frames().at(0).set(0, 0, 6, 0x0000FF);
        panel->actionBox()->setCurrentIndex(0);
        QTest::keyClick(e.window().canvas(), Qt::Key_S); // move down
        QCOMPARE(e.doc().frameCount(), 2);
        QCOMPARE(e.doc().frames().at(1).at(0, 1, 6), ColorValue(0x0000FF));
        panel->keyButton(PatternKey::W)->click(); // and back up
        QCOMPARE(e.doc().frameCount(), 3);
        QCOMPARE(e.doc().frames().at(2).at(0, 0, 6), ColorValue(0x0000FF));
    }

    void theDialogStaysModalAndOpensWhereItWasLeft()
    {
        TestEditor e;
        e.makeFrames(4, 6, 1);
        QList<QPoint> openedAt;
        const QPoint movedTo(137, 91);
        auto openAndClose = [&](bool move) {
            QTimer::singleShot(0, [&, move] {
                auto *dialog = qobject_cast<AutoPatternDialog *>(QApplication::activeModalWidget());
                QVERIFY(dialog);
                QVERIFY(dialog->isModal());
                openedAt << dialog->pos();
                if (move)
                    dialog->move(movedTo);
                dialog->exitButton()->click();
            });
            QVERIFY(e.commands().trigger(Cmd::AutoDesign));
        };
        openAndClose(true);
        openAndClose(false);
        openAndClose(false);
        QCOMPARE(openedAt.size(), 3);
        QCOMPARE(openedAt[1], movedTo);
        QCOMPARE(openedAt[2], movedTo);
    }

    void theFrameFieldShowsTheNewNumberWholeAfterARun_data()
    {
        QTest::addColumn<bool>("selectedBefore");
        QTest::newRow("selected") << true;
        QTest::newRow("not selected") << false;
    }

    void theFrameFieldShowsTheNewNumberWholeAfterARun()
    {
        QFETCH(bool, selectedBefore);
        TestEditor e;
        e.makeFrames(24, 40, 1);
        QSpinBox *field = e.window().playPanel()->findChild<QSpinBox *>(QStringLiteral("frameIndex"));
        QVERIFY(field);
        auto *edit = field->findChild<QLineEdit *>();
        QCOMPARE(edit->text(), QStringLiteral("1"));
        if (selectedBefore)
            field->selectAll();
        else
            edit->deselect();
        QTimer::singleShot(0, [&] {
            auto *dialog = qobject_cast<AutoPatternDialog *>(QApplication::activeModalWidget());
            QVERIFY(dialog);
            dialog->tabs()->setCurrentIndex(3); // water drip: 780 frames
            qobject_cast<PatternPage *>(dialog->page())->confirmButton()->click();
            dialog->exitButton()->click();
        });
        QVERIFY(e.commands().trigger(Cmd::AutoDesign));
        QCOMPARE(e.doc().frameCount(), 781);
        QCOMPARE(edit->text(), QStringLiteral("781"));
        QCOMPARE(edit->selectedText(), selectedBefore ? QStringLiteral("781") : QString());
        QCOMPARE(e.window().statusBar()->currentMessage(), QStringLiteral("Added 780 frames"));
    }
};

#include "app_test.h"
APP_TEST(PatternEditorTest)
#include "pattern_editor_test.moc"
