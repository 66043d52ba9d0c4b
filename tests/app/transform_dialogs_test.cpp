// The dialogs of the "图像" menu: range checks with their exact messages, the
// colour sides, the repeat buttons and the brightness points.

#include "app_test_grid.h"
#include "document/document.h"
#include "language_test_support.h"
#include "scripted_prompt.h"
#include "settings/language.h"
#include "transforms/brightness_curve_editor.h"
#include "transforms/brightness_dialog.h"
#include "transforms/colour_replace_dialog.h"
#include "transforms/frame_range_fields.h"
#include "transforms/frame_repeat_dialog.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFrame>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QTest>
#include <QToolButton>

namespace {

const QString kRangeError = QStringLiteral("输入错误！开始帧或结束帧超出范围。");

// `n` more frames after the current one, every one filled with `colour`.
void fill(Document &doc, int n, ColorValue colour)
{
    for (int f = 0; f < n; ++f)
        doc.insertFrameAfterCurrent(Frame(size_t(doc.pointCount()), colour));
}

ColorValue swatchColour(const ColourSidePicker *side)
{
    return fromQColor(side->swatch()->palette().color(QPalette::Window));
}

} // namespace

class TransformDialogsTest : public QObject
{
    Q_OBJECT
private slots:
    void init() { useShippedChineseTexts(); }

    // --- colour replacement -------------------------------------------------

    void colourReplaceOpensWithTheCustomColoursAndTheCurrentFrame()
    {
        Document doc(grid(2, 2));
        fill(doc, 4, 0);
        doc.goToFrame(2);
        ScriptedPrompt prompt;
        ColourReplaceDialog d(doc, prompt);
        QCOMPARE(d.windowTitle(), QStringLiteral("颜色替换"));
        QCOMPARE(d.oldSide()->index(), kOldCustomIndex);
        QCOMPARE(d.newSide()->index(), kNewCustomIndex);
        QCOMPARE(swatchColour(d.oldSide()), ColorValue(0x0064FF));
        QCOMPARE(swatchColour(d.newSide()), ColorValue(0x64FF00));
        QVERIFY(d.oldSide()->otherButton()->isChecked());
        QCOMPARE(d.range()->startEdit()->text(), QStringLiteral("3"));
        QCOMPARE(d.range()->endEdit()->text(), QStringLiteral("3"));
        QCOMPARE(d.orderList()->count(), kComponentOrderCount);
        QVERIFY(!d.orderList()->isEnabled());
        d.reorderBox()->setChecked(true);
        QVERIFY(d.orderList()->isEnabled());
    }

    void colourReplaceRefusesABadRangeAndStaysOpen_data()
    {
        QTest::addColumn<QString>("start");
        QTest::addColumn<QString>("end");
        QTest::newRow("start 0") << "0" << "2";
        QTest::newRow("start after end") << "3" << "2";
        QTest::newRow("end past the last frame") << "1" << "4";
        QTest::newRow("empty field") << "" << "2";
        QTest::newRow("negative") << "-1" << "2";
    }

    void colourReplaceRefusesABadRangeAndStaysOpen()
    {
        QFETCH(QString, start);
        QFETCH(QString, end);
        Document doc(grid(1, 2));
        fill(doc, 3, 0x0064FF);
        ScriptedPrompt prompt;
        ColourReplaceDialog d(doc, prompt);
        d.range()->startEdit()->setText(start);
        d.range()->endEdit()->setText(end);
        d.show();
        QTest::mouseClick(d.findChild<QPushButton *>(QStringLiteral("confirm")), Qt::LeftButton);
        QCOMPARE(prompt.shown.size(), size_t(1));
        QCOMPARE(prompt.lastText(), kRangeError);
        QCOMPARE(prompt.shown[0].icon, PromptIcon::Error);
        QVERIFY(d.isVisible());
        QCOMPARE(d.result(), int(QDialog::Rejected));
        QCOMPARE(doc.frames()[0][0], ColorValue(0x0064FF));
    }

    void colourReplaceSaysSameWhenBothSidesStandForOneColour()
    {
        Document doc(grid(1, 1));
        fill(doc, 1, basicColour(BasicRed));
        ScriptedPrompt prompt;
        ColourReplaceDialog d(doc, prompt);
        QTest::mouseClick(d.oldSide()->cell(BasicRed), Qt::LeftButton);
        QTest::mouseClick(d.newSide()->cell(BasicRed), Qt::LeftButton);
        d.accept();
        QCOMPARE(prompt.lastText(), QStringLiteral("替换颜色相同!"));
        QCOMPARE(d.result(), int(QDialog::Rejected));

        // Equal custom colours on both sides are the same too.
        ColourReplaceDialog custom(doc, prompt, nullptr, [](const QColor &, QWidget *) -> std::optional<QColor> {
            return QColor(0xFF, 0x64, 0x00); // 0x0064FF as (R, G, B)
        });
        QTest::mouseClick(custom.newSide()->otherButton(), Qt::LeftButton);
        QCOMPARE(custom.newSide()->customColour(), ColorValue(0x0064FF));
        custom.accept();
        QCOMPARE(prompt.shown.size(), size_t(2));
        QCOMPARE(prompt.lastText(), QStringLiteral("替换颜色相同!"));
    }

