// The operation panel's editing controls and the paste and block move
// dialogs.

#include "editing/block_move_dialog.h"
#include "editing/operation_panel.h"
#include "editing/paste_dialog.h"
#include "editor_context.h"
#include "language_test_support.h"
#include "settings/language.h"
#include "transforms/frame_range_fields.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QStatusBar>
#include <QTest>
#include <QTimer>
#include <QToolButton>
#include <QVBoxLayout>

class OperationPanelTest : public QObject
{
    Q_OBJECT
private slots:
    void init() { useShippedChineseTexts(); }

    void startsWithTheMiddleHalfNotDefinedAndTheUsbControlsDisabled()
    {
        EditorContext e(24, 40);
        OperationPanel panel(e.ctx);
        QVERIFY(!e.editing.area.defined);
        QCOMPARE(e.editing.area.rect(), (GridRect{10, 6, 29, 17}));
        QVERIFY(!panel.usbList()->isEnabled());
        QVERIFY(!panel.usbSwitch()->isEnabled());
        QVERIFY(panel.patternSlot());
        QCOMPARE(panel.colourActionBox()->count(), 12);
        QCOMPARE(panel.colourActionBox()->itemText(9), QStringLiteral("NXOR"));
        QCOMPARE(panel.addModeBox()->itemText(2), QStringLiteral("当前帧"));
    }

    void thePenTogglesPaintingAndTheNoneBrush()
    {
        EditorContext e;
        e.palette.brush = Brush::None;
        OperationPanel panel(e.ctx);
        QTest::mouseClick(panel.penButton(), Qt::LeftButton);
        QVERIFY(e.editing.penEnabled);
        QVERIFY(panel.penButton()->isChecked());
        QCOMPARE(e.palette.brush, Brush::PenNoBrush);
        QTest::mouseClick(panel.penButton(), Qt::LeftButton);
        QVERIFY(!e.editing.penEnabled);
        QCOMPARE(e.palette.brush, Brush::None);
    }

    void aPressedPenLooksPressedAndClearsThePenHint()
    {
        EditorContext e;
        QStatusBar status;
        e.ctx.statusBar = &status;
        OperationPanel panel(e.ctx);
        QToolButton *pen = panel.penButton();
        pen->resize(60, 30);
        const QImage released = pen->grab().toImage();
        status.showMessage(QStringLiteral("Press PEN to paint"));
        QTest::mouseClick(pen, Qt::LeftButton);
        const QImage pressed = pen->grab().toImage();
        QCOMPARE(pressed.size(), released.size());
        // Not a thin frame or a shifted picture: most of the button
        // changes colour, and strongly.
        int changed = 0;
        for (int y = 0; y < pressed.height(); ++y)
            for (int x = 0; x < pressed.width(); ++x) {
                const QColor a = released.pixelColor(x, y), b = pressed.pixelColor(x, y);
                changed += std::abs(a.lightness() - b.lightness()) > 60 || std::abs(a.hue() - b.hue()) > 60;
            }
        QVERIFY2(changed > pressed.width() * pressed.height() / 2, qPrintable(QString::number(changed)));
        QVERIFY(status.currentMessage().isEmpty());
    }

    void listsSetTheColourActionSpreadAndAddMode()
    {
        EditorContext e;
        OperationPanel panel(e.ctx);
        panel.colourActionBox()->setCurrentIndex(6);
        panel.strokeSpreadBox()->setCurrentIndex(2);
        QCOMPARE(int(e.editing.colourAction), 6);
        QCOMPARE(int(e.editing.strokeSpread), 2);
        for (int mode : {1, 2, 0}) {
            panel.addModeBox()->setCurrentIndex(mode);
            QCOMPARE(int(e.editing.addMode), mode);
            QCOMPARE(e.doc.newFrameCopiesCurrent(), mode != 0);
            QCOMPARE(e.settings.newFrameCopiesCurrent, mode != 0);
        }
    }

    void saveInsertsACopyAndAllLightFillsTheBlock()
    {
        EditorContext e(2, 3);
        OperationPanel panel(e.ctx);
        e.palette.currentColour = 0x00ABCDEF;
        QTest::mouseClick(panel.allLightButton(), Qt::LeftButton);
        QCOMPARE(e.doc.currentFrame()->pixels(), std::vector<ColorValue>(6, 0x00ABCDEF));
        e.editing.area = BlockArea{true, 2, 1, 2, 1};
        e.palette.currentColour = 7;
        QTest::mouseClick(panel.allLightButton(), Qt::LeftButton);
        QCOMPARE(e.doc.currentFrame()->at(2, 1, 3), ColorValue(7));
        QCOMPARE(e.doc.currentFrame()->at(1, 1, 3), ColorValue(0x00ABCDEF));
        QTest::mouseClick(panel.saveButton(), Qt::LeftButton);
        QCOMPARE(e.doc.frameCount(), 2);
        QCOMPARE(e.doc.currentIndex(), 1);
        QCOMPARE(e.doc.frames()[1], e.doc.frames()[0]);
    }

    void defineAndCancelTheArea()
    {
        EditorContext e;
        OperationPanel panel(e.ctx);
        QTest::mouseClick(panel.defineButton(), Qt::LeftButton);
        QVERIFY(e.editing.area.defined);
        QCOMPARE(e.editing.area.x0, -1);
        QTest::mouseClick(panel.cancelButton(), Qt::LeftButton);
        QVERIFY(!e.editing.area.defined);
    }

