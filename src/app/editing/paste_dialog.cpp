#include "editing/paste_dialog.h"

#include "common/app_context.h"
#include "common/run_progress_dialog.h"
#include "document/document.h"
#include "settings/language.h"
#include "transforms/frame_range_fields.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRegularExpressionValidator>
#include <QVBoxLayout>

namespace {

constexpr int kMaxPasteRepeatDigits = 5;

QString overwriteTip()
{
    return pairedText(QStringLiteral("Overwrite mode writes into the frames from the start frame on. Every repetition "
                                     "continues where the previous one stopped; where the sequence ends, new frames "
                                     "are appended and written, so all repetitions are carried out."),
                      QStringLiteral("覆盖模式从起始帧开始写入已有的帧，每次重复接着上一次继续；写到最后一帧之后，"
                                     "在末尾添加新帧继续写入，所有次数都会执行。"));
}

} // namespace

PasteDialog::PasteDialog(AppContext &ctx, QWidget *parent) : QDialog(parent), m_ctx(ctx)
{
    setObjectName(QStringLiteral("PasteDialog"));
    const bool block = ctx.editing.area.usable(ctx.doc.rows(), ctx.doc.cols());
    setWindowTitle(block ? captionText("PasteTitle", "Title1", QStringLiteral("区域粘贴"))
                         : captionText("PasteTitle", "Title2", QStringLiteral("帧粘贴")));

    m_start = makeNumberField(this, ctx.doc.currentIndex() + 1);
    m_start->setObjectName(QStringLiteral("startFrame"));
    m_count = makeNumberField(this, 1);
    // At most 99,999 repetitions: what a paste may add is still checked
    // against the memory, but a field of nine digits invites a mistyped
    // count that no memory would hold.
    m_count->setValidator(new QRegularExpressionValidator(
        QRegularExpression(QStringLiteral("-?[0-9]{0,%1}").arg(kMaxPasteRepeatDigits)), m_count));
    m_count->setObjectName(QStringLiteral("count"));
    m_mode = new QComboBox(this);
    m_mode->setObjectName(QStringLiteral("pasteMode"));
    m_mode->addItem(captionText("PasteComboBox", "ComboBox1Item0", QStringLiteral("插入模式")));
    m_mode->addItem(captionText("PasteComboBox", "ComboBox1Item1", QStringLiteral("覆盖模式")));
    m_mode->setItemData(1, overwriteTip(), Qt::ToolTipRole);
    m_mode->setToolTip(overwriteTip());
    m_direction = new QComboBox(this);
    m_direction->setObjectName(QStringLiteral("direction"));
    const QString directionDefaults[4] = {QStringLiteral("原来方向"), QStringLiteral("水平镜像"),
                                          QStringLiteral("竖直镜像"), QStringLiteral("中心镜像")};
    for (int i = 0; i < 4; ++i) {
        const QByteArray key = "ComboBox2Item" + QByteArray::number(i);
        m_direction->addItem(captionText("PasteComboBox", key.constData(), directionDefaults[i]));
    }
    m_transparent = new QCheckBox(captionText("PasteCheckBox", "CheckBox1", QStringLiteral("透明覆盖")), this);
    m_transparent->setObjectName(QStringLiteral("transparent"));
    m_reverse = new QCheckBox(captionText("PasteCheckBox", "CheckBox2", QStringLiteral("倒序")), this);
    m_reverse->setObjectName(QStringLiteral("reverse"));

    auto *grid = new QGridLayout;
    grid->addWidget(new QLabel(captionText("PasteLabel", "Label1", QStringLiteral("起始帧:")), this), 0, 0);
    grid->addWidget(m_start, 0, 1);
    grid->addWidget(new QLabel(captionText("PasteLabel", "Label2", QStringLiteral("次数:")), this), 1, 0);
    grid->addWidget(m_count, 1, 1);
    grid->addWidget(m_mode, 0, 2);
    grid->addWidget(m_direction, 1, 2);
    grid->addWidget(m_transparent, 2, 1);
    grid->addWidget(m_reverse, 2, 2);

    auto *ok = new QPushButton(captionText("AutoButton", "ButtonConfirm", QStringLiteral("确定")), this);
    auto *cancel = new QPushButton(captionText("AutoButton", "ButtonCancel", QStringLiteral("取消")), this);
    ok->setObjectName(QStringLiteral("confirm"));
    ok->setDefault(true);
    connect(ok, &QPushButton::clicked, this, &PasteDialog::accept);
    connect(cancel, &QPushButton::clicked, this, &PasteDialog::reject);
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

PasteOptions PasteDialog::options() const
{
    PasteOptions o;
    o.start = numberIn(m_start);
    o.count = numberIn(m_count);
    o.overwrite = m_mode->currentIndex() == 1;
    o.transparent = m_transparent->isChecked();
    o.reverse = m_reverse->isChecked();
    o.direction = PasteDirection(m_direction->currentIndex());
    return o;
}

void PasteDialog::accept()
{
    RunProgressDialog progress(this, RunProgressDialog::makingFramesText());
    if (pasteClipboard(m_ctx.doc, m_ctx.editing, options(), m_ctx.prompt, progress.callback())
        == PasteResult::StartInvalid)
        return;
    QDialog::accept();
}
