#include "patterns/text_pattern_page.h"

#include "common/app_context.h"
#include "document/document.h"
#include "patterns/flow_direction.h"
#include "patterns/text_pattern.h"
#include "patterns/transition_effects.h"
#include "settings/language.h"

#include <QComboBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSlider>
#include <QTextEdit>
#include <QToolTip>

#include <algorithm>
#include <cmath>

namespace {

// The widest line the slider offers, in pixels.
constexpr int kWidestLine = 1024;

QFont typingFont()
{
    QFont font = defaultTextFont();
    font.setStyleStrategy(QFont::NoAntialias); // as the grid will show it
    return font;
}

} // namespace

TextPatternPage::TextPatternPage(AppContext &ctx, QWidget *parent) : PatternPage(ctx, parent)
{
    setObjectName(QStringLiteral("TextPatternPage"));
    // The text brings its own colours: no colour group on this page.
    foregroundBox()->parentWidget()->hide();

    m_text = new QTextEdit(this);
    m_text->setObjectName(QStringLiteral("text"));
    m_text->setAcceptRichText(true);
    QPalette box = m_text->palette();
    box.setColor(QPalette::Base, Qt::black);
    box.setColor(QPalette::Text, QColor::fromRgb(kDefaultTextColour));
    m_text->setPalette(box);
    m_text->document()->setDefaultFont(typingFont());
    QTextCharFormat typing;
    typing.setFont(typingFont());
    typing.setForeground(QColor::fromRgb(kDefaultTextColour));
    m_text->setCurrentCharFormat(typing);
    m_text->setLineWrapMode(QTextEdit::FixedPixelWidth);
    m_text->setMinimumHeight(110);
    form()->addRow(addLabel("LabelInputText", QStringLiteral("请输入文字")));
    form()->addRow(m_text);

    m_fontButton = new QPushButton(lookedUpText("AutoGroupBox", "GroupBoxFont", QStringLiteral("字体")), this);
    m_fontButton->setObjectName(QStringLiteral("font"));
    m_fontButton->setAutoDefault(false);
    m_lineWidth = new QSlider(Qt::Horizontal, this);
    m_lineWidth->setObjectName(QStringLiteral("lineWidth"));
    m_lineWidth->setRange(2, std::max(kWidestLine, ctx.doc.cols()));
    auto *fontRow = new QHBoxLayout;
    fontRow->addWidget(m_fontButton);
    fontRow->addWidget(m_lineWidth, 1);
    form()->addRow(fontRow);

    m_step = addNumber("LabelFontSpace", QStringLiteral("步长或帧数"), 2, "step");

    m_appearance = new QComboBox(this);
    m_appearance->setObjectName(QStringLiteral("appearance"));
    for (int entry = 0; entry < kStuntEntryCount; ++entry)
        m_appearance->addItem(stuntText(entry));
    m_appearance->setMaxVisibleItems(20);
    form()->addRow(new QLabel(lookedUpText("AutoGroupBox", "GroupBoxRangeMode", QStringLiteral("排列方式")), this),
                   m_appearance);

    m_colour = new QComboBox(this);
    m_colour->setObjectName(QStringLiteral("colourFlow"));
    for (int d = 0; d < kFlowDirectionCount; ++d)
        m_colour->addItem(flowDirectionText(d));
    m_colour->addItem(lookedUpText("AutoComboBox", "ColorNoUse", QStringLiteral("不使用"), QStringLiteral("Not used")));
    m_colour->setCurrentIndex(kTextNoFlowItem);
    form()->addRow(addLabel("ColorPadColor", QStringLiteral("色盘颜色")), m_colour);

    connect(m_lineWidth, &QSlider::valueChanged, this, &TextPatternPage::setLineWidth);
    connect(m_lineWidth, &QSlider::sliderMoved, this, [this](int value) {
        QToolTip::showText(QCursor::pos(), QString::number(value), m_lineWidth);
    });
    connect(m_fontButton, &QPushButton::clicked, this, &TextPatternPage::chooseFont);
    m_lineWidth->setValue(std::max(ctx.doc.cols(), 2));
    setLineWidth(m_lineWidth->value());
}

void TextPatternPage::setLineWidth(int width)
{
    m_lineWidth->setToolTip(QString::number(width));
    m_text->setLineWrapColumnOrWidth(width);
}

TextFontChoice TextPatternPage::selectionFont() const
{
    const QTextCharFormat format = m_text->currentCharFormat();
    const QFont font = format.font();
    TextFontChoice c;
    c.family = font.family();
    c.pixelHeight = font.pixelSize() > 0 ? font.pixelSize() : int(std::lround(font.pointSizeF() * 96.0 / 72.0));
    c.colour = format.foreground().style() == Qt::NoBrush ? QColor::fromRgb(kDefaultTextColour)
                                                           : format.foreground().color();
    c.bold = font.bold();
    c.italic = font.italic();
    c.underline = font.underline();
    return c;
}

void TextPatternPage::applyFont(const TextFontChoice &choice)
{
    QFont font(choice.family);
    font.setPixelSize(std::max(choice.pixelHeight, 1));
    font.setWeight(choice.bold ? QFont::Bold : QFont::Normal);
    font.setItalic(choice.italic);
    font.setUnderline(choice.underline);
    font.setStyleStrategy(QFont::NoAntialias);
    QTextCharFormat format;
    format.setFont(font);
    format.setForeground(choice.colour);
    m_text->mergeCurrentCharFormat(format);
    m_text->setFocus();
}

void TextPatternPage::chooseFont()
{
    TextFontDialog dialog(selectionFont(), this);
    if (dialog.exec() == QDialog::Accepted)
        applyFont(dialog.choice());
}

int TextPatternPage::generate(PatternTarget &target)
{
    TextPatternParams p;
    p.appearance = m_appearance->currentIndex();
    p.step = numberOf(m_step);
    p.colourItem = m_colour->currentIndex();
    const std::vector<TextLine> lines = textLinesOf(*m_text->document(), m_lineWidth->value());
    return runTextPattern(target, lines, p, m_ctx.prompt);
}
