#include "palette/colour_panel_dialog.h"

#include "common/app_context.h"
#include "document/document.h"
#include "document/save_suggestion.h"
#include "palette/colour_table_view.h"
#include "palette/palette_colours.h"
#include "palette/working_list_view.h"
#include "settings/language.h"

#include <QColorDialog>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QSlider>
#include <QSpinBox>
#include <QVBoxLayout>

namespace {

QPushButton *button(QWidget *owner, const char *name, const char *key, const QString &chinese)
{
    auto *b = new QPushButton(captionText("CFButton", key, chinese), owner);
    b->setObjectName(QString::fromLatin1(name));
    b->setAutoDefault(false);
    return b;
}

void showColour(QPushButton *b, ColorValue c)
{
    b->setStyleSheet(QStringLiteral("QPushButton { background: %1; min-width: 40px; }").arg(qColorOf(c).name()));
}

} // namespace

ColourPanelDialog::ColourPanelDialog(AppContext &ctx, QWidget *parent)
    : QDialog(parent), m_ctx(ctx),
      // The open document's base colours and program mode, which New and
      // Open set; the settings hold only the values the editor started with.
      m_model(ctx.palette, ctx.doc.geometry().baseColorNum, ctx.doc.geometry().scanMode, ctx.prompt)
{
    setObjectName(QStringLiteral("ColourPanelDialog"));
    setWindowTitle(captionText("CFTitle", "Title", QStringLiteral("调色板")));
    m_model.setProjectPath(projectPathForSaves(ctx.doc));
    pickColour = [](const QColor &initial, QWidget *owner) -> std::optional<QColor> {
        const QColor c = QColorDialog::getColor(initial, owner);
        if (!c.isValid())
            return std::nullopt;
        return c;
    };

    QLayout *choice = buildTableChoice();
    m_table = new ColourTableView(m_model, this);
    m_readout = new QLabel(this);
    m_readout->setObjectName(QStringLiteral("readout"));
    m_readout->setMinimumWidth(200);
    connect(m_table, &ColourTableView::clicked, this, [this] {
        showSliders();
        workingChanged();
    });
    connect(m_table, &ColourTableView::hovered, m_readout, &QLabel::setText);
    auto *lower = new QHBoxLayout;
    lower->addLayout(buildSliders(), 1);
    lower->addWidget(m_readout);
    QLayout *listRow = buildWorkingList();
    QLayout *okRow = buildConfirmRow();

    auto *layout = new QVBoxLayout(this);
    layout->addLayout(choice);
    layout->addWidget(new QLabel(captionText("CFLabel", "LabelBaseColor", QStringLiteral("基本色")), this));
    layout->addWidget(m_table, 1);
    layout->addLayout(lower);
    layout->addLayout(listRow);
    layout->addLayout(okRow);

    tableRebuilt();
    workingChanged();
}

