// The "自动花样" dialog, its pages and the operation panel's pattern keys.

#include "app_test_grid.h"
#include "canvas/canvas_view.h"
#include "common/run_progress_dialog.h"
#include "common/app_context.h"
#include "common/app_events.h"
#include "common/command_ids.h"
#include "common/command_registry.h"
#include "document/document.h"
#include "language_test_support.h"
#include "patterns/auto_pattern_dialog.h"
#include "patterns/pattern_commands.h"
#include "patterns/pattern_key_panel.h"
#include "patterns/pattern_preview.h"
#include "patterns/solid_pattern_pages.h"
#include "scripted_prompt.h"
#include "settings/language.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QMainWindow>
#include <QProgressBar>
#include <QProgressDialog>
#include <QSignalSpy>
#include <QStatusBar>
#include <QPushButton>
#include <QTabWidget>
#include <QTest>
#include <QTimer>
#include <QToolButton>
#include <QVBoxLayout>

namespace {

// Everything a dialog needs, around a document of `frames` black frames.
struct Editor
{
    explicit Editor(int rows = 24, int cols = 40, int frames = 1) : doc(grid(rows, cols))
    {
        if (frames > 0) {
            doc.startNew(grid(rows, cols));
            for (int i = 1; i < frames; ++i)
                doc.frames().append(doc.backgroundFrame());
        }
    }

    AppSettings settings;
    Document doc;
    ScriptedPrompt prompt;
    CommandRegistry commands;
    EditingState editing;
    PaletteState palette;
    ControllerParams controller = ControllerParams::initial(GridGeometry().baseColorNum);
    AppEvents events;
    AppContext ctx{settings, doc, prompt, commands, editing, palette, controller, events};
};

template <typename T> T *child(QWidget *w, const char *name)
{
    return w->findChild<T *>(QString::fromLatin1(name));
}

} // namespace

class PatternDialogTest : public QObject
{
    Q_OBJECT
private slots:
    void init() { useShippedChineseTexts(); }

    void opensOnTheCurtainPageWithItsTexts()
    {
        Editor e;
        AutoPatternDialog dialog(e.ctx);
        QCOMPARE(dialog.windowTitle(), QStringLiteral("自动花样"));
        QCOMPARE(dialog.tabs()->count(), 8);
        QCOMPARE(dialog.tabs()->tabText(2), QStringLiteral("堆积木"));
        QCOMPARE(dialog.tabs()->tabText(7), QStringLiteral("调色盘填充"));
        QCOMPARE(dialog.exitButton()->text(), QStringLiteral("退出"));
        auto *page = qobject_cast<CurtainPage *>(dialog.page());
        QVERIFY(page);
        QCOMPARE(page->confirmButton()->text(), QStringLiteral("确定"));
        QCOMPARE(child<QComboBox>(page, "foreground")->currentText(), QStringLiteral("红"));
        QCOMPARE(child<QComboBox>(page, "background")->currentText(), QStringLiteral("黑"));
        QCOMPARE(page->stepEdit()->text(), QStringLiteral("1"));
        QCOMPARE(page->directionBox()->currentText(), QStringLiteral("从左到右"));
    }

    void englishTextsAndTheBuiltInExit()
    {
        Language::setCode(Language::English);
        Editor e;
        AutoPatternDialog dialog(e.ctx);
        QCOMPARE(dialog.windowTitle(), QStringLiteral("Auto Pattern"));
        QCOMPARE(dialog.exitButton()->text(), QStringLiteral("Exit"));
        dialog.tabs()->setCurrentIndex(2);
        auto *fg = child<QComboBox>(dialog.page(), "foreground");
        QCOMPARE(fg->count(), 18);
        QCOMPARE(fg->itemText(0), QStringLiteral("Red"));
        QCOMPARE(fg->itemText(8), QStringLiteral("Up")); // no trailing tab
        QCOMPARE(fg->itemText(11), QStringLiteral("right"));
    }

