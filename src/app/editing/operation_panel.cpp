#include "editing/operation_panel.h"

#include "common/app_context.h"
#include "common/app_events.h"
#include "document/document.h"
#include "editing/block_move_dialog.h"
#include "editing/colour_action.h"
#include "editing/painting.h"
#include "settings/language.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QStatusBar>
#include <QToolButton>
#include <QVBoxLayout>

namespace {

const QString kColourActionDefaults[kColourActionCount] = {
    QStringLiteral("替换"), QStringLiteral("反色"), QStringLiteral("相与"), QStringLiteral("相或"),
    QStringLiteral("异或"), QStringLiteral("相加"), QStringLiteral("相减"), QStringLiteral("非与"),
    QStringLiteral("非或"), QStringLiteral("NXOR"), QStringLiteral("非加"), QStringLiteral("非减")};
const QString kSpreadDefaults[3] = {QStringLiteral("正常"), QStringLiteral("整行"), QStringLiteral("整列")};
const QString kAddModeDefaults[3] = {QStringLiteral("插入"), QStringLiteral("覆盖"), QStringLiteral("当前帧")};

void fillItems(QComboBox *box, const char *keyPrefix, const QString *defaults, int n)
{
    const int current = box->currentIndex();
    const QSignalBlocker block(box);
    box->clear();
    for (int i = 0; i < n; ++i) {
        const QByteArray key = keyPrefix + QByteArray::number(i);
        box->addItem(lookedUpText("ComboBox", key.constData(), defaults[i]));
    }
    box->setCurrentIndex(current < 0 ? 0 : current);
}

QPushButton *panelButton(QWidget *owner, const char *name)
{
    auto *b = new QPushButton(owner);
    b->setObjectName(QString::fromLatin1(name));
    b->setFocusPolicy(Qt::NoFocus); // keys stay with the canvas
    return b;
}

} // namespace

OperationPanel::OperationPanel(AppContext &ctx, QWidget *parent) : QWidget(parent), m_ctx(ctx)
{
    setObjectName(QStringLiteral("OperationPanel"));
    // The panel starts with the area not defined, at the middle half of the
    // grid.
    ctx.editing.area = BlockArea::initialFor(ctx.doc.rows(), ctx.doc.cols());

    m_group = new QGroupBox(this);
    m_group->setObjectName(QStringLiteral("operationGroup"));

    // The pattern keys, action type list and command count go here.
    auto *patternHolder = new QWidget(m_group);
    patternHolder->setObjectName(QStringLiteral("patternSlot"));
    m_patternSlot = new QVBoxLayout(patternHolder);
    m_patternSlot->setContentsMargins(0, 0, 0, 0);

    m_colourAction = new QComboBox(m_group);
    m_colourAction->setObjectName(QStringLiteral("colourAction"));
    m_pen = new QToolButton(m_group);
    m_pen->setObjectName(QStringLiteral("pen"));
    m_pen->setText(QStringLiteral("PEN"));
    m_pen->setCheckable(true);
    m_pen->setFocusPolicy(Qt::NoFocus);
    m_pen->setMinimumSize(48, 28);
    // Pressed must be told from released at a glance: painting is on only
    // while it is pressed, and a click on the canvas with it released does
    // nothing but a hint.
    m_pen->setStyleSheet(QStringLiteral(
        "QToolButton#pen { border: 1px solid #8a8a8a; border-radius: 3px; padding: 2px 8px; }"
        "QToolButton#pen:checked { background: #1f7a3a; color: white; font-weight: bold;"
        " border: 2px solid #0b4a1f; }"));
    m_save = panelButton(m_group, "save");
    m_allLight = panelButton(m_group, "allLight");
    m_spread = new QComboBox(m_group);
    m_spread->setObjectName(QStringLiteral("strokeSpread"));
    m_addMode = new QComboBox(m_group);
    m_addMode->setObjectName(QStringLiteral("addMode"));
    m_define = panelButton(m_group, "defineArea");
    m_move = panelButton(m_group, "moveArea");
    m_cancel = panelButton(m_group, "cancelArea");
    m_usbList = new QComboBox(m_group);
    m_usbList->setObjectName(QStringLiteral("usbList"));
    m_usb = new QCheckBox(QStringLiteral("USB"), m_group);
    m_usb->setObjectName(QStringLiteral("usbSwitch"));
    // Unusable until the USB output takes them over.
    m_usbList->setEnabled(false);
    m_usb->setEnabled(false);

    auto *grid = new QGridLayout;
    grid->addWidget(m_colourAction, 0, 0);
    grid->addWidget(m_pen, 0, 1);
    grid->addWidget(m_save, 1, 0);
    grid->addWidget(m_allLight, 1, 1);
    grid->addWidget(m_spread, 2, 0);
    grid->addWidget(m_addMode, 2, 1);
    grid->addWidget(m_define, 3, 0, 1, 2);
    grid->addWidget(m_move, 4, 0);
    grid->addWidget(m_cancel, 4, 1);
    grid->addWidget(m_usbList, 5, 0);
    grid->addWidget(m_usb, 5, 1);

    auto *groupLayout = new QVBoxLayout(m_group);
    groupLayout->addWidget(patternHolder);
    groupLayout->addLayout(grid);
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(4, 4, 4, 4);
    layout->addWidget(m_group);
    layout->addStretch(1);

    connect(m_pen, &QToolButton::clicked, this, &OperationPanel::togglePen);
    connect(m_colourAction, &QComboBox::currentIndexChanged, this, [this](int i) {
        m_ctx.editing.colourAction = colourActionFromIndex(i);
    });
    connect(m_spread, &QComboBox::currentIndexChanged, this, [this](int i) {
        m_ctx.editing.strokeSpread = strokeSpreadFromIndex(i);
    });
    connect(m_addMode, &QComboBox::currentIndexChanged, this, [this](int i) {
        setAddMode(m_ctx.editing, m_ctx.doc, addModeFromIndex(i));
        m_ctx.settings.newFrameCopiesCurrent = i > 0;
    });
    connect(m_save, &QPushButton::clicked, this, [this] { insertCopyOfCurrent(m_ctx.doc); });
    connect(m_allLight, &QPushButton::clicked, this, [this] {
        fillCurrentFrame(m_ctx.doc, m_ctx.editing, m_ctx.palette.currentColour);
    });
    connect(m_define, &QPushButton::clicked, this, &OperationPanel::defineArea);
    connect(m_move, &QPushButton::clicked, this, &OperationPanel::moveArea);
    connect(m_cancel, &QPushButton::clicked, this, &OperationPanel::cancelArea);
    connect(&ctx.events, &AppEvents::languageChanged, this, &OperationPanel::applyTexts);

    applyTexts();
    m_pen->setChecked(ctx.editing.penEnabled);
    m_colourAction->setCurrentIndex(int(ctx.editing.colourAction));
    m_spread->setCurrentIndex(int(ctx.editing.strokeSpread));
    m_addMode->setCurrentIndex(int(ctx.editing.addMode));
}

