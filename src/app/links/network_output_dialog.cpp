#include "links/network_output_dialog.h"

#include "document/document.h"
#include "settings/language.h"
#include "settings/prompt.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QSpinBox>
#include <QTableWidget>
#include <QVBoxLayout>

namespace {

QString netText(const char *key, const QString &chinese, const QString &english)
{
    return lookedUpText("NetworkOutput", key, chinese, english);
}

QSpinBox *netSpin(QWidget *parent, const char *name, int low, int high, int value)
{
    auto *box = new QSpinBox(parent);
    box->setObjectName(QString::fromLatin1(name));
    box->setRange(low, high);
    box->setValue(value);
    return box;
}

QCheckBox *netCheck(QWidget *parent, const char *name, const QString &text, bool checked)
{
    auto *box = new QCheckBox(text, parent);
    box->setObjectName(QString::fromLatin1(name));
    box->setChecked(checked);
    return box;
}

// "universe / channel", as receivers count them.
QString universeChannel(int universe, int channel) { return QStringLiteral("%1 / %2").arg(universe).arg(channel); }

} // namespace

NetworkOutputDialog::NetworkOutputDialog(const Document &doc, const NetworkOutputSettings &settings, Prompt &prompt,
                                         QWidget *parent)
    : QDialog(parent), m_doc(doc), m_prompt(prompt), m_cid(settings.cid)
{
    setObjectName(QStringLiteral("NetworkOutputDialog"));
    setWindowTitle(netText("Title", QStringLiteral("网络输出"), QStringLiteral("Network output")));

    m_enable = netCheck(this, "NetworkEnable",
                        netText("Enable", QStringLiteral("发送帧到网络"), QStringLiteral("Send the frames to the network")),
                        settings.enabled);
    m_protocol = new QComboBox(this);
    m_protocol->setObjectName(QStringLiteral("NetworkProtocol"));
    for (NetworkProtocol p : {NetworkProtocol::E131, NetworkProtocol::ArtNet, NetworkProtocol::Ddp})
        m_protocol->addItem(networkProtocolName(p), int(p));
    m_protocol->setCurrentIndex(int(settings.protocol));
    m_host = new QLineEdit(settings.host, this);
    m_host->setObjectName(QStringLiteral("NetworkHost"));
    m_host->setPlaceholderText(QStringLiteral("192.168.1.50"));
    m_multicast = netCheck(this, "NetworkMulticast",
                           netText("Multicast", QStringLiteral("组播 (E1.31)"), QStringLiteral("Multicast (E1.31)")),
                           settings.multicast);
    m_port = netSpin(this, "NetworkPort", 0, 65535, settings.port);
    m_port->setSpecialValueText(netText("PortDefault", QStringLiteral("协议默认"), QStringLiteral("Protocol's own")));
    m_startUniverse = netSpin(this, "NetworkStartUniverse", 0, kE131LastUniverse, settings.layout.startUniverse);
    m_pixelsPerUniverse = netSpin(this, "NetworkPixelsPerUniverse", 1, 170, settings.layout.pixelsPerUniverse);
    m_portStartsUniverse = netCheck(this, "NetworkPortStartsUniverse",
                                    netText("PortStartsUniverse", QStringLiteral("每个端口从新的 Universe 开始"),
                                            QStringLiteral("Each port starts a new universe")),
                                    settings.layout.portStartsUniverse);
    m_order = new QComboBox(this);
    m_order->setObjectName(QStringLiteral("NetworkOrder"));
    for (const ChannelOrder &o : ChannelOrder::all())
        m_order->addItem(o.name().toUpper());
    m_order->setCurrentText(settings.layout.order.name().toUpper());
    m_frameRate = netSpin(this, "NetworkFrameRate", 1, NetworkOutputSettings::kMaxFramesPerSecond,
                          settings.framesPerSecond);
    m_frameRate->setSuffix(QLatin1Char(' ') + netText("FrameRateUnit", QStringLiteral("帧/秒"), QStringLiteral("frames/s")));
    m_sync = netCheck(this, "NetworkSync", netText("Sync", QStringLiteral("同步包"), QStringLiteral("Synchronisation packets")),
                      settings.sync);

    auto *form = new QFormLayout;
    form->addRow(m_enable);
    form->addRow(netText("Protocol", QStringLiteral("协议"), QStringLiteral("Protocol")), m_protocol);
    form->addRow(netText("Host", QStringLiteral("接收设备地址"), QStringLiteral("Host")), m_host);
    form->addRow(QString(), m_multicast);
    form->addRow(netText("Port", QStringLiteral("UDP 端口"), QStringLiteral("UDP port")), m_port);
    form->addRow(netText("StartUniverse", QStringLiteral("起始 Universe"), QStringLiteral("Start universe")),
                 m_startUniverse);
    form->addRow(netText("PixelsPerUniverse", QStringLiteral("每个 Universe 的像素数"), QStringLiteral("Pixels per universe")),
                 m_pixelsPerUniverse);
    form->addRow(QString(), m_portStartsUniverse);
    form->addRow(netText("Order", QStringLiteral("颜色顺序"), QStringLiteral("Colour order")), m_order);
    form->addRow(netText("FrameRate", QStringLiteral("帧率上限"), QStringLiteral("Frame rate limit")), m_frameRate);
    form->addRow(QString(), m_sync);

    m_summary = new QLabel(this);
    m_summary->setObjectName(QStringLiteral("NetworkMapSummary"));
    m_summary->setWordWrap(true);
    m_table = new QTableWidget(0, 4, this);
    m_table->setObjectName(QStringLiteral("NetworkChannelMap"));
    m_table->verticalHeader()->hide();
    m_table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    // Each column as wide as its header or its widest cell, the last one
    // taking what is left; fitMapWidth keeps the table wide enough for all.
    m_table->horizontalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
    m_table->horizontalHeader()->setStretchLastSection(true);
    m_table->setMinimumSize(420, 180);

    auto *buttons = new QDialogButtonBox(this);
    buttons->addButton(lookedUpText("AutoButton", "ButtonConfirm", QStringLiteral("确定")), QDialogButtonBox::AcceptRole)
        ->setObjectName(QStringLiteral("NetworkOk"));
    buttons->addButton(lookedUpText("AutoButton", "ButtonCancel", QStringLiteral("取消")), QDialogButtonBox::RejectRole);

    auto *layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(new QLabel(netText("ChannelMap", QStringLiteral("通道分配"), QStringLiteral("Channel map")), this));
    layout->addWidget(m_summary);
    layout->addWidget(m_table, 1);
    layout->addWidget(buttons);

    connect(buttons, &QDialogButtonBox::accepted, this, &NetworkOutputDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &NetworkOutputDialog::reject);
    connect(m_protocol, &QComboBox::currentIndexChanged, this, &NetworkOutputDialog::protocolChanged);
    connect(m_multicast, &QCheckBox::toggled, this, &NetworkOutputDialog::protocolChanged);
    for (QSpinBox *box : {m_startUniverse, m_pixelsPerUniverse})
        connect(box, &QSpinBox::valueChanged, this, &NetworkOutputDialog::fillMap);
    connect(m_portStartsUniverse, &QCheckBox::toggled, this, &NetworkOutputDialog::fillMap);
    protocolChanged();
}

