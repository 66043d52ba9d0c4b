#include "transforms/frame_repeat_dialog.h"

#include "common/run_progress_dialog.h"
#include "document/document.h"
#include "document/frame_repeat.h"
#include "settings/language.h"
#include "settings/prompt.h"
#include "transforms/frame_range_fields.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

FrameRepeatDialog::FrameRepeatDialog(Document &doc, Prompt &prompt, QWidget *parent)
    : QDialog(parent), m_doc(doc), m_prompt(prompt)
{
    setObjectName(QStringLiteral("FrameRepeatDialog"));
    setWindowTitle(captionText("RepeatTitle", "Title", QStringLiteral("帧重复")));

    auto *grid = new QGridLayout;
    m_range = new FrameRangeFields(this, grid, 0, doc.currentIndex(), doc.frameCount(), true, "CopyLabel", "Label1",
                                   "开始帧:", "Label2", "结束帧:");
    m_count = makeNumberField(this, 1);
    m_count->setObjectName(QStringLiteral("repeatCount"));
    grid->addWidget(new QLabel(captionText("LFLabel", "Label1", QStringLiteral("重复次数")), this), 2, 0);
    grid->addWidget(m_count, 2, 1);

    auto *ok = new QPushButton(captionText("AutoButton", "ButtonConfirm", QStringLiteral("确定")), this);
    auto *cancel = new QPushButton(captionText("AutoButton", "ButtonCancel", QStringLiteral("取消")), this);
    ok->setObjectName(QStringLiteral("confirm"));
    ok->setDefault(true);
    connect(ok, &QPushButton::clicked, this, &FrameRepeatDialog::accept);
    connect(cancel, &QPushButton::clicked, this, &FrameRepeatDialog::reject);
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

void FrameRepeatDialog::accept()
{
    const std::optional<FrameRange> range = m_range->range();
    if (!range) {
        m_prompt.inform(frameRangeErrorText(), PromptIcon::Error);
        return;
    }
    RunProgressDialog progress(this, RunProgressDialog::makingFramesText());
    // A cancelled run keeps the copies made so far and closes the dialog
    // like a finished one.
    if (repeatFrames(m_doc, *range, numberIn(m_count), progress.callback()) == RepeatResult::TooManyFrames) {
        m_prompt.inform(tooManyFramesText(), PromptIcon::Error);
        return;
    }
    QDialog::accept();
}