void OperationPanel::applyTexts()
{
    m_group->setTitle(lookedUpText("Panel", "PanelOp", QStringLiteral("操作")));
    fillItems(m_colourAction, "ComboBoxReplaceItem", kColourActionDefaults, kColourActionCount);
    fillItems(m_spread, "ComboBoxFillItem", kSpreadDefaults, kStrokeSpreadCount);
    fillItems(m_addMode, "ComboBoxAddModeItem", kAddModeDefaults, kAddModeCount);
    m_save->setText(lookedUpText("ToolBar", "ToolButtonSave", QStringLiteral("保存")));
    m_allLight->setText(lookedUpText("ToolBar", "ToolButtonAllLight", QStringLiteral("全亮")));
    m_define->setText(lookedUpText("ToolBar", "ToolButtonBlockSet", QStringLiteral("区域定义")));
    m_move->setText(lookedUpText("ToolBar", "ToolButtonBlockMove", QStringLiteral("区域移动")));
    m_cancel->setText(lookedUpText("ToolBar", "ToolButtonBlockCancel", QStringLiteral("区域取消")));

    // The tooltips are built in: English whenever the language is not
    // mainland Chinese.
    m_colourAction->setToolTip(pairedText(QStringLiteral("The type of color motion"), QStringLiteral("颜色动作类型")));
    m_pen->setToolTip(pairedText(QStringLiteral("Brush"), QStringLiteral("画笔")));
    m_save->setToolTip(pairedText(QStringLiteral("Insert the current frame"), QStringLiteral("插入当前帧")));
    m_allLight->setToolTip(
        pairedText(QStringLiteral("The current frame the entire light"), QStringLiteral("当前帧全亮")));
    m_define->setToolTip(pairedText(QStringLiteral("The definition of a synchronized local area"),
                                    QStringLiteral("定义一个花样局部区域")));
    m_move->setToolTip(pairedText(QStringLiteral("Move this area"), QStringLiteral("移动这个区域")));
    m_cancel->setToolTip(pairedText(QStringLiteral("Cancel this area"), QStringLiteral("取消这个区域")));
    m_usbList->setToolTip(pairedText(QStringLiteral("USB controller list"), QStringLiteral("USB控制器列表")));
    m_usb->setToolTip(pairedText(QStringLiteral("USB Synchronous Transfer Switch"), QStringLiteral("USB同步传输开关")));
}

void OperationPanel::togglePen()
{
    m_ctx.editing.penEnabled = !m_ctx.editing.penEnabled;
    m_ctx.palette.penSwitched(m_ctx.editing.penEnabled);
    m_pen->setChecked(m_ctx.editing.penEnabled);
    // The "Press PEN to paint" hint has been acted on.
    if (m_ctx.editing.penEnabled && m_ctx.statusBar)
        m_ctx.statusBar->clearMessage();
}

void OperationPanel::defineArea()
{
    // Defined, with no rectangle yet: the next press on the canvas draws it.
    m_ctx.editing.area.defined = true;
    m_ctx.editing.area.x0 = -1;
    emit m_ctx.editing.areaChanged();
}

void OperationPanel::moveArea()
{
    BlockMoveDialog dialog(m_ctx, m_ctx.window ? m_ctx.window : this);
    if (dialog.exec() == QDialog::Accepted)
        emit m_ctx.editing.areaChanged();
    emit areaMoveClosed();
}

void OperationPanel::cancelArea()
{
    m_ctx.editing.area.defined = false;
    emit m_ctx.editing.areaChanged();
    emit areaCancelled();
}
