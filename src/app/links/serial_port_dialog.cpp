#include "links/serial_port_dialog.h"

#include "links/serial_port_choice.h"
#include "settings/language.h"
#include "settings/prompt.h"

#include <QComboBox>
#include <algorithm>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QStyledItemDelegate>
#include <QAbstractItemView>
#include <QVBoxLayout>

namespace {

constexpr int DetailsRole = Qt::UserRole + 1;

// The drop-down list shows "ttyUSB0   USB-Serial Controller (Prolific)";
// the box itself keeps only the name, which is what the port is opened by.
class PortItemDelegate : public QStyledItemDelegate
{
public:
    using QStyledItemDelegate::QStyledItemDelegate;

protected:
    void initStyleOption(QStyleOptionViewItem *option, const QModelIndex &index) const override
    {
        QStyledItemDelegate::initStyleOption(option, index);
        const QString details = index.data(DetailsRole).toString();
        if (!details.isEmpty())
            option->text += QStringLiteral("   ") + details;
    }
};

} // namespace

QString portDialogNoPortText()
{
    return captionText("Message", "NoAvailableCom", QStringLiteral("没有可用的串口!"));
}

SerialPortDialog::SerialPortDialog(std::vector<SerialPortEntry> ports, Prompt &prompt, QWidget *parent)
    : QDialog(parent), m_ports(std::move(ports))
{
    setObjectName(QStringLiteral("SerialPortDialog"));
    m_group = new QGroupBox(this);
    m_box = new QComboBox(m_group);
    m_box->setObjectName(QStringLiteral("PortBox"));
    m_box->setEditable(true);
    m_box->setInsertPolicy(QComboBox::NoInsert);
    m_box->lineEdit()->setMaxLength(kMaxNameLength);
    m_box->setItemDelegate(new PortItemDelegate(m_box));
    m_box->setMinimumWidth(260);
    m_details = new QLabel(m_group);
    m_details->setObjectName(QStringLiteral("PortDetails"));
    auto *groupLayout = new QVBoxLayout(m_group);
    groupLayout->addWidget(m_box);
    groupLayout->addWidget(m_details);

    m_ok = new QPushButton(this);
    m_ok->setDefault(true);
    m_cancel = new QPushButton(this);
    auto *buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(m_ok);
    buttons->addWidget(m_cancel);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(m_group);
    layout->addLayout(buttons);
    connect(m_ok, &QPushButton::clicked, this, &SerialPortDialog::accept);
    connect(m_cancel, &QPushButton::clicked, this, &SerialPortDialog::reject);
    connect(m_box, &QComboBox::currentTextChanged, this, &SerialPortDialog::showDetails);

    setWindowTitle(captionText("ComTitle", "Title", QStringLiteral("串口设置")));
    m_group->setTitle(captionText("ComGroupBox", "ComGroupBox1", QStringLiteral("选择串口")));
    m_ok->setText(captionText("ComButton", "Button_OK", QStringLiteral("确定")));
    m_cancel->setText(captionText("ComButton", "Button_Cancel", QStringLiteral("取消")));

    const QString earlier = serialPortName();
    const bool listed = std::any_of(m_ports.begin(), m_ports.end(),
                                    [&](const SerialPortEntry &p) { return p.name == earlier; });
    if (!earlier.isEmpty() && !listed)
        m_ports.insert(m_ports.begin(), SerialPortEntry{earlier, QString(), QString()});
    for (const SerialPortEntry &p : m_ports) {
        m_box->addItem(p.name);
        m_box->setItemData(m_box->count() - 1, p.details(), DetailsRole);
        m_box->setItemData(m_box->count() - 1, p.details(), Qt::ToolTipRole);
    }
    // The list is as wide as its longest line, so no description is cut.
    m_box->view()->setMinimumWidth(m_box->view()->sizeHintForColumn(0) + 24);
    if (m_box->count() == 0) {
        m_box->setEditText(QString());
        prompt.inform(portDialogNoPortText(), PromptIcon::Warning);
    } else {
        m_box->setCurrentIndex(0);
    }
    // Opening chooses the port in the box, even when the dialog is then
    // cancelled.
    serialPortName() = m_box->currentText().trimmed();
    showDetails();
}

void SerialPortDialog::showDetails()
{
    const QString name = m_box->currentText().trimmed();
    QString details;
    for (const SerialPortEntry &p : m_ports)
        if (p.name == name)
            details = p.details();
    m_details->setText(details);
}

void SerialPortDialog::accept()
{
    serialPortName() = m_box->currentText().trimmed();
    QDialog::accept();
}