    void switchingTabsRestoresThePageDefaults()
    {
        Editor e;
        AutoPatternDialog dialog(e.ctx);
        auto *curtain = qobject_cast<CurtainPage *>(dialog.page());
        curtain->stepEdit()->setText(QStringLiteral("5"));
        child<QComboBox>(curtain, "foreground")->setCurrentIndex(3);
        curtain->directionBox()->setCurrentIndex(2);

        dialog.tabs()->setCurrentIndex(1);
        QVERIFY(qobject_cast<BlindsPage *>(dialog.page()));
        QCOMPARE(child<QLineEdit>(dialog.page(), "slats")->text(), QStringLiteral("2"));
        child<QLineEdit>(dialog.page(), "slats")->setText(QStringLiteral("9"));
        QCOMPARE(dialog.findChildren<PatternPage *>().size(), 1); // one page at a time

        dialog.tabs()->setCurrentIndex(0);
        curtain = qobject_cast<CurtainPage *>(dialog.page());
        QVERIFY(curtain);
        QCOMPARE(curtain->stepEdit()->text(), QStringLiteral("1"));
        QCOMPARE(child<QComboBox>(curtain, "foreground")->currentIndex(), 0);
        QCOMPARE(curtain->directionBox()->currentIndex(), 0);
        dialog.tabs()->setCurrentIndex(1);
        QCOMPARE(child<QLineEdit>(dialog.page(), "slats")->text(), QStringLiteral("2"));
        QCOMPARE(child<QLineEdit>(dialog.page(), "repeat")->text(), QStringLiteral("1"));
    }

    void aRunInsertsItsFramesAfterTheCurrentOne()
    {
        Editor e(24, 40, 3);
        e.doc.goToFrame(1);
        e.doc.frames().at(2)[0] = 0x123456; // the old third frame, to find it again
        AutoPatternDialog dialog(e.ctx);
        dialog.show();
        auto *curtain = qobject_cast<CurtainPage *>(dialog.page());
        curtain->stepEdit()->setText(QStringLiteral("3"));
        QTest::mouseClick(curtain->confirmButton(), Qt::LeftButton);
        QCOMPARE(e.doc.frameCount(), 3 + 14);
        QCOMPARE(e.doc.currentIndex(), 15);
        QCOMPARE(e.doc.frames().at(16)[0], ColorValue(0x123456));
        QCOMPARE(e.doc.frames().at(2).at(2, 0, 40), ColorValue(0x0000FF));
        QCOMPARE(e.doc.frames().at(2).at(3, 0, 40), ColorValue(0x000000));
        QVERIFY(e.prompt.shown.empty());
        // The dialog stays open for the next run.
        dialog.tabs()->setCurrentIndex(3);
        QTest::mouseClick(qobject_cast<PatternPage *>(dialog.page())->confirmButton(), Qt::LeftButton);
        QCOMPARE(e.doc.frameCount(), 17 + 24 * 25 / 2 + 24 * 20);
    }

    void equalColoursShowTheMessageAndAddNothing()
    {
        Editor e;
        AutoPatternDialog dialog(e.ctx);
        dialog.show();
        dialog.tabs()->setCurrentIndex(1);
        child<QComboBox>(dialog.page(), "foreground")->setCurrentIndex(7);
        QTest::mouseClick(qobject_cast<PatternPage *>(dialog.page())->confirmButton(), Qt::LeftButton);
        QCOMPARE(e.prompt.texts(), QStringList{QStringLiteral("前景色和背景色相同")});
        QCOMPARE(e.doc.frameCount(), 1);
    }

    void theStackingPageKeepsTheAreaItWasCreatedWith()
    {
        Editor e(4, 6);
        e.editing.area.defined = true;
        e.editing.area.x0 = 1;
        e.editing.area.y0 = 0;
        e.editing.area.x1 = 2;
        e.editing.area.y1 = 3;
        AutoPatternDialog dialog(e.ctx);
        dialog.show();
        dialog.tabs()->setCurrentIndex(2);
        auto *page = qobject_cast<StackingPage *>(dialog.page());
        QCOMPARE(page->area(), (GridRect{1, 0, 2, 3}));
        e.editing.area.defined = false; // cancelled after the page appeared
        QTest::mouseClick(page->confirmButton(), Qt::LeftButton);
        QVERIFY(e.doc.frameCount() > 1);
        const Frame &last = e.doc.frames().at(e.doc.frameCount() - 1);
        QCOMPARE(last.at(0, 0, 6), ColorValue(0));        // outside the area
        QCOMPARE(last.at(1, 3, 6), ColorValue(0x0000FF)); // inside, filled
        // A new page takes the area as it is now: the whole grid.
        dialog.tabs()->setCurrentIndex(0);
        dialog.tabs()->setCurrentIndex(2);
        QCOMPARE(qobject_cast<StackingPage *>(dialog.page())->area(), (GridRect{0, 0, 5, 3}));
    }

