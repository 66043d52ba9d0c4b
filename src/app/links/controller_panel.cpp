#include "links/controller_panel.h"

#include "document/document.h"
#include "document/save_suggestion.h"
#include "links/order_list_follower.h"
#include "links/parameter_file.h"
#include "links/rgb_order_view.h"
#include "settings/file_access.h"
#include "settings/language.h"
#include "settings/prompt.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDoubleSpinBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QVBoxLayout>

namespace {

// The panel's own texts: Chinese, English, or the Chinese in traditional
// characters.
QString panelText(const char *english, const char *chinese)
{
    return threeWayText(QString::fromUtf8(english), QString::fromUtf8(chinese));
}

const QString kZariFilter = QStringLiteral("Zari file(*.zari)");

} // namespace

ControllerPanel::ControllerPanel(ControllerParams &params, Document &doc, Prompt &prompt, QWidget *parent)
    : QWidget(parent), m_params(params), m_doc(doc), m_prompt(prompt)
{
    setObjectName(QStringLiteral("ControllerPanel"));
    // The list starts as the panel is made: the rows of the grid's base
    // colours.
    m_params.rebuildOrderList(doc.geometry().baseColorNum);
    m_follower = new OrderListFollower(doc, params, this);
    connect(m_follower, &OrderListFollower::orderListRebuilt, this, &ControllerPanel::showValues);

    auto *layout = new QVBoxLayout(this);
    layout->addLayout(buildChoices());
    buildHiddenControls(layout);
    layout->addWidget(buildOrderGroup(), 1);
    connectControls();
    applyTexts();
    showValues();
}

QFormLayout *ControllerPanel::buildChoices()
{
    auto *form = new QFormLayout;
    const auto addChoice = [this, form](QLabel *&label, QComboBox *&box, const char *name) {
        label = new QLabel(this);
        box = new QComboBox(this);
        box->setObjectName(QString::fromLatin1(name));
        form->addRow(label, box);
    };
    addChoice(m_modelLabel, m_model, "ControllerModel");
    m_model->addItems(controllerModelNames());
    addChoice(m_greyLabel, m_grey, "GreyLevels");
    for (int levels : greyLevelChoices())
        m_grey->addItem(QString::number(levels), levels);
    addChoice(m_formatLabel, m_format, "CommunicationFormat");
    m_format->addItems(communicationFormatNames());
    return form;
}

void ControllerPanel::buildHiddenControls(QVBoxLayout *layout)
{
    // The property group, the SD card speed and the scan switch exist with
    // their values but stay hidden; the output reads them all the same.
    m_property = new QGroupBox(this);
    auto *propertyRow = new QHBoxLayout(m_property);
    m_dividerA = new QSpinBox(m_property);
    m_dividerA->setRange(2, 256);
    m_dividerB = new QSpinBox(m_property);
    m_dividerB->setRange(2, 256);
    m_rate = new QDoubleSpinBox(m_property);
    m_rate->setRange(0.3, 25.0);
    m_rate->setDecimals(1);
    propertyRow->addWidget(m_dividerA);
    propertyRow->addWidget(m_dividerB);
    propertyRow->addWidget(m_rate);

    m_sdLabel = new QLabel(this);
    m_sdSpeed = new QSpinBox(this);
    m_sdSpeed->setRange(0, 0x7FFFFFFF);
    m_scan = new QCheckBox(this);
    for (QWidget *w : std::initializer_list<QWidget *>{m_property, m_sdLabel, m_sdSpeed, m_scan}) {
        layout->addWidget(w);
        w->hide();
    }
}

QGroupBox *ControllerPanel::buildOrderGroup()
{
    m_orderGroup = new QGroupBox(this);
    auto *orderLayout = new QVBoxLayout(m_orderGroup);
    auto *cycleRow = new QHBoxLayout;
    m_cycleLabel = new QLabel(m_orderGroup);
    m_cycle = new QLineEdit(m_orderGroup);
    m_cycle->setObjectName(QStringLiteral("Cycle"));
    m_cycle->setMaximumWidth(60);
    cycleRow->addWidget(m_cycleLabel);
    cycleRow->addWidget(m_cycle);
    cycleRow->addStretch();
    orderLayout->addLayout(cycleRow);
    m_cycleNote = new QLabel(m_orderGroup);
    m_cycleNote->setObjectName(QStringLiteral("CycleNote"));
    m_cycleNote->setWordWrap(true);
    m_cycleNote->setStyleSheet(QStringLiteral("color: #b00000;"));
    m_cycleNote->hide();
    orderLayout->addWidget(m_cycleNote);
    m_order = new RgbOrderView(m_orderGroup);
    m_order->setMinimumHeight(160);
    orderLayout->addWidget(m_order, 1);
    auto *buttons = new QHBoxLayout;
    m_null = new QPushButton(QStringLiteral("null"), m_orderGroup);
    m_open = new QPushButton(m_orderGroup);
    m_save = new QPushButton(m_orderGroup);
    buttons->addWidget(m_null);
    buttons->addWidget(m_open);
    buttons->addWidget(m_save);
    orderLayout->addLayout(buttons);
    return m_orderGroup;
}

template <class Value, class Control, class Signal, class Store>
void ControllerPanel::storeEdits(Control *control, Signal signal, Store store)
{
    // showValues() sets the controls from the set; only the user's edits
    // go back into it.
    connect(control, signal, this, [this, store](Value v) {
        if (!m_showing)
            store(v);
    });
}