QLayout *ColourPanelDialog::buildTableChoice()
{
    m_mode = new QComboBox(this);
    m_mode->setObjectName(QStringLiteral("tableMode"));
    // The table modes have no language keys.
    m_mode->addItems({threeWayText(QStringLiteral("Single color"), QStringLiteral("纯色")),
                      threeWayText(QStringLiteral("Mixed color"), QStringLiteral("混合色")),
                      threeWayText(QStringLiteral("Customize"), QStringLiteral("自定义"))});
    m_grade = new QComboBox(this);
    m_grade->setObjectName(QStringLiteral("grades"));
    const QString gradeDefaults[4] = {QStringLiteral("16等级"), QStringLiteral("32等级"), QStringLiteral("64等级"),
                                      QStringLiteral("128等级")};
    for (int i = 0; i < 4; ++i) {
        const QByteArray key = "ComboBoxColorGradeItem" + QByteArray::number(i);
        m_grade->addItem(captionText("CFComboBox", key.constData(), gradeDefaults[i]));
    }
    // A normal program has one grade per row; there is nothing to choose.
    m_grade->setEnabled(m_model.gradesSelectable());
    m_startButton = new QPushButton(this);
    m_startButton->setObjectName(QStringLiteral("customStart"));
    m_endButton = new QPushButton(this);
    m_endButton->setObjectName(QStringLiteral("customEnd"));
    for (QPushButton *b : {m_startButton, m_endButton})
        b->setAutoDefault(false);

    connect(m_mode, &QComboBox::currentIndexChanged, this, [this](int i) {
        m_model.setMode(TableMode(i));
        tableRebuilt();
    });
    connect(m_grade, &QComboBox::currentIndexChanged, this, [this](int i) {
        m_model.setGradeIndex(i);
        tableRebuilt();
    });
    connect(m_startButton, &QPushButton::clicked, this, [this] { pickCustomColour(true); });
    connect(m_endButton, &QPushButton::clicked, this, [this] { pickCustomColour(false); });

    auto *choice = new QHBoxLayout;
    choice->addWidget(m_mode);
    choice->addSpacing(12);
    choice->addWidget(new QLabel(captionText("CFLabel", "LabelColorGrade", QStringLiteral("渐变颜色等级")), this));
    choice->addWidget(m_grade);
    choice->addSpacing(12);
    choice->addWidget(m_startButton);
    choice->addWidget(m_endButton);
    choice->addStretch(1);
    return choice;
}

void ColourPanelDialog::pickCustomColour(bool start)
{
    const ColorValue old = start ? m_model.customStart() : m_model.customEnd();
    const std::optional<QColor> c = pickColour(qColorOf(old), this);
    if (!c)
        return;
    if (start)
        m_model.setCustomColours(colorValueOf(*c), m_model.customEnd());
    else
        m_model.setCustomColours(m_model.customStart(), colorValueOf(*c));
    tableRebuilt();
}

QLayout *ColourPanelDialog::buildSliders()
{
    auto *sliders = new QGridLayout;
    const char *labelKeys[3] = {"LabelRed", "LabelGreen", "LabelBlue"};
    const QString labelDefaults[3] = {QStringLiteral("红"), QStringLiteral("绿"), QStringLiteral("蓝")};
    for (int c = 0; c < 3; ++c) {
        m_sliders[size_t(c)] = new QSlider(Qt::Horizontal, this);
        m_sliders[size_t(c)]->setObjectName(QStringLiteral("slider%1").arg(c));
        m_numbers[size_t(c)] = new QSpinBox(this);
        m_numbers[size_t(c)]->setObjectName(QStringLiteral("number%1").arg(c));
        sliders->addWidget(new QLabel(captionText("CFLabel", labelKeys[c], labelDefaults[c]), this), c, 0);
        sliders->addWidget(m_sliders[size_t(c)], c, 1);
        sliders->addWidget(m_numbers[size_t(c)], c, 2);
        connect(m_sliders[size_t(c)], &QSlider::valueChanged, this, [this, c](int v) { sliderMoved(c, v); });
        // Typing a number moves its slider, which does the rest.
        connect(m_numbers[size_t(c)], &QSpinBox::valueChanged, m_sliders[size_t(c)], &QSlider::setValue);
    }
    return sliders;
}