NetworkOutputSettings NetworkOutputDialog::settings() const
{
    NetworkOutputSettings s;
    s.enabled = m_enable->isChecked();
    s.protocol = NetworkProtocol(m_protocol->currentData().toInt());
    s.host = m_host->text().trimmed();
    s.multicast = m_multicast->isChecked();
    s.port = m_port->value();
    s.layout.startUniverse = m_startUniverse->value();
    s.layout.pixelsPerUniverse = m_pixelsPerUniverse->value();
    s.layout.portStartsUniverse = m_portStartsUniverse->isChecked();
    s.layout.order = ChannelOrder::all()[size_t(std::max(0, m_order->currentIndex()))];
    s.framesPerSecond = m_frameRate->value();
    s.sync = m_sync->isChecked();
    s.cid = m_cid;
    return s;
}

void NetworkOutputDialog::protocolChanged()
{
    const NetworkOutputSettings s = settings();
    const bool universes = s.protocol != NetworkProtocol::Ddp;
    m_multicast->setEnabled(s.protocol == NetworkProtocol::E131);
    m_host->setEnabled(s.needsHost());
    m_startUniverse->setEnabled(universes);
    m_pixelsPerUniverse->setEnabled(universes);
    m_portStartsUniverse->setEnabled(universes);
    m_sync->setEnabled(universes);
    m_port->setSpecialValueText(netText("PortDefault", QStringLiteral("协议默认"), QStringLiteral("Protocol's own")) +
                                QStringLiteral(" (%1)").arg(defaultNetworkPort(s.protocol)));
    fillMap();
}