    void theMoveDialogMovesWithinTheGridAndRedefinesClamped()
    {
        EditorContext e(6, 10);
        OperationPanel panel(e.ctx);
        e.editing.area = BlockArea{true, 2, 1, 4, 2};
        QTimer::singleShot(0, [] {
            auto *d = qobject_cast<BlockMoveDialog *>(QApplication::activeModalWidget());
            QVERIFY(d);
            QCOMPARE(d->windowTitle(), QStringLiteral("区域移动"));
            QCOMPARE(d->field(0)->text(), QStringLiteral("3"));
            QCOMPARE(d->field(2)->text(), QStringLiteral("3"));
            d->field(4)->setText(QStringLiteral("20"));
            d->field(5)->setText(QStringLiteral("-1"));
            QTest::mouseClick(d->moveButton(), Qt::LeftButton);
        });
        QTest::mouseClick(panel.moveButton(), Qt::LeftButton);
        QCOMPARE(e.editing.area.rect(), (GridRect{7, 0, 9, 1}));

        e.editing.area.defined = false;
        QTimer::singleShot(0, [] {
            auto *d = qobject_cast<BlockMoveDialog *>(QApplication::activeModalWidget());
            QVERIFY(d);
            d->field(0)->setText(QStringLiteral("9"));
            d->field(1)->setText(QStringLiteral("0"));
            d->field(2)->setText(QStringLiteral("5"));
            d->field(3)->setText(QStringLiteral("-2"));
            QTest::mouseClick(d->redefineButton(), Qt::LeftButton);
        });
        QTest::mouseClick(panel.moveButton(), Qt::LeftButton);
        QVERIFY(e.editing.area.defined);
        QCOMPARE(e.editing.area.rect(), (GridRect{8, 0, 9, 0}));
    }

    void englishTextsAndTooltips()
    {
        Language::setCode(Language::English);
        EditorContext e;
        OperationPanel panel(e.ctx);
        QCOMPARE(panel.defineButton()->text(), QStringLiteral("Define area"));
        QCOMPARE(panel.defineButton()->toolTip(), QStringLiteral("The definition of a synchronized local area"));
        QCOMPARE(panel.allLightButton()->toolTip(), QStringLiteral("The current frame the entire light"));
        QCOMPARE(panel.strokeSpreadBox()->itemText(1), QStringLiteral("Whole row"));
        QCOMPARE(panel.usbSwitch()->toolTip(), QStringLiteral("USB Synchronous Transfer Switch"));
        Language::setCode(Language::Chinese);
        panel.applyTexts();
        QCOMPARE(panel.defineButton()->toolTip(), QStringLiteral("定义一个花样局部区域"));
        QCOMPARE(panel.moveButton()->text(), QStringLiteral("区域移动"));
    }

    void pasteDialogTitleFollowsTheBlockAndABadStartKeepsItOpen()
    {
        EditorContext e(2, 2, 2);
        e.editing.clipboard.reset(2, 2);
        e.editing.clipboard.frames.emplace_back(4);
        e.doc.frames()[0][3] = 0x55;
        {
            PasteDialog d(e.ctx);
            QCOMPARE(d.windowTitle(), QStringLiteral("帧粘贴"));
            QCOMPARE(d.startField()->text(), QStringLiteral("2"));
            QVERIFY(d.modeBox()->toolTip().contains(QStringLiteral("末尾")));
        }
        e.editing.area = BlockArea{true, 0, 0, 0, 0};
        PasteDialog d(e.ctx);
        QCOMPARE(d.windowTitle(), QStringLiteral("区域粘贴"));
        e.editing.area.defined = false;
        d.startField()->setText(QStringLiteral("0"));
        d.show();
        QTest::mouseClick(d.findChild<QPushButton *>(QStringLiteral("confirm")), Qt::LeftButton);
        QCOMPARE(e.prompt.lastText(), QStringLiteral("输入错误！开始帧或结束帧超出范围。"));
        QVERIFY(d.isVisible());
        d.startField()->setText(QStringLiteral("1"));
        d.modeBox()->setCurrentIndex(1);
        d.reverseBox()->setChecked(true);
        QCOMPARE(d.options().overwrite, true);
        QCOMPARE(d.options().reverse, true);
        QTest::mouseClick(d.findChild<QPushButton *>(QStringLiteral("confirm")), Qt::LeftButton);
        QVERIFY(!d.isVisible());
        QCOMPARE(e.doc.frames()[0], Frame(4, 0));
    }

    void thePasteCountTakesAtMostFiveDigits()
    {
        EditorContext e(2, 2, 1);
        PasteDialog d(e.ctx);
        d.show();
        d.countField()->selectAll();
        QTest::keyClicks(d.countField(), QStringLiteral("999999999"));
        QCOMPARE(d.countField()->text(), QStringLiteral("99999"));
        QCOMPARE(d.options().count, 99999);
        // Zero and negatives still reach the paste's own check.
        d.countField()->selectAll();
        QTest::keyClicks(d.countField(), QStringLiteral("-3"));
        QCOMPARE(d.options().count, -3);
    }
};

#include "app_test.h"
APP_TEST(OperationPanelTest)
#include "operation_panel_test.moc"
