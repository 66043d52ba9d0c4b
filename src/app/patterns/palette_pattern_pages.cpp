#include "patterns/palette_pattern_pages.h"

#include "common/app_context.h"
#include "patterns/jumping_notes.h"
#include "patterns/palette_fill.h"
#include "settings/language.h"

#include <QComboBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QListWidget>
#include <QRadioButton>

// --- jumping notes --------------------------------------------------------------

NoteJumpPage::NoteJumpPage(AppContext &ctx, QWidget *parent) : PatternPage(ctx, parent)
{
    setObjectName(QStringLiteral("NoteJumpPage"));
    foregroundBox()->parentWidget()->hide(); // the colours are the palette's
    auto *direction = new QGroupBox(lookedUpText("AutoLabel", "Direction", QStringLiteral("方向")), this);
    direction->setObjectName(QStringLiteral("Direction"));
    m_vertical = new QRadioButton(
        lookedUpText("AutoRadioGroup", "RadioGroupDirectionItem0", QStringLiteral("垂直")), direction);
    m_vertical->setObjectName(QStringLiteral("vertical"));
    m_horizontal = new QRadioButton(
        lookedUpText("AutoRadioGroup", "RadioGroupDirectionItem1", QStringLiteral("水平")), direction);
    m_horizontal->setObjectName(QStringLiteral("horizontal"));
    m_vertical->setChecked(true);
    auto *buttons = new QHBoxLayout(direction);
    buttons->addWidget(m_vertical);
    buttons->addWidget(m_horizontal);
    buttons->addStretch(1);
    form()->addRow(direction);

    m_range = new QComboBox(this);
    m_range->setObjectName(QStringLiteral("range"));
    for (int i = 0; i < kJumpingNotesRangeCount; ++i)
        m_range->addItem(jumpingNotesRangeText(i));
    m_range->setCurrentIndex(0);
    form()->addRow(addLabel("Range", QStringLiteral("范围")), m_range);
    m_frames = addNumber("LabelAutoGenerateFrames", QStringLiteral("自动生成帧数"), 100, "frames");
}

int NoteJumpPage::generate(PatternTarget &target)
{
    const JumpingNotesParams p{numberOf(m_frames), m_horizontal->isChecked(), m_range->currentIndex()};
    return runJumpingNotes(target, p, m_ctx.prompt);
}

// --- palette fill -----------------------------------------------------------------

PaletteFillPage::PaletteFillPage(AppContext &ctx, QWidget *parent) : PatternPage(ctx, parent)
{
    setObjectName(QStringLiteral("PaletteFillPage"));
    foregroundBox()->parentWidget()->hide(); // the colours are the palette's
    m_modes = new QListWidget(this);
    m_modes->setObjectName(QStringLiteral("fillModes"));
    for (int mode = 0; mode < kPaletteFillModeCount; ++mode)
        m_modes->addItem(paletteFillModeText(mode));
    m_modes->setCurrentRow(0);
    form()->addRow(m_modes);
}

int PaletteFillPage::generate(PatternTarget &target)
{
    const int mode = m_modes->currentRow();
    if (mode < 0 || !m_modes->currentItem() || !m_modes->currentItem()->isSelected())
        return 0;
    return runPaletteFill(target, {mode, int(m_ctx.editing.colourAction)}, m_ctx.prompt);
}
