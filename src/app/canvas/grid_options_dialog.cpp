#include "canvas/grid_options_dialog.h"

#include "canvas/canvas_view.h"
#include "canvas/colour_button.h"
#include "common/app_context.h"
#include "settings/language.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QIntValidator>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

GridOptionsDialog::GridOptionsDialog(AppContext &ctx, CanvasView &view, QWidget *parent)
    : QDialog(parent), m_ctx(ctx), m_view(view)
{
    const GridOptions o = currentGridOptions(ctx, view);
    setWindowTitle(captionText("OPTitle", "Title", QStringLiteral("网格选项")));

    // The edits take any 16-bit number, so that a zero or negative size
    // reaches the confirm step and is refused there with its message.
    auto makeEdit = [this](int value) {
        auto *e = new QLineEdit(QString::number(value), this);
        e->setValidator(new QIntValidator(-32768, 32767, e));
        return e;
    };
    m_width = makeEdit(o.celWidth);
    m_height = makeEdit(o.celHeight);
    m_gridLine = new ColourButton(o.gridLineColor, this);
    m_background = new ColourButton(o.backgroundColor, this);

    auto *form = new QFormLayout;
    form->addRow(captionText("OPLabel", "Label1", QStringLiteral("网格宽")), m_width);
    form->addRow(captionText("OPLabel", "Label2", QStringLiteral("网格高")), m_height);
    form->addRow(captionText("OPLabel", "Label3", QStringLiteral("网格线颜色")), m_gridLine);
    form->addRow(captionText("OPLabel", "Label4", QStringLiteral("背景颜色")), m_background);

    auto *shapeBox = new QGroupBox(captionText("OPRadioGroup", "RadioGroup1", QStringLiteral("网格形状")), this);
    m_square = new QRadioButton(captionText("OPRadioGroup", "RadioGroup1Item0", QStringLiteral("方形")), shapeBox);
    m_round = new QRadioButton(captionText("OPRadioGroup", "RadioGroup1Item1", QStringLiteral("圆形")), shapeBox);
    (o.shape == CellShape::Round ? m_round : m_square)->setChecked(true);
    auto *shapeLayout = new QHBoxLayout(shapeBox);
    shapeLayout->addWidget(m_square);
    shapeLayout->addWidget(m_round);

    auto *buttons = new QDialogButtonBox(this);
    buttons->addButton(captionText("AutoButton", "ButtonConfirm", QStringLiteral("确定")), QDialogButtonBox::AcceptRole)
        ->setDefault(true);
    buttons->addButton(captionText("AutoButton", "ButtonCancel", QStringLiteral("取消")), QDialogButtonBox::RejectRole);
    connect(buttons, &QDialogButtonBox::accepted, this, &GridOptionsDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &GridOptionsDialog::reject);

    auto *layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(shapeBox);
    layout->addWidget(buttons);
}

GridOptions GridOptionsDialog::values() const
{
    GridOptions o;
    // An empty or unreadable edit counts as 0 and is refused.
    o.celWidth = m_width->text().trimmed().toInt();
    o.celHeight = m_height->text().trimmed().toInt();
    o.shape = m_round->isChecked() ? CellShape::Round : CellShape::Square;
    o.gridLineColor = m_gridLine->colour();
    o.backgroundColor = m_background->colour();
    return o;
}

void GridOptionsDialog::accept()
{
    if (applyGridOptions(m_ctx, m_view, values()))
        QDialog::accept();
}

void runGridOptionsDialog(AppContext &ctx, CanvasView &view)
{
    GridOptionsDialog dialog(ctx, view, ctx.window ? ctx.window : static_cast<QWidget *>(&view));
    dialog.exec();
}
