#include "patterns/text_font_dialog.h"

#include "settings/language.h"

#include <QCheckBox>
#include <QColorDialog>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFontComboBox>
#include <QFontDatabase>
#include <QFormLayout>
#include <QPushButton>
#include <QSpinBox>

namespace {

QString fontDialogText(const char *key, const char *chinese, const char *english)
{
    return lookedUpText("FontDialog", key, QString::fromUtf8(chinese), QString::fromUtf8(english));
}

} // namespace

QStringList TextFontDialog::presets()
{
    static const char *const kCandidates[] = {"Unifont|16", "Liberation Sans|16", "Noto Sans CJK SC|16"};
    const QStringList installed = QFontDatabase::families();
    QStringList out;
    for (const char *c : kCandidates) {
        const QString preset = QString::fromLatin1(c);
        if (installed.contains(preset.section(QLatin1Char('|'), 0, 0)))
            out << preset;
    }
    return out;
}

TextFontDialog::TextFontDialog(const TextFontChoice &start, QWidget *parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("TextFontDialog"));
    setWindowTitle(fontDialogText("Title", "字体", "Font"));

    m_presets = new QComboBox(this);
    m_presets->setObjectName(QStringLiteral("presets"));
    m_presets->addItem(fontDialogText("PresetNone", "(选择)", "(choose)"));
    for (const QString &p : presets())
        m_presets->addItem(QStringLiteral("%1 %2 px").arg(p.section(QLatin1Char('|'), 0, 0), p.section(QLatin1Char('|'), 1, 1)), p);
    m_family = new QFontComboBox(this);
    m_family->setObjectName(QStringLiteral("family"));
    m_family->setCurrentFont(QFont(start.family));
    m_size = new QSpinBox(this);
    m_size->setObjectName(QStringLiteral("size"));
    m_size->setRange(4, 512);
    m_size->setValue(start.pixelHeight);
    m_colourButton = new QPushButton(this);
    m_colourButton->setObjectName(QStringLiteral("colour"));
    m_colourButton->setAutoDefault(false);
    m_bold = new QCheckBox(fontDialogText("Bold", "粗体", "Bold"), this);
    m_bold->setObjectName(QStringLiteral("bold"));
    m_bold->setChecked(start.bold);
    m_italic = new QCheckBox(fontDialogText("Italic", "斜体", "Italic"), this);
    m_italic->setObjectName(QStringLiteral("italic"));
    m_italic->setChecked(start.italic);
    m_underline = new QCheckBox(fontDialogText("Underline", "下划线", "Underline"), this);
    m_underline->setObjectName(QStringLiteral("underline"));
    m_underline->setChecked(start.underline);
    setColour(start.colour);

    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    buttons->button(QDialogButtonBox::Ok)->setText(lookedUpText("AutoButton", "ButtonConfirm", QStringLiteral("确定")));
    buttons->button(QDialogButtonBox::Cancel)->setText(lookedUpText("AutoButton", "ButtonCancel", QStringLiteral("取消")));

    auto *form = new QFormLayout(this);
    form->addRow(fontDialogText("Preset", "LED 字体", "For LED grids"), m_presets);
    form->addRow(fontDialogText("Family", "字体", "Font"), m_family);
    form->addRow(fontDialogText("Size", "高度(像素)", "Height (pixels)"), m_size);
    form->addRow(fontDialogText("Colour", "颜色", "Colour"), m_colourButton);
    form->addRow(m_bold);
    form->addRow(m_italic);
    form->addRow(m_underline);
    form->addRow(buttons);

    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(m_colourButton, &QPushButton::clicked, this, &TextFontDialog::pickColour);
    connect(m_presets, &QComboBox::activated, this, [this](int index) {
        const QString preset = m_presets->itemData(index).toString();
        if (preset.isEmpty())
            return;
        m_family->setCurrentFont(QFont(preset.section(QLatin1Char('|'), 0, 0)));
        m_size->setValue(preset.section(QLatin1Char('|'), 1, 1).toInt());
    });
}

void TextFontDialog::setColour(const QColor &colour)
{
    m_colour = colour;
    m_colourButton->setText(colour.name().toUpper());
    m_colourButton->setStyleSheet(QStringLiteral("background-color: %1; color: %2")
                                      .arg(colour.name(), colour.lightness() > 127 ? QStringLiteral("black")
                                                                                   : QStringLiteral("white")));
}

void TextFontDialog::pickColour()
{
    const QColor chosen = QColorDialog::getColor(m_colour, this, fontDialogText("Colour", "颜色", "Colour"));
    if (chosen.isValid())
        setColour(chosen);
}

TextFontChoice TextFontDialog::choice() const
{
    TextFontChoice c;
    c.family = m_family->currentFont().family();
    c.pixelHeight = m_size->value();
    c.colour = m_colour;
    c.bold = m_bold->isChecked();
    c.italic = m_italic->isChecked();
    c.underline = m_underline->isChecked();
    return c;
}
