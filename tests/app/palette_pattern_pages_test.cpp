// The jumping-notes and palette-fill tabs: their forms, defaults and texts,
// runs from the confirm button, the empty palette, the operation panel's
// colour action, and the selected palette entry left as it was.

#include "editor_context.h"
#include "language_test_support.h"
#include "pattern_page_test_support.h"
#include "editing/colour_action.h"
#include "patterns/auto_pattern_dialog.h"
#include "patterns/palette_pattern_pages.h"
#include "settings/language.h"

#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMainWindow>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalSpy>
#include <QStatusBar>
#include <QTabWidget>
#include <QTest>

namespace {

constexpr int kNotesTab = 5;
constexpr int kFillTab = 7;

QString labelOf(QWidget *page, const char *name)
{
    auto *label = page->findChild<QLabel *>(QString::fromLatin1(name));
    return label ? label->text() : QStringLiteral("(no label %1)").arg(QLatin1String(name));
}

void clickConfirm(PatternPage *page)
{
    QTest::mouseClick(page->confirmButton(), Qt::LeftButton);
}

} // namespace

class PalettePatternPagesTest : public QObject
{
    Q_OBJECT
private slots:
    void init() { useShippedChineseTexts(); }
    void cleanup() { Language::setCode(Language::Chinese); }

    void theNotesPageOpensWithItsDefaultsAndTexts()
    {
        EditorContext e(8, 5);
        AutoPatternDialog dialog(e.ctx);
        auto *page = openPatternPage<NoteJumpPage>(dialog, kNotesTab);
        QVERIFY(page);
        QVERIFY(!page->findChild<QGroupBox *>(QStringLiteral("colourGroup"))->isVisible());
        QCOMPARE(page->findChild<QGroupBox *>(QStringLiteral("Direction"))->title(), QStringLiteral("方向"));
        QVERIFY(page->verticalButton()->isChecked());
        QVERIFY(!page->horizontalButton()->isChecked());
        QCOMPARE(page->verticalButton()->text(), QStringLiteral("垂直"));
        QCOMPARE(page->horizontalButton()->text(), QStringLiteral("水平"));
        QCOMPARE(labelOf(page, "Range"), QStringLiteral("范围"));
        QCOMPARE(page->rangeBox()->count(), 3);
        QCOMPARE(page->rangeBox()->currentIndex(), 0);
        QCOMPARE(page->rangeBox()->itemText(0), QStringLiteral("所有列(行)"));
        QCOMPARE(page->rangeBox()->itemText(1), QStringLiteral("奇数列(行)"));
        QCOMPARE(page->rangeBox()->itemText(2), QStringLiteral("偶数列(行)"));
        QCOMPARE(labelOf(page, "LabelAutoGenerateFrames"), QStringLiteral("自动生成帧数"));
        QCOMPARE(page->framesEdit()->text(), QStringLiteral("100"));
        QCOMPARE(page->confirmButton()->text(), QStringLiteral("确定"));

        // Another tab and back: the defaults again.
        page->framesEdit()->setText(QStringLiteral("7"));
        page->horizontalButton()->setChecked(true);
        dialog.tabs()->setCurrentIndex(0);
        page = openPatternPage<NoteJumpPage>(dialog, kNotesTab);
        QCOMPARE(page->framesEdit()->text(), QStringLiteral("100"));
        QVERIFY(page->verticalButton()->isChecked());
    }

    void theFillPageOpensWithItsSixteenModes()
    {
        EditorContext e(8, 5);
        AutoPatternDialog dialog(e.ctx);
        auto *page = openPatternPage<PaletteFillPage>(dialog, kFillTab);
        QVERIFY(page);
        QVERIFY(!page->findChild<QGroupBox *>(QStringLiteral("colourGroup"))->isVisible());
        QCOMPARE(page->modeList()->count(), 16);
        QCOMPARE(page->modeList()->currentRow(), 0);
        QVERIFY(page->modeList()->item(0)->isSelected());
        QCOMPARE(page->modeList()->item(0)->text(), QStringLiteral("调色板覆盖填充(生成多帧)"));
        QCOMPARE(page->modeList()->item(7)->text(), QStringLiteral("调色板圆形填充从外向内"));
        QCOMPARE(page->modeList()->item(15)->text(), QStringLiteral("调色板逆时针圆形旋转方式4(内切圆,帧不继承)"));
    }

    void bothPagesSpeakEnglish()
    {
        Language::setCode(Language::English);
        EditorContext e(8, 5);
        AutoPatternDialog dialog(e.ctx);
        auto *notes = openPatternPage<NoteJumpPage>(dialog, kNotesTab);
        QCOMPARE(notes->findChild<QGroupBox *>(QStringLiteral("Direction"))->title(), QStringLiteral("Direction"));
        QCOMPARE(notes->horizontalButton()->text(), QStringLiteral("Horizontal"));
        QCOMPARE(notes->rangeBox()->itemText(1), QStringLiteral("Odd columns (rows)"));
        QCOMPARE(labelOf(notes, "LabelAutoGenerateFrames"), QStringLiteral("Frames to make"));
        QCOMPARE(dialog.tabs()->tabText(kNotesTab), QStringLiteral("Jumping Notes"));
        auto *fill = openPatternPage<PaletteFillPage>(dialog, kFillTab);
        QCOMPARE(fill->modeList()->item(2)->text(), QStringLiteral("Palette fill, transparent (left to right)"));
        QCOMPARE(fill->modeList()->item(9)->text(),
                 QStringLiteral("Palette wheel anticlockwise 1 (around the grid, frames build up)"));
    }