QLayout *ColourPanelDialog::buildWorkingList()
{
    auto *group = new QGroupBox(captionText("CFGroupBox", "GroupBoxSelectPalette", QStringLiteral("被选中的色板")), this);
    m_working = new WorkingListView(m_model.working(), group);
    m_count = new QLabel(group);
    m_count->setObjectName(QStringLiteral("workingCount"));
    auto *groupLayout = new QVBoxLayout(group);
    groupLayout->addWidget(m_working);
    groupLayout->addWidget(m_count);

    // Each button changes the working list and shows it again.
    auto *fileButtons = new QVBoxLayout;
    const auto addButton = [this, fileButtons](const char *name, const char *key, const QString &chinese,
                                               std::function<void()> change) {
        QPushButton *b = button(this, name, key, chinese);
        fileButtons->addWidget(b);
        connect(b, &QPushButton::clicked, this, [this, change] {
            change();
            workingChanged();
        });
    };
    addButton("open", "OpenBtn", QStringLiteral("打开色板"), [this] { m_model.openWithDialog(); });
    addButton("save", "SaveBtn", QStringLiteral("保存色板"), [this] { m_model.saveWithDialog(); });
    addButton("restore", "RestoreBtn", QStringLiteral("恢复"), [this] { m_model.restore(m_ctx.palette); });
    addButton("clear", "ClearBtn", QStringLiteral("清空"), [this] { m_model.clear(); });
    addButton("delete", "DeleteBtn", QStringLiteral("删除"), [this] { m_model.deleteLast(); });
    addButton("system", "SysBtn", QStringLiteral("系统色板"), [this] {
        if (const std::optional<QColor> c = pickColour(Qt::white, this))
            m_model.append(colorValueOf(*c));
    });
    fileButtons->addStretch(1);

    auto *listRow = new QHBoxLayout;
    listRow->addWidget(group, 1);
    listRow->addLayout(fileButtons);
    return listRow;
}

QLayout *ColourPanelDialog::buildConfirmRow()
{
    auto *ok = new QPushButton(captionText("AutoButton", "ButtonConfirm", QStringLiteral("确定")), this);
    ok->setObjectName(QStringLiteral("confirm"));
    auto *cancel = new QPushButton(captionText("AutoButton", "ButtonCancel", QStringLiteral("取消")), this);
    cancel->setObjectName(QStringLiteral("cancel"));
    ok->setDefault(true);
    connect(ok, &QPushButton::clicked, this, &ColourPanelDialog::accept);
    connect(cancel, &QPushButton::clicked, this, &ColourPanelDialog::reject);
    auto *okRow = new QHBoxLayout;
    okRow->addStretch(1);
    okRow->addWidget(ok);
    okRow->addWidget(cancel);
    return okRow;
}

void ColourPanelDialog::tableRebuilt()
{
    m_syncing = true;
    for (int c = 0; c < 3; ++c) {
        m_sliders[size_t(c)]->setRange(0, m_model.sliderMaximum());
        m_numbers[size_t(c)]->setRange(0, m_model.sliderMaximum());
    }
    m_syncing = false;
    showCustomColours();
    showSliders();
    m_table->update();
}

void ColourPanelDialog::showCustomColours()
{
    const bool custom = m_model.mode() == TableMode::Custom;
    m_startButton->setEnabled(custom);
    m_endButton->setEnabled(custom);
    showColour(m_startButton, m_model.customStart());
    showColour(m_endButton, m_model.customEnd());
}

void ColourPanelDialog::showSliders()
{
    m_syncing = true;
    for (int c = 0; c < 3; ++c) {
        m_sliders[size_t(c)]->setValue(m_model.sliders()[size_t(c)]);
        m_numbers[size_t(c)]->setValue(m_model.sliders()[size_t(c)]);
    }
    m_syncing = false;
}

void ColourPanelDialog::sliderMoved(int channel, int value)
{
    m_numbers[size_t(channel)]->blockSignals(true);
    m_numbers[size_t(channel)]->setValue(value);
    m_numbers[size_t(channel)]->blockSignals(false);
    if (m_syncing)
        return;
    m_model.setSlider(channel, value);
    m_table->update();
}

void ColourPanelDialog::workingChanged()
{
    m_count->setText(QString::number(m_model.working().size()) + QStringLiteral(" / 512"));
    m_working->update();
}

void ColourPanelDialog::accept()
{
    // An empty working list closes the panel as Cancel does.
    if (m_model.acceptInto(m_ctx.palette))
        QDialog::accept();
    else
        QDialog::reject();
}