    void aLongRunMovesTheStatusIndicatorAndLeavesItAtRest()
    {
        Editor e(1, 1000);
        QMainWindow window;
        auto *bar = new QProgressBar;
        bar->setRange(0, 50);
        window.statusBar()->addPermanentWidget(bar);
        e.ctx.window = &window;
        e.ctx.statusBar = window.statusBar();
        e.ctx.progress = bar;
        window.show();
        QSignalSpy moved(bar, &QProgressBar::valueChanged);
        AutoPatternDialog dialog(e.ctx, &window);
        dialog.show();
        QTest::mouseClick(qobject_cast<PatternPage *>(dialog.page())->confirmButton(), Qt::LeftButton);
        QCOMPARE(e.doc.frameCount(), 1001);
        QList<int> values;
        for (const QList<QVariant> &args : moved)
            values << args.at(0).toInt();
        // 256, 512 and 768 of 1000 frames, then the end of the run.
        QCOMPARE(values, (QList<int>{12, 25, 38, 50, 0}));
        QVERIFY(bar->isVisibleTo(&window));
        // The progress line gave way to what the run did.
        QCOMPARE(window.statusBar()->currentMessage(), QStringLiteral("已添加1000帧"));
    }

    // --- after a run: the status line, Enter, the preview -----------------------

    void theStatusBarSaysWhatTheRunDid_data()
    {
        QTest::addColumn<int>("language");
        QTest::addColumn<int>("addMode");
        QTest::addColumn<int>("frames"); // before the run
        QTest::addColumn<QString>("message");
        // Curtain with step 1 on 40 columns: 40 frames.
        QTest::newRow("English insert") << 1 << 0 << 1 << QStringLiteral("Added 40 frames");
        QTest::newRow("Chinese insert") << 0 << 0 << 1 << QStringLiteral("已添加40帧");
        QTest::newRow("traditional insert") << 2 << 0 << 1 << QStringLiteral("已添加40幀");
        // Overwriting 50 frames from the first: 40 changed, none added.
        QTest::newRow("English overwrite") << 1 << 1 << 50 << QStringLiteral("Changed 40 frames");
        // Overwriting a single frame: 1 changed, then 39 written past the
        // end and the fresh frame the last step leaves current.
        QTest::newRow("English overwrite past the end") << 1 << 1 << 1
                                                        << QStringLiteral("Added 40 frames and changed 1");
        QTest::newRow("Chinese overwrite past the end") << 0 << 1 << 1 << QStringLiteral("已添加40帧,修改1帧");
    }

    void theStatusBarSaysWhatTheRunDid()
    {
        QFETCH(int, language);
        QFETCH(int, addMode);
        QFETCH(int, frames);
        QFETCH(QString, message);
        Language::setCode(language);
        Editor e(24, 40, frames);
        e.editing.addMode = AddMode(addMode);
        QMainWindow window;
        e.ctx.statusBar = window.statusBar();
        AutoPatternDialog dialog(e.ctx, &window);
        dialog.show();
        QTest::mouseClick(qobject_cast<PatternPage *>(dialog.page())->confirmButton(), Qt::LeftButton);
        QCOMPARE(window.statusBar()->currentMessage(), message);
        Language::setCode(Language::English);
    }

    void enterInANumberFieldDoesNotRunThePage()
    {
        Editor e(24, 40);
        AutoPatternDialog dialog(e.ctx);
        dialog.show();
        QVERIFY(QTest::qWaitForWindowExposed(&dialog));
        int fieldsTried = 0;
        for (int tab = 0; tab < 4; ++tab) {
            dialog.tabs()->setCurrentIndex(tab);
            auto *page = qobject_cast<PatternPage *>(dialog.page());
            QVERIFY(!page->confirmButton()->isDefault());
            QVERIFY(!page->confirmButton()->autoDefault());
            const QList<QLineEdit *> fields = page->findChildren<QLineEdit *>();
            fieldsTried += int(fields.size());
            for (QLineEdit *field : fields) {
                field->setFocus();
                QTest::keyClick(field, Qt::Key_Return);
                QTest::keyClick(field, Qt::Key_Enter);
            }
            QVERIFY(dialog.isVisible());
            QCOMPARE(e.doc.frameCount(), 1);
        }
        QVERIFY(fieldsTried >= 3); // curtain, blinds and stacking have number fields
        // Only the OK button runs the page.
        dialog.tabs()->setCurrentIndex(0);
        QTest::mouseClick(qobject_cast<PatternPage *>(dialog.page())->confirmButton(), Qt::LeftButton);
        QCOMPARE(e.doc.frameCount(), 41);
        QTest::keyClick(qobject_cast<CurtainPage *>(dialog.page())->stepEdit(), Qt::Key_Return);
        QCOMPARE(e.doc.frameCount(), 41);
    }