void ControllerPanel::connectControls()
{
    // Each control writes its value straight into the set.
    ControllerParams &p = m_params;
    storeEdits<int>(m_model, &QComboBox::currentIndexChanged, [&p](int i) {
        if (i >= 0)
            p.controllerModel = i;
    });
    storeEdits<int>(m_grey, &QComboBox::currentIndexChanged, [&p, this](int i) {
        if (i >= 0)
            p.greyLevels = m_grey->itemData(i).toInt();
    });
    storeEdits<int>(m_format, &QComboBox::currentIndexChanged, [&p, this](int i) {
        if (i < 0)
            return;
        p.communicationFormat = i;
        showValues();
    });
    storeEdits<int>(m_dividerA, &QSpinBox::valueChanged, [&p](int v) { p.dividerA = v; });
    storeEdits<int>(m_dividerB, &QSpinBox::valueChanged, [&p](int v) { p.dividerB = v; });
    storeEdits<double>(m_rate, &QDoubleSpinBox::valueChanged, [&p](double v) { p.rate = float(v); });
    storeEdits<int>(m_sdSpeed, &QSpinBox::valueChanged, [&p](int v) { p.sdCardSpeed = v; });
    storeEdits<bool>(m_scan, &QCheckBox::toggled, [&p](bool on) { p.scanEnhancement = on ? 1 : 0; });

    connect(m_cycle, &QLineEdit::textEdited, this, &ControllerPanel::cycleEdited);
    connect(m_null, &QPushButton::clicked, this, [this] {
        m_params.addNullRow();
        showOrderList();
    });
    connect(m_open, &QPushButton::clicked, this, &ControllerPanel::openParameterFile);
    connect(m_save, &QPushButton::clicked, this, &ControllerPanel::saveParameterFile);
    // The view is rebuilt after the drop has finished with its items.
    connect(m_order, &RgbOrderView::rowDropped, this,
            [this](int from, int target) {
                const int at = m_params.orderList.moveRow(from, target);
                showOrderList();
                if (at >= 0)
                    m_order->setCurrentItem(m_order->topLevelItem(at));
            },
            Qt::QueuedConnection);
}

void ControllerPanel::applyTexts()
{
    m_modelLabel->setText(panelText("Controller", "控制器："));
    m_property->setTitle(panelText("Property", "属性："));
    m_greyLabel->setText(panelText("Gray", "灰度级别："));
    m_formatLabel->setText(panelText("Format", "通信格式："));
    m_sdLabel->setText(panelText("SD SPEED", "SD卡速度："));
    m_scan->setText(panelText("scan", "扫描增强"));
    m_orderGroup->setTitle(panelText("RGB order", "RGB顺序"));
    m_cycleLabel->setText(panelText("Cycle", "周期："));
    m_open->setText(panelText("open", "打开"));
    m_save->setText(panelText("save", "保存"));
    m_cycleNote->setText(panelText("The cycle must be a whole number from 1 to 4096; the list is kept.",
                                   "周期必须是1到4096之间的整数，列表保持不变。"));
}

void ControllerPanel::showValues()
{
    m_showing = true;
    m_model->setCurrentIndex(m_params.controllerModel);
    m_format->setCurrentIndex(m_params.communicationFormat);
    const int greyIndex = greyLevelChoices().indexOf(m_params.greyLevels);
    m_grey->setCurrentIndex(greyIndex >= 0 ? greyIndex : kInitialGreyLevelIndex);
    m_dividerA->setValue(m_params.dividerA);
    m_dividerB->setValue(m_params.dividerB);
    m_rate->setValue(double(m_params.rate));
    m_sdSpeed->setValue(m_params.sdCardSpeed);
    m_scan->setChecked(m_params.scanEnhancement != 0);
    if (m_cycle->text() != QString::number(m_params.cycle))
        m_cycle->setText(QString::number(m_params.cycle));
    m_cycleNote->hide();
    m_showing = false;
    showOrderList();
}

void ControllerPanel::showOrderList()
{
    m_order->showList(m_params.orderList);
}

void ControllerPanel::cycleEdited(const QString &text)
{
    // Every change of the edit rebuilds the list. A cycle below 1 would
    // leave the list empty and divide by zero in the output; it is refused
    // with a note beside the edit (a message box would interrupt every
    // retyping of the number).
    bool ok = false;
    const int cycle = text.trimmed().toInt(&ok);
    if (!ok || cycle < 1 || cycle > kMaxCycle) {
        m_cycleNote->show();
        return;
    }
    m_cycleNote->hide();
    m_params.changeCycle(cycle, m_doc.geometry().baseColorNum);
    showOrderList();
}

void ControllerPanel::openParameterFile()
{
    const QString path = m_prompt.chooseOpenFile(QString(), kZariFilter);
    if (path.isEmpty())
        return;
    const ParameterFileResult r = readParameterFile(path);
    switch (r.kind) {
    case ParameterFileResult::Loaded:
        applyParameterFile(m_params, *r.contents);
        showValues();
        break;
    case ParameterFileResult::NotParameterFile:
        break;
    case ParameterFileResult::Failed:
        m_prompt.inform(r.message, PromptIcon::Error);
        break;
    }
}

void ControllerPanel::saveParameterFile()
{
    const QString path = m_prompt.chooseSaveFile(QString(), kZariFilter, saveSuggestion(m_doc, QStringLiteral("zari")),
                                                 QStringLiteral("zari"));
    if (path.isEmpty())
        return;
    QString reason;
    if (!writeParameterFile(path, m_params, &reason))
        // The same fixed text as the other saves of the panels, then what
        // the system said.
        m_prompt.inform(withSystemReason(QStringLiteral("Save file fail."), reason), PromptIcon::Error);
}
