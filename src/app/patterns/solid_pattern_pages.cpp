#include "patterns/solid_pattern_pages.h"

#include "common/app_context.h"
#include "document/document.h"
#include "patterns/blinds.h"
#include "patterns/curtain.h"
#include "patterns/flow_direction.h"
#include "patterns/water_drip.h"
#include "settings/language.h"

#include <QComboBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QIntValidator>
#include <QLabel>
#include <QLineEdit>

// --- curtain ------------------------------------------------------------------

CurtainPage::CurtainPage(AppContext &ctx, QWidget *parent) : PatternPage(ctx, parent)
{
    setObjectName(QStringLiteral("CurtainPage"));
    m_step = addNumber("LabelPerGrid", QStringLiteral("每次几个"), 1, "step");
    m_direction = addDirection();
}

int CurtainPage::generate(PatternTarget &target)
{
    const CurtainParams p{foregroundBox()->currentIndex(), backgroundBox()->currentIndex(), numberOf(m_step),
                          m_direction->currentIndex()};
    return runCurtain(target, p, m_ctx.prompt);
}

// --- blinds -------------------------------------------------------------------

BlindsPage::BlindsPage(AppContext &ctx, QWidget *parent) : PatternPage(ctx, parent)
{
    setObjectName(QStringLiteral("BlindsPage"));
    m_step = addNumber("LabelPerGrid", QStringLiteral("每次几个"), 1, "step");
    m_direction = addDirection();
    m_slats = addNumber("LabelBlockNumber", QStringLiteral("块数"), 2, "slats");
    m_repeat = addNumber("LabelRepeatTime", QStringLiteral("重复次数"), 1, "repeat");
}

int BlindsPage::generate(PatternTarget &target)
{
    const BlindsParams p{foregroundBox()->currentIndex(), backgroundBox()->currentIndex(), numberOf(m_step),
                         m_direction->currentIndex(),     numberOf(m_slats),              numberOf(m_repeat)};
    return runBlinds(target, p, m_ctx.prompt);
}

// --- stacking blocks ------------------------------------------------------------

StackingPage::StackingPage(AppContext &ctx, QWidget *parent)
    : PatternPage(ctx, parent),
      // The area is the one defined when the page appears, not at confirm.
      m_area(generationArea(ctx.editing.area, ctx.doc.rows(), ctx.doc.cols()))
{
    setObjectName(QStringLiteral("StackingPage"));
    // The foreground may also be a palette flow in one of ten directions.
    for (int d = 0; d < kFlowDirectionCount; ++d)
        foregroundBox()->addItem(flowDirectionText(d));

    auto *sizeRow = new QHBoxLayout;
    m_height = new QLineEdit(QStringLiteral("2"), this);
    m_height->setObjectName(QStringLiteral("blockHeight"));
    m_height->setValidator(new QIntValidator(m_height));
    m_width = new QLineEdit(QStringLiteral("2"), this);
    m_width->setObjectName(QStringLiteral("blockWidth"));
    m_width->setValidator(new QIntValidator(m_width));
    sizeRow->addWidget(m_height);
    sizeRow->addWidget(new QLabel(QStringLiteral("X"), this));
    sizeRow->addWidget(m_width);
    form()->addRow(addLabel("LabelPerGrid", QStringLiteral("积木大小：")), sizeRow);
    m_frequency = addNumber("Frequency", QStringLiteral("频率"), 4, "frequency");
    m_direction = addDirection();
}

int StackingPage::generate(PatternTarget &target)
{
    StackingParams p;
    p.foreground = foregroundBox()->currentIndex();
    p.background = backgroundBox()->currentIndex();
    p.blockHeight = numberOf(m_height);
    p.blockWidth = numberOf(m_width);
    p.frequency = numberOf(m_frequency);
    p.direction = m_direction->currentIndex();
    p.area = m_area;
    return runStacking(target, p, m_ctx.prompt);
}

// --- water drip -------------------------------------------------------------------

WaterDripPage::WaterDripPage(AppContext &ctx, QWidget *parent) : PatternPage(ctx, parent)
{
    setObjectName(QStringLiteral("WaterDripPage"));
    m_pattern = new QComboBox(this);
    m_pattern->setObjectName(QStringLiteral("dripPattern"));
    m_pattern->addItem(waterDripPatternText(0));
    m_pattern->addItem(waterDripPatternText(1));
    m_pattern->setCurrentIndex(0);
    form()->addRow(addLabel("LabelMode", QStringLiteral("方式")), m_pattern);
}

int WaterDripPage::generate(PatternTarget &target)
{
    const WaterDripParams p{foregroundBox()->currentIndex(), backgroundBox()->currentIndex(),
                            m_pattern->currentIndex()};
    return runWaterDrip(target, p, m_ctx.prompt);
}
