// The text tab: its form and defaults, the font dialog's values reaching
// the selected text, the line width, and runs from the confirm button.

#include "editor_context.h"
#include "language_test_support.h"
#include "pattern_page_test_support.h"
#include "patterns/auto_pattern_dialog.h"
#include "patterns/text_font_dialog.h"
#include "patterns/text_pattern.h"
#include "patterns/text_pattern_page.h"
#include "patterns/transition_effects.h"
#include "settings/language.h"

#include <QAbstractTextDocumentLayout>
#include <QCheckBox>
#include <QComboBox>
#include <QFontComboBox>
#include <QGroupBox>
#include <QLineEdit>
#include <QPushButton>
#include <QSlider>
#include <QSpinBox>
#include <QTabWidget>
#include <QTest>
#include <QTextBlock>
#include <QTextEdit>
#include <QTextLayout>

namespace {

constexpr int kTextTab = 4;

int litCellsOf(const Frame &frame)
{
    int lit = 0;
    for (ColorValue c : frame.pixels())
        lit += c != 0;
    return lit;
}

} // namespace

class TextPatternPageTest : public QObject
{
    Q_OBJECT
private slots:
    void init() { useShippedChineseTexts(); }

    void showsItsFormWithTheDefaults()
    {
        EditorContext e(16, 48);
        AutoPatternDialog dialog(e.ctx);
        TextPatternPage *page = openPatternPage<TextPatternPage>(dialog, kTextTab);
        QVERIFY(page);
        QVERIFY(page->textBox()->toPlainText().isEmpty());
        QCOMPARE(page->textBox()->palette().color(QPalette::Base), QColor(Qt::black));
        QCOMPARE(page->stepEdit()->text(), QStringLiteral("2"));
        QCOMPARE(page->appearanceBox()->count(), 56);
        QCOMPARE(page->appearanceBox()->currentText(), QStringLiteral("上滚"));
        QCOMPARE(page->colourBox()->count(), 11);
        QCOMPARE(page->colourBox()->currentText(), QStringLiteral("不使用"));
        QCOMPARE(page->colourBox()->itemText(0), QStringLiteral("向上"));
        QCOMPARE(page->lineWidthSlider()->value(), 48);
        QCOMPARE(page->lineWidthSlider()->minimum(), 2);
        QCOMPARE(page->textBox()->lineWrapColumnOrWidth(), 48);
        QCOMPARE(page->fontButton()->text(), QStringLiteral("字体"));
        QVERIFY(page->findChild<QGroupBox *>(QStringLiteral("colourGroup"))->isHidden());
        // Typing starts red, "Arial" 16 pixels high.
        const TextFontChoice typing = page->selectionFont();
        QCOMPARE(typing.family, QStringLiteral("Arial"));
        QCOMPARE(typing.pixelHeight, 16);
        QCOMPARE(typing.colour, QColor(Qt::red));

        // Moving the slider sets the width the box wraps at.
        page->lineWidthSlider()->setValue(120);
        QCOMPARE(page->textBox()->lineWrapColumnOrWidth(), 120);
        QCOMPARE(page->lineWidthSlider()->toolTip(), QStringLiteral("120"));

        Language::setCode(Language::English);
        Language::reload();
        AutoPatternDialog english(e.ctx);
        page = openPatternPage<TextPatternPage>(english, kTextTab);
        QCOMPARE(page->appearanceBox()->currentText(), QStringLiteral("Scroll up"));
        QCOMPARE(page->colourBox()->currentText(), QStringLiteral("Not used"));
    }

    void typedTextScrollsLeftIntoTheGrid()
    {
        EditorContext e(16, 40);
        AutoPatternDialog dialog(e.ctx);
        TextPatternPage *page = openPatternPage<TextPatternPage>(dialog, kTextTab);
        page->textBox()->setFocus();
        QTest::keyClicks(page->textBox(), QStringLiteral("Hi"));
        page->appearanceBox()->setCurrentIndex(kStuntScrollLeft);
        page->stepEdit()->setText(QStringLiteral("1"));
        QTest::mouseClick(page->confirmButton(), Qt::LeftButton);
        const RenderedText text =
            renderTextLines(plainTextLines(QStringLiteral("Hi"), defaultTextFont(), QColor(Qt::red)));
        QCOMPARE(e.doc.frameCount(), 1 + text.width() + 39);
        // Halfway the text is on the grid, red.
        const Frame &mid = e.doc.frames().at(1 + 30);
        QVERIFY(litCellsOf(mid) > 0);
        for (ColorValue c : mid.pixels())
            QVERIFY(c == 0 || c == 0x0000FF);
        QVERIFY(e.prompt.shown.empty());
    }