    void jumpingNotesInsertTheirFramesAfterTheCurrentOne()
    {
        EditorContext e(8, 5, 3);
        e.doc.goToFrame(1);
        e.editing.addMode = AddMode::Overwrite; // inserted whatever the AddMode
        e.doc.setNewFrameCopiesCurrent(true);
        QMainWindow window;
        e.ctx.statusBar = window.statusBar();
        AutoPatternDialog dialog(e.ctx, &window);
        auto *page = openPatternPage<NoteJumpPage>(dialog, kNotesTab);
        page->framesEdit()->setText(QStringLiteral("12"));
        page->horizontalButton()->setChecked(true);
        page->rangeBox()->setCurrentIndex(1); // rows 0, 2, 4, 6
        clickConfirm(page);
        QCOMPARE(e.doc.frameCount(), 15);
        QCOMPARE(e.doc.currentIndex(), 13);
        for (int i = 2; i <= 13; ++i) {
            const Frame &f = e.doc.frames().at(i);
            for (int y = 0; y < 8; ++y)
                QVERIFY2((f.at(0, y, 5) != 0) == (y % 2 == 0),
                         qPrintable(QStringLiteral("frame %1 row %2").arg(i).arg(y)));
        }
        QCOMPARE(window.statusBar()->currentMessage(), QStringLiteral("已添加12帧"));
        QVERIFY(e.prompt.texts().isEmpty());
    }

    void anEmptyPaletteSaysSoOnBothPages()
    {
        EditorContext e(4, 4);
        e.palette.colours.clear();
        AutoPatternDialog dialog(e.ctx);
        clickConfirm(openPatternPage<NoteJumpPage>(dialog, kNotesTab));
        for (int mode : {0, 3, 6, 12}) {
            auto *fill = openPatternPage<PaletteFillPage>(dialog, kFillTab);
            fill->modeList()->setCurrentRow(mode);
            clickConfirm(fill);
        }
        QCOMPARE(e.prompt.texts(), QStringList(5, QStringLiteral("调色板中颜色为空")));
        QCOMPARE(e.doc.frameCount(), 1);
    }

    void theFillCombinesByTheColourActionAndKeepsTheSelectedEntry()
    {
        EditorContext e(2, 3);
        Frame start(6, 0x010101);
        e.doc.storeFrame(start);
        e.palette.colours = {0x0000FF, 0x00FF00, 0xFF0000};
        e.palette.selectEntry(1);
        e.editing.colourAction = ColourAction::Xor;
        AutoPatternDialog dialog(e.ctx);
        auto *page = openPatternPage<PaletteFillPage>(dialog, kFillTab);
        clickConfirm(page); // mode 0: green, then blue
        QCOMPARE(e.doc.frameCount(), 3);
        QCOMPARE(e.doc.frames().at(1), Frame(6, 0x01FE01));
        QCOMPARE(e.doc.frames().at(2), Frame(6, 0xFE0101));
        QCOMPARE(e.palette.selected, 1);
        QCOMPARE(e.palette.currentColour, ColorValue(0x00FF00));

        page->modeList()->setCurrentRow(10); // one sector a frame
        clickConfirm(page);
        QCOMPARE(e.doc.frameCount(), 27);
        QCOMPARE(e.palette.selected, 1);
    }

    void aSweepRecoloursTheCurrentFrameAndSaysSo()
    {
        Language::setCode(Language::English);
        EditorContext e(2, 3, 2);
        e.doc.goToFrame(0);
        Frame start(6, 0);
        start[1] = 0x111111;
        start[4] = 0x222222;
        start[2] = 0x333333;
        e.doc.storeFrame(start);
        QMainWindow window;
        e.ctx.statusBar = window.statusBar();
        AutoPatternDialog dialog(e.ctx, &window);
        auto *page = openPatternPage<PaletteFillPage>(dialog, kFillTab);
        page->modeList()->setCurrentRow(2); // left to right
        QSignalSpy content(&e.doc, &Document::frameContentChanged);
        QSignalSpy frames(&e.doc, &Document::framesChanged);
        clickConfirm(page);
        QCOMPARE(e.doc.frameCount(), 2);
        // Column 0 holds only black (the background colour): it keeps it,
        // and the first colour goes to column 1.
        const std::vector<ColorValue> expected = {0, 0x0000FF, 0x00FF00, 0, 0x0000FF, 0};
        QCOMPARE(e.doc.frames().at(0).pixels(), expected);
        QVERIFY(content.count() + frames.count() > 0); // the canvas redraws
        QCOMPARE(window.statusBar()->currentMessage(), QStringLiteral("Changed 1 frame"));
    }

    void aListWithoutASelectionRunsNothing()
    {
        EditorContext e(4, 4);
        AutoPatternDialog dialog(e.ctx);
        auto *page = openPatternPage<PaletteFillPage>(dialog, kFillTab);
        page->modeList()->clearSelection();
        page->modeList()->setCurrentRow(-1);
        clickConfirm(page);
        QCOMPARE(e.doc.frameCount(), 1);
        QVERIFY(e.prompt.texts().isEmpty());
    }
};

APP_TEST(PalettePatternPagesTest)
#include "palette_pattern_pages_test.moc"