    void colourReplaceReplacesRedByGreenKeepingTheLevel()
    {
        Document doc(grid(1, 3));
        Frame f(3);
        f[0] = makeColor(128, 0, 0);
        f[1] = makeColor(128, 1, 0);
        f[2] = makeColor(255, 0, 0);
        doc.insertFrameAfterCurrent(f);
        ScriptedPrompt prompt;
        ColourReplaceDialog d(doc, prompt);
        QTest::mouseClick(d.oldSide()->cell(BasicRed), Qt::LeftButton);
        QTest::mouseClick(d.newSide()->cell(BasicGreen), Qt::LeftButton);
        QCOMPARE(swatchColour(d.newSide()), basicColour(BasicGreen));
        QVERIFY(!d.newSide()->otherButton()->isChecked());
        d.accept();
        QVERIFY(prompt.shown.empty());
        QCOMPARE(d.result(), int(QDialog::Accepted));
        QCOMPARE(doc.frames()[0].pixels(),
                 (std::vector<ColorValue>{makeColor(0, 128, 0), makeColor(128, 1, 0), makeColor(0, 255, 0)}));
    }

    void colourReplaceCancelledColourDialogKeepsTheCustomColour()
    {
        Document doc(grid(1, 1));
        fill(doc, 1, 0);
        ScriptedPrompt prompt;
        ColourReplaceDialog d(doc, prompt, nullptr,
                              [](const QColor &, QWidget *) -> std::optional<QColor> { return std::nullopt; });
        QTest::mouseClick(d.oldSide()->cell(BasicBlue), Qt::LeftButton);
        QTest::mouseClick(d.oldSide()->otherButton(), Qt::LeftButton);
        QCOMPARE(d.oldSide()->index(), kOldCustomIndex);
        QCOMPARE(d.oldSide()->colour(), ColorValue(0x0064FF));
    }

    void colourReplaceReordersComponentsWithTheChosenOrder()
    {
        Document doc(grid(1, 1));
        fill(doc, 2, makeColor(1, 2, 3));
        ScriptedPrompt prompt;
        ColourReplaceDialog d(doc, prompt);
        d.reorderBox()->setChecked(true);
        d.orderList()->setCurrentIndex(int(ComponentOrder::GBR));
        d.range()->setStart(1);
        d.range()->setEnd(2);
        d.accept();
        QCOMPARE(doc.frames()[0][0], makeColor(2, 3, 1));
        QCOMPARE(doc.frames()[1][0], makeColor(2, 3, 1));
    }

    void colourReplaceTextsComeFromTheLanguageFileInEnglish()
    {
        Language::setCode(Language::English);
        Document doc(grid(1, 1));
        fill(doc, 1, 0);
        ScriptedPrompt prompt;
        ColourReplaceDialog d(doc, prompt);
        QCOMPARE(d.windowTitle(), QStringLiteral("Colour Replacement"));
        QCOMPARE(d.reorderBox()->text(), QStringLiteral("Swap RGB components"));
        QCOMPARE(d.orderList()->itemText(4), QStringLiteral("RGB → BGR (swap red and blue)"));
        d.range()->setEnd(5);
        d.accept();
        QCOMPARE(prompt.lastText(), QStringLiteral("Input error! The start frame or the end frame is out of range."));
    }

    // --- frame repetition ---------------------------------------------------

    void frameRepeatButtonsSetTheFirstAndTheLastFrame()
    {
        Document doc(grid(1, 1));
        fill(doc, 5, 0);
        doc.goToFrame(1);
        ScriptedPrompt prompt;
        FrameRepeatDialog d(doc, prompt);
        QCOMPARE(d.windowTitle(), QStringLiteral("帧重复"));
        QCOMPARE(d.range()->start(), 2);
        QCOMPARE(d.range()->end(), 2);
        QTest::mouseClick(d.range()->firstButton(), Qt::LeftButton);
        QTest::mouseClick(d.range()->lastButton(), Qt::LeftButton);
        QCOMPARE(d.range()->start(), 1);
        QCOMPARE(d.range()->end(), 5);
        QCOMPARE(d.range()->firstButton()->text(), QStringLiteral("第一帧"));
        QCOMPARE(d.range()->lastButton()->text(), QStringLiteral("最后一帧"));
    }

    void frameRepeatRepeatsTheRangeAndMakesTheLastCopyCurrent()
    {
        Document doc(grid(1, 1));
        for (ColorValue c : {10u, 20u, 30u})
            doc.insertFrameAfterCurrent(Frame(1, c));
        ScriptedPrompt prompt;
        FrameRepeatDialog d(doc, prompt);
        d.range()->setStart(1);
        d.range()->setEnd(2);
        d.countEdit()->setText(QStringLiteral("2"));
        d.accept();
        QCOMPARE(d.result(), int(QDialog::Accepted));
        QCOMPARE(doc.frameCount(), 7);
        std::vector<ColorValue> got;
        for (int i = 0; i < doc.frameCount(); ++i)
            got.push_back(doc.frames()[i][0]);
        QCOMPARE(got, (std::vector<ColorValue>{10, 10, 10, 20, 20, 20, 30}));
        QCOMPARE(doc.currentIndex(), 5);
    }