    void thePreviewPlaysTheFramesOfTheLastRun()
    {
        Editor e(2, 4, 3);
        e.doc.goToFrame(0);
        AutoPatternDialog dialog(e.ctx);
        dialog.show();
        PatternPreview *preview = dialog.preview();
        QVERIFY(!preview->isVisible());
        dialog.previewBox()->setChecked(true);
        QVERIFY(preview->isVisible());
        QVERIFY(!preview->isPlaying()); // nothing run yet
        // Curtain on 4 columns: 4 frames inserted after frame 0, so 1 to 4.
        auto *curtain = qobject_cast<CurtainPage *>(dialog.page());
        QTest::mouseClick(curtain->confirmButton(), Qt::LeftButton);
        QCOMPARE(e.doc.frameCount(), 7);
        QVERIFY(preview->isPlaying());
        QList<int> shown{preview->shownFrame()};
        for (int i = 0; i < 5; ++i) {
            preview->step();
            shown << preview->shownFrame();
        }
        QCOMPARE(shown, (QList<int>{1, 2, 3, 4, 1, 2}));
        // The picture is the frame, one pixel per grid point.
        const Frame &f = e.doc.frames().at(2);
        QCOMPARE(preview->picture().size(), QSize(4, 2));
        for (int y = 0; y < 2; ++y)
            for (int x = 0; x < 4; ++x) {
                const ColorValue c = f.at(x, y, 4);
                QCOMPARE(preview->picture().pixel(x, y), qRgb(int(redOf(c)), int(greenOf(c)), int(blueOf(c))));
            }
        // Unchecked it goes and stops; checked again it plays the same run.
        dialog.previewBox()->setChecked(false);
        QVERIFY(!preview->isVisible());
        QVERIFY(!preview->isPlaying());
        dialog.previewBox()->setChecked(true);
        QVERIFY(preview->isPlaying());
        QCOMPARE(preview->shownFrame(), 1);
        // Frames taken away under it stop it rather than show a stranger.
        e.doc.frames().remove(1, 6);
        preview->step();
        QVERIFY(!preview->isPlaying());
    }

    void withoutThePreviewARunPlaysNothing()
    {
        Editor e(2, 4);
        AutoPatternDialog dialog(e.ctx);
        dialog.show();
        QTest::mouseClick(qobject_cast<PatternPage *>(dialog.page())->confirmButton(), Qt::LeftButton);
        QCOMPARE(e.doc.frameCount(), 5);
        QVERIFY(!dialog.preview()->isVisible());
        QVERIFY(!dialog.preview()->isPlaying());
        QCOMPARE(dialog.preview()->shownFrame(), -1);
    }

    void cancelInTheProgressDialogStopsTheRunAndKeepsItsFrames()
    {
        // The dialog at once and brought up to date on every frame, so that
        // a short run shows it.
        struct Quick
        {
            int duration = std::exchange(RunProgressDialog::minimumDurationMs, 0);
            int interval = std::exchange(RunProgressDialog::updateIntervalMs, 0);
            ~Quick()
            {
                RunProgressDialog::minimumDurationMs = duration;
                RunProgressDialog::updateIntervalMs = interval;
            }
        } quick;
        Editor e(1, 1000);
        QMainWindow window;
        e.ctx.window = &window;
        window.show();
        AutoPatternDialog dialog(e.ctx, &window);
        dialog.show();
        auto *page = qobject_cast<PatternPage *>(dialog.page());
        QSignalSpy ran(page, &PatternPage::ran);

        // Whoever handles events while the run goes on clicks Cancel in the
        // progress dialog once it is up.
        QString label;
        QTimer clicker;
        clicker.setInterval(0);
        connect(&clicker, &QTimer::timeout, this, [&] {
            for (QWidget *w : QApplication::topLevelWidgets()) {
                auto *progress = qobject_cast<QProgressDialog *>(w);
                if (!progress || !progress->isVisible())
                    continue;
                label = progress->labelText();
                QPushButton *cancel = progress->findChild<QPushButton *>();
                QVERIFY(cancel);
                QCOMPARE(cancel->text(), QStringLiteral("取消"));
                QTest::mouseClick(cancel, Qt::LeftButton);
            }
        });
        clicker.start();
        QTest::mouseClick(page->confirmButton(), Qt::LeftButton);
        clicker.stop();

        QCOMPARE(label, QStringLiteral("正在生成帧……"));
        QCOMPARE(ran.count(), 1);
        const int made = ran.at(0).at(0).toInt();
        QVERIFY2(made > 0 && made < 1000, qPrintable(QString::number(made)));
        QCOMPARE(e.doc.frameCount(), 1 + made);
        QCOMPARE(e.doc.currentIndex(), made);
        // The frames made are the curtain's first ones: red from the left.
        QCOMPARE(e.doc.frames().at(made).at(made - 1, 0, 1000), ColorValue(0x0000FF));
        QCOMPARE(e.doc.frames().at(made).at(made, 0, 1000), ColorValue(0));
        for (QWidget *w : QApplication::topLevelWidgets())
            QVERIFY(!qobject_cast<QProgressDialog *>(w) || !w->isVisible());
        QVERIFY(page->confirmButton()->isEnabled());
    }

