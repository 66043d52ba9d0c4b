#include "editing/block_move_dialog.h"

#include "common/app_context.h"
#include "document/document.h"
#include "editing/block_geometry.h"
#include "settings/language.h"
#include "transforms/frame_range_fields.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

BlockMoveDialog::BlockMoveDialog(AppContext &ctx, QWidget *parent) : QDialog(parent), m_ctx(ctx)
{
    setObjectName(QStringLiteral("BlockMoveDialog"));
    setWindowTitle(pairedText(QStringLiteral("Block operation"), QStringLiteral("区域移动")));
    const BlockArea &a = ctx.editing.area;
    const bool drawn = a.x0 >= 0;
    const int values[6] = {drawn ? a.x0 + 1 : 1, drawn ? a.y0 + 1 : 1, drawn ? a.width() : 1,
                           drawn ? a.height() : 1, 0, 0};
    const QString labels[6] = {QStringLiteral("X"),
                               QStringLiteral("Y"),
                               pairedText(QStringLiteral("Width"), QStringLiteral("宽度")),
                               pairedText(QStringLiteral("Height"), QStringLiteral("高度")),
                               QStringLiteral("OffX"),
                               QStringLiteral("OffY")};
    const char *names[6] = {"x", "y", "width", "height", "offX", "offY"};
    auto *grid = new QGridLayout;
    for (int i = 0; i < 6; ++i) {
        m_fields[i] = makeNumberField(this, values[i]);
        m_fields[i]->setObjectName(QString::fromLatin1(names[i]));
        // X and Y, width and height, OffX and OffY: two to a row.
        grid->addWidget(new QLabel(labels[i], this), i / 2, (i % 2) * 2);
        grid->addWidget(m_fields[i], i / 2, (i % 2) * 2 + 1);
    }
    m_redefine = new QPushButton(pairedText(QStringLiteral("ReDefine"), QStringLiteral("重新定义")), this);
    m_redefine->setObjectName(QStringLiteral("redefine"));
    m_move = new QPushButton(pairedText(QStringLiteral("Move"), QStringLiteral("移动")), this);
    m_move->setObjectName(QStringLiteral("move"));
    m_move->setDefault(true);
    connect(m_move, &QPushButton::clicked, this, &BlockMoveDialog::move);
    connect(m_redefine, &QPushButton::clicked, this, &BlockMoveDialog::redefine);

    auto *buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(m_redefine);
    buttons->addWidget(m_move);
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(grid);
    layout->addLayout(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);
}

void BlockMoveDialog::move()
{
    const int rows = m_ctx.doc.rows();
    const int cols = m_ctx.doc.cols();
    // Only a block that is drawn and fits the grid can move.
    if (m_ctx.editing.area.usable(rows, cols))
        moveBlock(m_ctx.editing.area, numberIn(m_fields[4]), numberIn(m_fields[5]), rows, cols);
    accept();
}

void BlockMoveDialog::redefine()
{
    redefineBlock(m_ctx.editing.area, numberIn(m_fields[0]), numberIn(m_fields[1]), numberIn(m_fields[2]),
                  numberIn(m_fields[3]), m_ctx.doc.rows(), m_ctx.doc.cols());
    accept();
}
