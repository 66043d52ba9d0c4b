#include "transforms/colour_replace_dialog.h"

#include "document/document.h"
#include "settings/language.h"
#include "settings/prompt.h"
#include "transforms/frame_range_fields.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

// Opening colours of the two custom cells.
constexpr ColorValue kOpeningOld = 0x0064FF;
constexpr ColorValue kOpeningNew = 0x64FF00;

struct OrderItem
{
    const char *key;
    const char *chinese;
};

// Each item names the new order of the old components and what it does.
const OrderItem kOrderItems[kComponentOrderCount] = {
    {"ComboBox1Item0", "RGB → RBG（绿、蓝互换）"},
    {"ComboBox1Item1", "RGB → GRB（红、绿互换）"},
    {"ComboBox1Item2", "RGB → GBR（依次左移）"},
    {"ComboBox1Item3", "RGB → BRG（依次右移）"},
    {"ComboBox1Item4", "RGB → BGR（红、蓝互换）"},
};

QGroupBox *sideBox(const QString &title, ColourSidePicker *picker, QWidget *parent)
{
    auto *box = new QGroupBox(title, parent);
    auto *l = new QVBoxLayout(box);
    l->addWidget(picker);
    return box;
}

} // namespace

QString ColourReplaceDialog::orderText(int index)
{
    if (index < 0 || index >= kComponentOrderCount)
        return QString();
    return captionText("CCFComboBox", kOrderItems[index].key, QString::fromUtf8(kOrderItems[index].chinese));
}

ColourReplaceDialog::ColourReplaceDialog(Document &doc, Prompt &prompt, QWidget *parent,
                                         ColourSidePicker::PickColour pick)
    : QDialog(parent), m_doc(doc), m_prompt(prompt)
{
    setObjectName(QStringLiteral("ColourReplaceDialog"));
    setWindowTitle(captionText("CCFTitle", "Title", QStringLiteral("颜色替换")));

    m_old = new ColourSidePicker(kOldCustomIndex, kOpeningOld, pick, this);
    m_new = new ColourSidePicker(kNewCustomIndex, kOpeningNew, pick, this);
    m_old->setObjectName(QStringLiteral("oldSide"));
    m_new->setObjectName(QStringLiteral("newSide"));

    m_reorder = new QCheckBox(captionText("CCFCheckBox", "CheckBox1", QStringLiteral("RGB分量替换")), this);
    m_reorder->setObjectName(QStringLiteral("reorder"));
    m_order = new QComboBox(this);
    m_order->setObjectName(QStringLiteral("order"));
    for (int i = 0; i < kComponentOrderCount; ++i)
        m_order->addItem(orderText(i));
    m_order->setEnabled(false);
    connect(m_reorder, &QCheckBox::toggled, m_order, &QComboBox::setEnabled);
    auto *reorderRow = new QHBoxLayout;
    reorderRow->addWidget(m_reorder);
    reorderRow->addWidget(m_order, 1);

    auto *rangeGrid = new QGridLayout;
    m_range = new FrameRangeFields(this, rangeGrid, 0, doc.currentIndex(), doc.frameCount(), false, "CCFLabel",
                                   "Label3", "开始帧", "Label4", "结束帧");

    auto *ok = new QPushButton(captionText("AutoButton", "ButtonConfirm", QStringLiteral("确定")), this);
    auto *cancel = new QPushButton(captionText("AutoButton", "ButtonCancel", QStringLiteral("取消")), this);
    ok->setObjectName(QStringLiteral("confirm"));
    ok->setDefault(true);
    connect(ok, &QPushButton::clicked, this, &ColourReplaceDialog::accept);
    connect(cancel, &QPushButton::clicked, this, &ColourReplaceDialog::reject);
    auto *buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(ok);
    buttons->addWidget(cancel);

    auto *layout = new QVBoxLayout(this);
    layout->addWidget(sideBox(captionText("CCFLabel", "Label1", QStringLiteral("原来颜色")), m_old, this));
    layout->addWidget(sideBox(captionText("CCFLabel", "Label2", QStringLiteral("新的颜色")), m_new, this));
    layout->addLayout(reorderRow);
    layout->addLayout(rangeGrid);
    layout->addSpacing(6);
    layout->addLayout(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);
}

ColourReplacement ColourReplaceDialog::replacement() const
{
    ColourReplacement r;
    r.oldIndex = m_old->index();
    r.newIndex = m_new->index();
    r.oldCustom = m_old->customColour();
    r.newCustom = m_new->customColour();
    r.reorder = m_reorder->isChecked();
    r.order = ComponentOrder(std::clamp(m_order->currentIndex(), 0, kComponentOrderCount - 1));
    return r;
}

void ColourReplaceDialog::accept()
{
    const std::optional<FrameRange> range = m_range->range();
    if (!range) {
        m_prompt.inform(frameRangeErrorText(), PromptIcon::Error);
        return;
    }
    const ColourReplacement r = replacement();
    if (r.sidesAreSame()) {
        m_prompt.inform(sameColourText(), PromptIcon::Warning);
        return;
    }
    replaceColours(m_doc, *range, r);
    QDialog::accept();
}
