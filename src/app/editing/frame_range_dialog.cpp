#include "editing/frame_range_dialog.h"

#include "common/app_context.h"
#include "document/document.h"
#include "editing/range_operations.h"
#include "settings/language.h"
#include "transforms/frame_range_fields.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QPushButton>
#include <QVBoxLayout>

FrameRangeDialog::FrameRangeDialog(AppContext &ctx, int mode, QWidget *parent)
    : QDialog(parent), m_ctx(ctx), m_mode(mode)
{
    setObjectName(QStringLiteral("FrameRangeDialog"));
    // One title per mode: "Title1" .. "Title8".
    const QByteArray titleKey = "Title" + QByteArray::number(mode);
    setWindowTitle(captionText("CopyTitle", titleKey.constData(), QStringLiteral("剪切复制删除")));

    auto *grid = new QGridLayout;
    m_fields = new FrameRangeFields(this, grid, 0, ctx.doc.currentIndex(), ctx.doc.frameCount(), true, "CopyLabel",
                                    "Label1", "开始帧:", "Label2", "结束帧:");

    auto *ok = new QPushButton(captionText("AutoButton", "ButtonConfirm", QStringLiteral("确定")), this);
    auto *cancel = new QPushButton(captionText("AutoButton", "ButtonCancel", QStringLiteral("取消")), this);
    ok->setObjectName(QStringLiteral("confirm"));
    cancel->setObjectName(QStringLiteral("cancel"));
    ok->setDefault(true);
    connect(ok, &QPushButton::clicked, this, &FrameRangeDialog::accept);
    connect(cancel, &QPushButton::clicked, this, &FrameRangeDialog::reject);
    auto *buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(ok);
    buttons->addWidget(cancel);

    auto *layout = new QVBoxLayout(this);
    layout->addLayout(grid);
    layout->addSpacing(6);
    layout->addLayout(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);
}

void FrameRangeDialog::accept()
{
    if (runFrameRange(m_ctx.doc, m_ctx.editing, m_mode, m_fields->start(), m_fields->end(), m_ctx.prompt))
        QDialog::accept();
}
