#include "transforms/colour_side_picker.h"

#include "document/colour_replace.h"
#include "settings/language.h"

#include <QColorDialog>
#include <QFrame>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QPushButton>
#include <QToolButton>

QColor toQColor(ColorValue c) { return QColor(int(redOf(c)), int(greenOf(c)), int(blueOf(c))); }

ColorValue fromQColor(const QColor &c) { return makeColor(unsigned(c.red()), unsigned(c.green()), unsigned(c.blue())); }

namespace {

QString cellStyle(ColorValue c)
{
    return QStringLiteral("QToolButton { background: %1; border: 1px solid #808080; }"
                          "QToolButton:checked { border: 3px solid palette(highlight); }")
        .arg(toQColor(c).name());
}

} // namespace

ColourSidePicker::ColourSidePicker(int customIndex, ColorValue custom, PickColour pick, QWidget *parent)
    : QWidget(parent), m_customIndex(customIndex), m_index(customIndex), m_custom(custom), m_pick(std::move(pick))
{
    if (!m_pick)
        m_pick = [](const QColor &initial, QWidget *parent) -> std::optional<QColor> {
            const QColor c = QColorDialog::getColor(initial, parent);
            if (!c.isValid())
                return std::nullopt;
            return c;
        };

    auto *cells = new QGridLayout;
    cells->setSpacing(3);
    for (int i = 0; i < kBasicColourCount; ++i) {
        auto *b = new QToolButton(this);
        b->setCheckable(true);
        b->setAutoRaise(false);
        b->setFixedSize(24, 24);
        b->setStyleSheet(cellStyle(basicColour(i)));
        b->setObjectName(QStringLiteral("cell%1").arg(i));
        connect(b, &QToolButton::clicked, this, [this, i] { choose(i); });
        cells->addWidget(b, i / 4, i % 4);
        m_cells[i] = b;
    }
    m_other = new QPushButton(captionText("CCFPanel", "Panel", QStringLiteral("其他...")), this);
    m_other->setObjectName(QStringLiteral("other"));
    m_other->setCheckable(true);
    m_other->setAutoDefault(false);
    connect(m_other, &QPushButton::clicked, this, &ColourSidePicker::pickCustom);

    m_swatch = new QFrame(this);
    m_swatch->setObjectName(QStringLiteral("swatch"));
    m_swatch->setFrameShape(QFrame::Box);
    m_swatch->setFixedSize(48, 48);
    m_swatch->setAutoFillBackground(true);

    auto *layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addLayout(cells);
    layout->addWidget(m_other);
    layout->addStretch(1);
    layout->addWidget(m_swatch);
    refresh();
}

ColorValue ColourSidePicker::colour() const
{
    return m_index >= 0 && m_index < kBasicColourCount ? basicColour(m_index) : m_custom;
}

void ColourSidePicker::choose(int index)
{
    m_index = index >= 0 && index < kBasicColourCount ? index : m_customIndex;
    refresh();
    emit changed();
}

void ColourSidePicker::pickCustom()
{
    // The button chooses the custom colour even when the colour dialog is
    // cancelled; a picked colour replaces the custom one.
    if (const std::optional<QColor> c = m_pick(toQColor(m_custom), this))
        m_custom = fromQColor(*c);
    choose(m_customIndex);
}

void ColourSidePicker::refresh()
{
    for (int i = 0; i < kBasicColourCount; ++i)
        m_cells[i]->setChecked(i == m_index);
    m_other->setChecked(m_index == m_customIndex);
    QPalette p = m_swatch->palette();
    p.setColor(QPalette::Window, toQColor(colour()));
    m_swatch->setPalette(p);
}