    void theCommandIsEnabledOnlyWithAFrame()
    {
        Editor empty(24, 40, 0);
        registerPatternCommands(empty.ctx);
        QVERIFY(empty.commands.has(Cmd::AutoDesign));
        QVERIFY(!empty.commands.isEnabled(Cmd::AutoDesign));
        Editor one;
        registerPatternCommands(one.ctx);
        QVERIFY(one.commands.isEnabled(Cmd::AutoDesign));
    }

    void theExitButtonClosesAndKeepsTheFrames()
    {
        Editor e(2, 4);
        AutoPatternDialog dialog(e.ctx);
        dialog.show();
        QTest::mouseClick(qobject_cast<PatternPage *>(dialog.page())->confirmButton(), Qt::LeftButton);
        QTest::mouseClick(dialog.exitButton(), Qt::LeftButton);
        QVERIFY(!dialog.isVisible());
        QCOMPARE(dialog.result(), int(QDialog::Rejected));
        QCOMPARE(e.doc.frameCount(), 5);
    }

    // --- pattern keys ----------------------------------------------------------

    void theKeysMakeFramesAndFollowTheActionType()
    {
        Editor e(1, 4);
        e.doc.frames().at(0)[0] = 0x0000FF;
        QWidget holder;
        auto *slot = new QVBoxLayout(&holder);
        CanvasView canvas(e.ctx);
        PatternKeyPanel *panel = installPatternKeys(e.ctx, slot, &canvas);
        QCOMPARE(panel->parentWidget(), &holder);
        QCOMPARE(panel->actionBox()->count(), 8);
        QCOMPARE(panel->actionBox()->itemText(5), QStringLiteral("放光"));
        QCOMPARE(panel->countEdit()->text(), QStringLiteral("1"));
        QVERIFY(panel->keyButton(PatternKey::A)->toolTip().startsWith(QStringLiteral("按键盘'A'")));

        QTest::mouseClick(panel->keyButton(PatternKey::D), Qt::LeftButton);
        QCOMPARE(e.doc.frameCount(), 2);
        QCOMPARE(e.doc.frames().at(1)[1], ColorValue(0x0000FF));
        QCOMPARE(e.doc.frames().at(1)[0], ColorValue(0));

        // The canvas's letters reach the same keys; the count is the amount.
        panel->countEdit()->setText(QStringLiteral("2"));
        QTest::keyClick(&canvas, Qt::Key_D);
        QCOMPARE(e.doc.frameCount(), 3);
        QCOMPARE(e.doc.frames().at(2)[3], ColorValue(0x0000FF));

        const qint64 before = panel->keyButton(PatternKey::W)->icon().cacheKey();
        const QString tipBefore = panel->keyButton(PatternKey::W)->toolTip();
        panel->actionBox()->setCurrentIndex(6); // rotate
        QVERIFY(panel->keyButton(PatternKey::W)->icon().cacheKey() != before);
        QVERIFY(panel->keyButton(PatternKey::W)->toolTip() != tipBefore);
    }

    void anEmptyCountCountsAsOne()
    {
        Editor e(1, 3);
        e.doc.frames().at(0)[0] = 0x0000FF;
        PatternKeyPanel panel(e.ctx);
        panel.countEdit()->setText(QString());
        QVERIFY(panel.press(PatternKey::D));
        QCOMPARE(e.doc.frames().at(1)[1], ColorValue(0x0000FF));
    }
};

#include "app_test.h"
APP_TEST(PatternDialogTest)
#include "pattern_dialog_test.moc"
