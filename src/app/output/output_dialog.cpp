#include "output/output_dialog.h"

#include "document/document.h"
#include "document/save_suggestion.h"
#include "output/output_checks.h"
#include "settings/language.h"
#include "settings/prompt.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

// Chinese shows the dialog's own texts; the other languages read them from
// the language file (traditional from its converted Chinese).
QString dialogText(const char *section, const char *key, const QString &chinese)
{
    return captionText(section, key, chinese);
}

int fieldNumber(const QLineEdit *edit)
{
    bool ok = false;
    const int v = edit->text().trimmed().toInt(&ok);
    // Text that is not a number counts as 0 and is refused like it.
    return ok ? v : 0;
}

} // namespace

OutputDialog::OutputDialog(Document &doc, const ControllerParams &panel, CircuitryKind circuitry, Prompt &prompt,
                           QWidget *parent)
    : QDialog(parent), m_doc(doc), m_panel(panel), m_values(panel), m_circuitry(circuitry), m_prompt(prompt)
{
    setObjectName(QStringLiteral("OutputDialog"));
    m_group = new QGroupBox(this);
    auto *grid = new QGridLayout(m_group);
    m_fromLabel = new QLabel(m_group);
    m_from = new QLineEdit(QStringLiteral("1"), m_group);
    m_from->setObjectName(QStringLiteral("FromFrame"));
    m_fromUnit = new QLabel(m_group);
    m_toLabel = new QLabel(m_group);
    m_to = new QLineEdit(QString::number(doc.frameCount()), m_group);
    m_to->setObjectName(QStringLiteral("ToFrame"));
    m_toUnit = new QLabel(m_group);
    m_speedLabel = new QLabel(m_group);
    m_speed = new QLineEdit(QStringLiteral("30"), m_group);
    m_speed->setObjectName(QStringLiteral("Speed"));
    m_speedUnit = new QLabel(m_group);
    for (QLineEdit *e : {m_from, m_to, m_speed})
        e->setMaximumWidth(80);
    grid->addWidget(m_fromLabel, 0, 0);
    grid->addWidget(m_from, 0, 1);
    grid->addWidget(m_fromUnit, 0, 2);
    grid->addWidget(m_toLabel, 0, 3);
    grid->addWidget(m_to, 0, 4);
    grid->addWidget(m_toUnit, 0, 5);
    grid->addWidget(m_speedLabel, 1, 0);
    grid->addWidget(m_speed, 1, 1);
    grid->addWidget(m_speedUnit, 1, 2, 1, 2);

    m_confirm = new QPushButton(this);
    m_confirm->setObjectName(QStringLiteral("Confirm"));
    m_confirm->setDefault(true);
    m_cancel = new QPushButton(this);
    auto *buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(m_confirm);
    buttons->addWidget(m_cancel);

    auto *layout = new QVBoxLayout(this);
    layout->addWidget(m_group);
    layout->addLayout(buttons);
    connect(m_confirm, &QPushButton::clicked, this, &OutputDialog::accept);
    connect(m_cancel, &QPushButton::clicked, this, &OutputDialog::reject);
    applyTexts();

    if (circuitry == CircuitryKind::Neon) {
        // The neon dialog is the same at half the height: the group keeps
        // its rows, with the room around them taken away.
        layout->setContentsMargins(6, 2, 6, 2);
        layout->setSpacing(0);
        grid->setContentsMargins(6, 0, 6, 0);
        grid->setVerticalSpacing(0);
        const QSize natural = QDialog::sizeHint();
        adjustSize();
        setFixedHeight(std::max(minimumSizeHint().height(), natural.height() / 2));
    }
}

void OutputDialog::applyTexts()
{
    setWindowTitle(Language::code() == Language::English
                       ? LanguageText("ComFrmTitle", "Title2", QStringLiteral("数据编译输出--------------LED"))
                       : threeWayText(QString(), QStringLiteral("led数据生成")));
    m_group->setTitle(dialogText("ComFGroupBox", "GroupBox1", QStringLiteral("参数")));
    m_fromLabel->setText(dialogText("ComFLabel", "Label1", QStringLiteral("从")));
    m_fromUnit->setText(dialogText("ComFLabel", "Label2", QStringLiteral("帧")));
    m_toLabel->setText(dialogText("ComFLabel", "Label3", QStringLiteral("到")));
    m_toUnit->setText(dialogText("ComFLabel", "Label4", QStringLiteral("帧")));
    m_speedLabel->setText(threeWayText(QStringLiteral("speed"), QStringLiteral("速度")));
    m_speedUnit->setText(threeWayText(QStringLiteral("frames/s"), QStringLiteral("帧/秒")));
    m_confirm->setText(dialogText("AutoButton", "ButtonConfirm", QStringLiteral("确定")));
    m_cancel->setText(dialogText("AutoButton", "ButtonCancel", QStringLiteral("取消")));
}

void OutputDialog::accept()
{
    const int from = fieldNumber(m_from);
    const int to = fieldNumber(m_to);
    const int speed = fieldNumber(m_speed);
    const OutputRangeProblem problem = checkOutputRange(from, to, speed, m_doc.frameCount());
    if (problem != OutputRangeProblem::None) {
        m_prompt.inform(outputRangeMessage(problem), PromptIcon::Warning);
        switch (problem) {
        case OutputRangeProblem::FromNotPositive:
            m_from->setFocus();
            break;
        case OutputRangeProblem::ToNotPositive:
            m_to->setFocus();
            break;
        case OutputRangeProblem::SpeedNotPositive:
            m_speed->setFocus();
            break;
        default:
            break;
        }
        return;
    }

    // The chosen name is the base of the port files ("show" or "show.led"
    // gives "show_01.led" ...).
    const QString path = m_prompt.chooseSaveFile(QString(), outputFileFilter(m_circuitry),
                                                 saveSuggestion(m_doc, outputFileSuffix(m_circuitry)),
                                                 outputFileSuffix(m_circuitry));
    if (path.isEmpty())
        return; // the dialog stays open

    // The values copied when the dialog opened, with the grey levels and the
    // order list as the panel holds them now.
    ControllerParams values = m_values;
    values.greyLevels = m_panel.greyLevels;
    values.orderList = m_panel.orderList;

    PortDataRequest request;
    request.fromFrame = from;
    request.toFrame = to;
    request.speed = speed;
    request.circuitry = m_circuitry;
    request.chosenPath = path;
    m_result = writePortDataFiles(m_doc, values, request, m_prompt, m_progress);
    QDialog::accept();
}