    void theFontDialogRestylesTheSelection()
    {
        EditorContext e(16, 64);
        AutoPatternDialog dialog(e.ctx);
        TextPatternPage *page = openPatternPage<TextPatternPage>(dialog, kTextTab);
        page->textBox()->setPlainText(QStringLiteral("ab"));
        page->textBox()->selectAll();

        // The dialog starts from the selection and gives back its fields.
        TextFontDialog fonts(page->selectionFont());
        QCOMPARE(fonts.sizeBox()->value(), 16);
        fonts.sizeBox()->setValue(12);
        fonts.boldBox()->setChecked(true);
        fonts.underlineBox()->setChecked(true);
        fonts.setColour(QColor(Qt::green));
        if (!TextFontDialog::presets().isEmpty()) {
            // The first preset names an installed family and its height.
            fonts.presetBox()->setCurrentIndex(1);
            emit fonts.presetBox()->activated(1);
            QCOMPARE(fonts.sizeBox()->value(), 16);
            fonts.sizeBox()->setValue(12);
        }
        const TextFontChoice chosen = fonts.choice();
        QCOMPARE(chosen.pixelHeight, 12);
        QVERIFY(chosen.bold && chosen.underline && !chosen.italic);
        page->applyFont(chosen);

        const std::vector<TextLine> lines = textLinesOf(*page->textBox()->document(), 64);
        QCOMPARE(lines.size(), size_t(1));
        QCOMPARE(lines[0].size(), size_t(1));
        QCOMPARE(lines[0][0].colour, QColor(Qt::green));
        QCOMPARE(lines[0][0].font.pixelSize(), 12);
        QVERIFY(lines[0][0].font.bold());
        QVERIFY(lines[0][0].font.underline());

        // An effect brings the green line in; the colour list recolours it.
        e.ctx.palette.colours = {0xFF0000};
        page->appearanceBox()->setCurrentIndex(kStuntFirstEffect + kEffectCentreZoom);
        page->stepEdit()->setText(QStringLiteral("3"));
        page->colourBox()->setCurrentIndex(0);
        QTest::mouseClick(page->confirmButton(), Qt::LeftButton);
        QCOMPARE(e.doc.frameCount(), 4);
        QVERIFY(litCellsOf(e.doc.frames().at(3)) > 0);
        for (ColorValue c : e.doc.frames().at(3).pixels())
            QVERIFY(c == 0 || c == 0xFF0000);
    }

    void theRunBreaksLinesWhereTheBoxDoes()
    {
        EditorContext e(16, 64);
        AutoPatternDialog dialog(e.ctx);
        TextPatternPage *page = openPatternPage<TextPatternPage>(dialog, kTextTab);
        page->textBox()->setPlainText(QStringLiteral("one two three four five six seven eight nine ten"));
        QTextDocument *doc = page->textBox()->document();
        for (int width = 40; width <= 160; width += 3) {
            page->lineWidthSlider()->setValue(width);
            QApplication::processEvents();
            doc->documentLayout()->documentSize();
            const QTextLayout *layout = doc->begin().layout();
            QVERIFY(layout->lineCount() > 2);
            const std::vector<TextLine> lines = textLinesOf(*doc, width);
            QCOMPARE(int(lines.size()), layout->lineCount());
            for (int l = 0; l < layout->lineCount(); ++l) {
                const QTextLine line = layout->lineAt(l);
                QCOMPARE(lines[size_t(l)].front().text, doc->toPlainText().mid(line.textStart(), line.textLength()));
            }
        }
    }

    void anEmptyBoxSaysSoAndAddsNothing()
    {
        EditorContext e(16, 40);
        AutoPatternDialog dialog(e.ctx);
        TextPatternPage *page = openPatternPage<TextPatternPage>(dialog, kTextTab);
        QTest::mouseClick(page->confirmButton(), Qt::LeftButton);
        QCOMPARE(e.doc.frameCount(), 1);
        QCOMPARE(e.prompt.lastText(), QStringLiteral("没有输入文字"));
    }
};

#include "app_test.h"
APP_TEST(TextPatternPageTest)
#include "text_pattern_page_test.moc"