    void frameRepeatRefusesABadRange()
    {
        Document doc(grid(1, 1));
        fill(doc, 2, 0);
        ScriptedPrompt prompt;
        FrameRepeatDialog d(doc, prompt);
        d.range()->setStart(2);
        d.range()->setEnd(1);
        d.accept();
        QCOMPARE(prompt.lastText(), kRangeError);
        QCOMPARE(prompt.shown[0].icon, PromptIcon::Error);
        QCOMPARE(doc.frameCount(), 2);
        QCOMPARE(d.result(), int(QDialog::Rejected));
    }

    // --- brightness ---------------------------------------------------------

    void brightnessPointsCannotBeDraggedPastEachOther()
    {
        Document doc(grid(2, 2));
        fill(doc, 1, makeColor(100, 100, 100));
        ScriptedPrompt prompt;
        BrightnessDialog d(doc, BlockArea{}, prompt);
        d.show();
        QVERIFY(QTest::qWaitForWindowExposed(&d));
        BrightnessCurveEditor *e = d.editor();
        QCOMPARE(e->point(1), QPoint(50, 50));
        QCOMPARE(e->point(2), QPoint(200, 200));

        // Point 1 dragged far to the right stops at point 2's x.
        QTest::mousePress(e, Qt::LeftButton, {}, e->toWidget(50, 50));
        QTest::mouseMove(e, e->toWidget(240, 90));
        QTest::mouseRelease(e, Qt::LeftButton, {}, e->toWidget(240, 90));
        QCOMPARE(e->point(1), QPoint(200, 90));
        QCOMPARE(d.xField(1)->value(), 200);
        QCOMPARE(d.yField(1)->value(), 90);

        // Point 2 dragged to the left stops at point 1's x.
        QTest::mousePress(e, Qt::LeftButton, {}, e->toWidget(201, 200));
        QTest::mouseRelease(e, Qt::LeftButton, {}, e->toWidget(10, 30));
        QCOMPARE(e->point(2), QPoint(200, 30));

        // Dragging outside the plot keeps coordinates in 0..255.
        QTest::mousePress(e, Qt::LeftButton, {}, e->toWidget(200, 30));
        QTest::mouseRelease(e, Qt::LeftButton, {}, e->toWidget(200, 30) + QPoint(500, 500));
        QCOMPARE(e->point(2), QPoint(255, 0));
    }

    void brightnessFieldsMoveThePointsAndThePreviewFollows()
    {
        Document doc(grid(1, 2));
        fill(doc, 1, makeColor(100, 0, 255));
        ScriptedPrompt prompt;
        BrightnessDialog d(doc, BlockArea{}, prompt);
        QCOMPARE(d.preview().pixel(0, 0), qRgb(100, 0, 255)); // the default curve changes nothing
        d.xField(1)->setValue(100);
        d.yField(1)->setValue(150);
        QCOMPARE(d.editor()->point(1), QPoint(100, 150));
        QCOMPARE(d.preview().pixel(1, 0), qRgb(150, 0, 255));
        QCOMPARE(doc.frames()[0][0], makeColor(100, 0, 255)); // the frame itself is not touched
    }

    void brightnessConfirmOrdersThePointsAndMapsTheRange()
    {
        Document doc(grid(1, 1));
        fill(doc, 3, makeColor(100, 100, 100));
        doc.goToFrame(1);
        ScriptedPrompt prompt;
        BrightnessDialog d(doc, BlockArea{}, prompt);
        // Point 1 right of point 2 through the fields.
        d.xField(1)->setValue(220);
        d.yField(1)->setValue(240);
        d.xField(2)->setValue(100);
        d.yField(2)->setValue(40);
        d.accept();
        QCOMPARE(d.result(), int(QDialog::Accepted));
        QCOMPARE(d.editor()->point(1), QPoint(100, 40));
        QCOMPARE(d.editor()->point(2), QPoint(220, 240));
        QCOMPARE(d.xField(1)->value(), 100);
        QCOMPARE(doc.frames()[1][0], makeColor(40, 40, 40));
        QCOMPARE(doc.frames()[0][0], makeColor(100, 100, 100));
    }

    void brightnessRefusesABadRange()
    {
        Document doc(grid(1, 1));
        fill(doc, 1, makeColor(100, 100, 100));
        ScriptedPrompt prompt;
        BrightnessDialog d(doc, BlockArea{}, prompt);
        d.yField(1)->setValue(0);
        d.range()->setEnd(2);
        d.accept();
        QCOMPARE(prompt.lastText(), kRangeError);
        QCOMPARE(d.result(), int(QDialog::Rejected));
        QCOMPARE(doc.frames()[0][0], makeColor(100, 100, 100));
    }
};

#include "app_test.h"
APP_TEST(TransformDialogsTest)
#include "transform_dialogs_test.moc"
