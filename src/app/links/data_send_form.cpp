#include "links/data_send_form.h"

#include "document/document.h"
#include "links/serial/frame_send.h"
#include "serial/serial_transfer_runner.h"
#include "settings/language.h"
#include "settings/prompt.h"

#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace {

int fieldNumber(const QLineEdit *edit)
{
    bool ok = false;
    const int v = edit->text().trimmed().toInt(&ok);
    // Text that is not a number counts as 0 and is refused like it.
    return ok ? v : 0;
}

} // namespace

DataSendForm::DataSendForm(const Document &doc, Prompt &prompt, QWidget *parent, std::shared_ptr<Clock> clock)
    : SerialTransferForm(prompt, parent, std::move(clock)), m_doc(doc)
{
    setObjectName(QStringLiteral("DataSendForm"));

    m_rangeGroup = new QGroupBox(this);
    auto *range = new QHBoxLayout(m_rangeGroup);
    m_fromLabel = new QLabel(m_rangeGroup);
    m_start = new QLineEdit(QStringLiteral("1"), m_rangeGroup);
    m_start->setObjectName(QStringLiteral("StartFrame"));
    m_fromUnit = new QLabel(m_rangeGroup);
    m_toLabel = new QLabel(m_rangeGroup);
    m_end = new QLineEdit(QString::number(doc.frameCount()), m_rangeGroup);
    m_end->setObjectName(QStringLiteral("EndFrame"));
    m_toUnit = new QLabel(m_rangeGroup);
    for (QLineEdit *e : {m_start, m_end})
        e->setMaximumWidth(80);
    for (QWidget *w : std::initializer_list<QWidget *>{m_fromLabel, m_start, m_fromUnit, m_toLabel, m_end, m_toUnit})
        range->addWidget(w);
    range->addStretch();

    m_screenGroup = new QGroupBox(this);
    auto *screen = new QHBoxLayout(m_screenGroup);
    m_rectangular = new QRadioButton(m_screenGroup);
    m_rectangular->setObjectName(QStringLiteral("Rectangular"));
    m_rectangular->setChecked(true);
    m_irregular = new QRadioButton(m_screenGroup);
    m_irregular->setObjectName(QStringLiteral("Irregular"));
    screen->addWidget(m_rectangular);
    screen->addWidget(m_irregular);
    screen->addStretch();

    m_ledGroup = new QGroupBox(this);
    auto *led = new QGridLayout(m_ledGroup);
    m_tubeModelLabel = new QLabel(m_ledGroup);
    m_tubeModel = new QComboBox(m_ledGroup);
    m_tubeModel->setObjectName(QStringLiteral("TubeModel"));
    m_tubeCountLabel = new QLabel(m_ledGroup);
    m_tubeCount = new QLineEdit(QStringLiteral("0"), m_ledGroup);
    m_tubeCount->setObjectName(QStringLiteral("TubeCount"));
    m_tubeCount->setMaximumWidth(80);
    led->addWidget(m_tubeModelLabel, 0, 0);
    led->addWidget(m_tubeModel, 0, 1);
    led->addWidget(m_tubeCountLabel, 1, 0);
    led->addWidget(m_tubeCount, 1, 1, Qt::AlignLeft);
    led->setColumnStretch(2, 1);

    m_send = new QPushButton(this);
    m_send->setObjectName(QStringLiteral("Send"));
    m_send->setDefault(true);
    m_cancel = new QPushButton(this);
    m_cancel->setObjectName(QStringLiteral("Cancel"));
    auto *buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(m_send);
    buttons->addWidget(m_cancel);

    auto *layout = new QVBoxLayout(this);
    layout->addWidget(m_rangeGroup);
    layout->addWidget(m_screenGroup);
    layout->addWidget(m_ledGroup);
    layout->addLayout(buttons);
    connect(m_send, &QPushButton::clicked, this, &DataSendForm::send);
    connect(m_cancel, &QPushButton::clicked, this, &DataSendForm::reject);
    m_tubeModel->setCurrentIndex(-1);
    applyTexts();
    m_tubeModel->setCurrentIndex(0);
}

void DataSendForm::applyTexts()
{
    setWindowTitle(captionText("DSFTitle", "Title", QStringLiteral("数据发送")));
    m_rangeGroup->setTitle(captionText("DSFGroupBox", "GroupBox1", QStringLiteral("参数")));
    m_screenGroup->setTitle(captionText("DSFGroupBox", "GroupBox2", QStringLiteral("屏幕类型")));
    // The LED options group reads the same key as the frame range group,
    // with its own built-in text.
    m_ledGroup->setTitle(captionText("DSFGroupBox", "GroupBox1", QStringLiteral("LED选项")));
    m_fromLabel->setText(captionText("DSFLabel", "Label1", QStringLiteral("从")));
    m_fromUnit->setText(captionText("DSFLabel", "Label2", QStringLiteral("帧")));
    m_toLabel->setText(captionText("DSFLabel", "Label3", QStringLiteral("到")));
    m_toUnit->setText(captionText("DSFLabel", "Label4", QStringLiteral("帧")));
    m_tubeModelLabel->setText(captionText("DSFLabel", "Label5", QStringLiteral("灯管型号:")));
    m_tubeCountLabel->setText(captionText("DSFLabel", "Label6", QStringLiteral("灯管数量:")));
    m_rectangular->setText(captionText("DSFRadioGroup", "RadioGroupItem0", QStringLiteral("矩形")));
    m_irregular->setText(captionText("DSFRadioGroup", "RadioGroupItem1", QStringLiteral("异形")));
    m_send->setText(captionText("DSFButton", "Button_Send", QStringLiteral("发送")));
    m_cancel->setText(captionText("DSFButton", "Button_Cancel", QStringLiteral("取消")));

    const int chosen = m_tubeModel->currentIndex();
    m_tubeModel->clear();
    m_tubeModel->addItems({
        captionText("DSFComboBox", "ComboBoxItem0", QStringLiteral("T5")),
        captionText("DSFComboBox", "ComboBoxItem1", QStringLiteral("大功率")),
        captionText("DSFComboBox", "ComboBoxItem2", QStringLiteral("8段")),
        captionText("DSFComboBox", "ComboBoxItem3", QStringLiteral("16段")),
    });
    m_tubeModel->setCurrentIndex(chosen);
}

void DataSendForm::send()
{
    if (busy())
        return;
    FrameSendRequest request;
    request.startFrame = fieldNumber(m_start);
    request.endFrame = fieldNumber(m_end);
    request.screen = m_irregular->isChecked() ? ScreenType::Irregular : ScreenType::Rectangular;
    request.tubeModel = std::max(0, m_tubeModel->currentIndex());
    request.tubeCount = fieldNumber(m_tubeCount);

    FrameSendPlan plan;
    const FrameSendProblem problem =
        planFrameSend(request, m_doc.frames(), m_doc.geometry(), m_doc.wiring(), plan);
    if (problem != FrameSendProblem::None) {
        prompt().inform(frameSendProblemText(problem), PromptIcon::Warning);
        switch (problem) {
        case FrameSendProblem::StartNotPositive:
            m_start->setFocus();
            break;
        case FrameSendProblem::EndNotPositive:
            m_end->setFocus();
            break;
        case FrameSendProblem::TubeCountNotPositive:
            m_tubeCount->setFocus();
            break;
        default:
            break;
        }
        return;
    }
    startTransfer([&plan](SerialTransferRunner &r) { return r.startFrameSend(std::move(plan)); });
}

void DataSendForm::busyChanged(bool busy)
{
    m_send->setEnabled(!busy);
    m_cancel->setEnabled(!busy);
}
