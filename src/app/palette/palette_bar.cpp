#include "palette/palette_bar.h"

#include "common/app_context.h"
#include "common/app_events.h"
#include "document/document.h"
#include "palette/colour_panel_dialog.h"
#include "palette/colour_panel_model.h"
#include "palette/palette_colours.h"
#include "palette/palette_strip.h"
#include "settings/language.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QFrame>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPainter>
#include <QToolButton>
#include <QVBoxLayout>

namespace {

const char *const kBrushNames[5] = {"None", "Single", "Small", "Large", "Huge"};

// What each brush button does, for its tool tip ("Painting" section).
struct BrushTip
{
    const char *key;
    const char *chinese;
};
const BrushTip kBrushTips[5] = {
    {"BrushNone", "无画刷：画笔每次画一个点"},
    {"BrushSingle", "单点：每次画一个点，然后换到调色板的下一种颜色"},
    {"BrushSmall", "小：以鼠标所在点为中心画 3×3 的方块"},
    {"BrushLarge", "大：以鼠标所在点为中心画 5×5 的方块"},
    {"BrushHuge", "特大：以鼠标所在点为中心画 9×9 的方块"},
};

void paintSwatch(QWidget *w, ColorValue c)
{
    w->setStyleSheet(QStringLiteral("background: %1; border: 1px solid #606060;").arg(qColorOf(c).name()));
}

// The current colour, read from the palette state whenever it is painted, so
// it is never behind a change made elsewhere (a pattern page, painting).
class CurrentColourSwatch : public QFrame
{
public:
    CurrentColourSwatch(const PaletteState &palette, QWidget *parent) : QFrame(parent), m_palette(palette)
    {
        setFrameShape(QFrame::Box);
    }

protected:
    void paintEvent(QPaintEvent *event) override
    {
        {
            QPainter p(this);
            p.fillRect(contentsRect(), qColorOf(m_palette.currentColour));
        }
        QFrame::paintEvent(event);
    }

private:
    const PaletteState &m_palette;
};

} // namespace

PaletteBar::PaletteBar(AppContext &ctx, QWidget *parent) : QWidget(parent), m_ctx(ctx)
{
    setObjectName(QStringLiteral("PaletteBar"));

    m_baseLabel = new QLabel(this);
    auto *swatches = new QGridLayout;
    swatches->setSpacing(2);
    for (int i = 0; i < 8; ++i) {
        auto *b = new QToolButton(this);
        b->setObjectName(QStringLiteral("base%1").arg(i));
        b->setFixedSize(18, 18);
        paintSwatch(b, kBaseColours[size_t(i)]);
        connect(b, &QToolButton::clicked, this, [this, i] {
            m_ctx.palette.currentColour = kBaseColours[size_t(i)];
            refresh();
            emit paletteChanged();
        });
        swatches->addWidget(b, i / 4, i % 4);
        m_base[size_t(i)] = b;
    }
    m_current = new CurrentColourSwatch(ctx.palette, this);
    m_current->setObjectName(QStringLiteral("currentColour"));
    m_current->setFixedSize(38, 38);

    m_composeLabel = new QLabel(this);
    m_strip = new PaletteStrip(ctx.palette, this);
    connect(m_strip, &PaletteStrip::entrySelected, this, [this](int index) {
        m_ctx.palette.selectEntry(index);
        refresh();
        emit paletteChanged();
    });
    connect(m_strip, &PaletteStrip::panelRequested, this, &PaletteBar::openColourPanel);

    m_brushes = new QButtonGroup(this);
    m_brushes->setExclusive(true);
    auto *brushRow = new QHBoxLayout;
    brushRow->setSpacing(2);
    for (int i = 0; i < 5; ++i) {
        auto *b = new QToolButton(this);
        b->setText(QString::fromLatin1(kBrushNames[i]));
        b->setObjectName(QStringLiteral("brush%1").arg(QString::fromLatin1(kBrushNames[i])));
        b->setCheckable(true);
        m_brushes->addButton(b, i);
        brushRow->addWidget(b);
    }
    connect(m_brushes, &QButtonGroup::idClicked, this, &PaletteBar::chooseBrush);
    m_cycle = new QCheckBox(this);
    m_cycle->setObjectName(QStringLiteral("paletteCycle"));
    brushRow->addSpacing(12);
    brushRow->addWidget(m_cycle);
    brushRow->addStretch(1);

    auto *baseColumn = new QVBoxLayout;
    baseColumn->addWidget(m_baseLabel);
    baseColumn->addLayout(swatches);
    auto *stripColumn = new QVBoxLayout;
    stripColumn->addWidget(m_composeLabel);
    stripColumn->addWidget(m_strip);
    stripColumn->addLayout(brushRow);

    auto *layout = new QHBoxLayout(this);
    layout->setContentsMargins(6, 4, 6, 4);
    layout->addLayout(baseColumn);
    layout->addWidget(m_current, 0, Qt::AlignVCenter);
    layout->addLayout(stripColumn, 1);

    // Painting with the Single brush moves the selection with every point,
    // and a palette-flow run with every frame it adds: the bar follows the
    // frames' changes, whether colours changed or frames came.
    connect(&ctx.doc, &Document::frameContentChanged, this, &PaletteBar::refresh);
    connect(&ctx.doc, &Document::framesChanged, this, &PaletteBar::refresh);
    connect(&ctx.events, &AppEvents::languageChanged, this, &PaletteBar::applyTexts);
    applyTexts();
    refresh();
}

QAbstractButton *PaletteBar::brushButton(Brush brush) const
{
    return m_brushes->button(brush == Brush::PenNoBrush ? 0 : int(brush));
}

void PaletteBar::chooseBrush(int id)
{
    // "None" is 5 while the pen is on, so painting knows the pen has no
    // brush.
    m_ctx.palette.brush = id == 0 ? (m_ctx.editing.penEnabled ? Brush::PenNoBrush : Brush::None) : Brush(id);
}

void PaletteBar::refresh()
{
    m_current->update();
    if (QAbstractButton *b = brushButton(m_ctx.palette.brush))
        b->setChecked(true);
    m_strip->update();
}

void PaletteBar::applyTexts()
{
    m_baseLabel->setText(lookedUpText("Label", "LabelBaseColor", QStringLiteral("基本色")));
    m_composeLabel->setText(lookedUpText("Label", "LabelComposeColor", QStringLiteral("合成色")));
    m_cycle->setText(lookedUpText("CheckBox", "PaletteCheckBox", QStringLiteral("调色板颜色循环")));
    for (int i = 0; i < 5; ++i)
        m_brushes->button(i)->setToolTip(
            lookedUpText("Painting", kBrushTips[i].key, QString::fromUtf8(kBrushTips[i].chinese)));
}

void PaletteBar::openColourPanel()
{
    {
        ColourPanelDialog dialog(m_ctx, m_ctx.window ? m_ctx.window : this);
        dialog.exec();
    }
    colourPanelClosed(m_ctx.palette);
    refresh();
    emit paletteChanged();
}