void NetworkOutputDialog::fillMap()
{
    const NetworkOutputSettings s = settings();
    const NetworkOutputMap map(m_doc.wiring(), m_doc.rows(), m_doc.cols(), s.layout);
    const bool ddp = s.protocol == NetworkProtocol::Ddp;
    const QString first = ddp ? netText("OffsetColumn", QStringLiteral("字节偏移"), QStringLiteral("Byte offset"))
                              : netText("StartColumn", QStringLiteral("起始 Universe / 通道"),
                                        QStringLiteral("First universe / channel"));
    m_table->setHorizontalHeaderLabels(
        {netText("PortColumn", QStringLiteral("端口"), QStringLiteral("Port")),
         netText("PixelsColumn", QStringLiteral("像素数"), QStringLiteral("Pixels")), first,
         ddp ? QString() : netText("EndColumn", QStringLiteral("结束 Universe / 通道"), QStringLiteral("Last universe / channel"))});
    m_table->setColumnHidden(3, ddp);
    m_table->setRowCount(0);
    if (map.empty()) {
        m_summary->setText(netText("NoWiring", QStringLiteral("没有线路定义：不发送任何数据。"),
                                   QStringLiteral("No wiring defined: nothing is sent.")));
        fitMapWidth();
        return;
    }
    if (ddp) {
        const QString english = QStringLiteral("%d channels from byte offset 0.");
        const QString chinese = QStringLiteral("共 %d 通道，从字节偏移 0 开始。");
        m_summary->setText(formatText(netText("DdpSummary", chinese, english), threeWayText(english, chinese),
                                      {map.totalChannels()}));
    } else {
        const QString english = QStringLiteral("%d channels in %d universes.");
        const QString chinese = QStringLiteral("共 %d 通道，%d 个 Universe。");
        m_summary->setText(formatText(netText("Summary", chinese, english), threeWayText(english, chinese),
                                      {map.totalChannels(), int(map.universes().size())}));
    }
    // Said here as the values change, and again by OK.
    if (const QString refusal = networkMapRefusal(map, s.protocol); !refusal.isEmpty())
        m_summary->setText(m_summary->text() + QLatin1Char('\n') + refusal);
    // Ports count from 1 on screen, universes and channels as receivers do.
    for (const NetworkPortPlacement &p : map.ports()) {
        const int row = m_table->rowCount();
        m_table->insertRow(row);
        m_table->setItem(row, 0, new QTableWidgetItem(QString::number(p.port + 1)));
        m_table->setItem(row, 1, new QTableWidgetItem(QString::number(p.pixels)));
        m_table->setItem(row, 2, new QTableWidgetItem(ddp ? QString::number(p.offset)
                                                          : universeChannel(p.firstUniverse, p.firstChannel)));
        m_table->setItem(row, 3, new QTableWidgetItem(ddp ? QString() : universeChannel(p.lastUniverse, p.lastChannel)));
    }
    fitMapWidth();
}

void NetworkOutputDialog::fitMapWidth()
{
    // The Chinese headers are the long ones; no header is cut in either
    // language, and no cell either.
    const QHeaderView *header = m_table->horizontalHeader();
    const QAbstractItemView *cells = m_table; // its column size hints are public there
    int columns = 0;
    for (int c = 0; c < m_table->columnCount(); ++c)
        if (!m_table->isColumnHidden(c))
            columns += std::max(header->sectionSizeHint(c), cells->sizeHintForColumn(c));
    const int frame = 2 * m_table->frameWidth() + m_table->verticalScrollBar()->sizeHint().width();
    m_table->setMinimumWidth(std::max(420, columns + frame));
}

void NetworkOutputDialog::accept()
{
    const NetworkOutputSettings s = settings();
    QString refusal = networkSettingsRefusal(s);
    // Switching on with universes past the protocol's would send part of
    // the wiring; switching off is always possible.
    if (refusal.isEmpty() && s.enabled)
        refusal = networkMapRefusal(NetworkOutputMap(m_doc.wiring(), m_doc.rows(), m_doc.cols(), s.layout), s.protocol);
    if (!refusal.isEmpty()) {
        m_prompt.inform(refusal, PromptIcon::Error, windowTitle());
        return;
    }
    QDialog::accept();
}
