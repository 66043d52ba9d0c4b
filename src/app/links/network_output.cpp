#include "links/network_output.h"

#include "common/app_context.h"
#include "document/document.h"
#include "links/network_output_dialog.h"
#include "network/network_sender.h"
#include "settings/language.h"
#include "settings/prompt.h"

#include <QLabel>
#include <QStatusBar>
#include <QTimer>

NetworkOutput::NetworkOutput(AppContext &ctx, const QString &settingsPath, QObject *parent)
    : QObject(parent), m_ctx(ctx), m_settingsPath(settingsPath)
{
    if (!m_settingsPath.isEmpty())
        m_settings = loadNetworkOutputSettings(m_settingsPath);
    if (ctx.statusBar) {
        m_status = new QLabel(ctx.statusBar);
        m_status->setObjectName(QStringLiteral("NetworkOutputStatus"));
        ctx.statusBar->addPermanentWidget(m_status);
        m_status->hide();
    }
    m_statusTimer = new QTimer(this);
    m_statusTimer->setInterval(500);
    connect(m_statusTimer, &QTimer::timeout, this, &NetworkOutput::refreshStatus);

    Document &doc = ctx.doc;
    // Playback makes each frame current in turn, edits change the frame in
    // place: either way the frame on screen goes out.
    connect(&doc, &Document::currentFrameChanged, this, &NetworkOutput::sendCurrentFrame);
    connect(&doc, &Document::frameContentChanged, this, &NetworkOutput::sendCurrentFrame);
    connect(&doc, &Document::framesChanged, this, &NetworkOutput::sendCurrentFrame);
    const auto layoutChanged = [this] {
        m_mapStale = true;
        sendCurrentFrame();
    };
    connect(&doc, &Document::wiringChanged, this, layoutChanged);
    connect(&doc, &Document::geometryChanged, this, layoutChanged);
    connect(&doc, &Document::contentsReplaced, this, layoutChanged);
    if (m_settings.enabled)
        start();
}

NetworkOutput::~NetworkOutput() { stop(); }

void NetworkOutput::apply(const NetworkOutputSettings &settings)
{
    stop();
    m_settings = settings;
    // The CID is made once and then kept with the other values.
    ensureNetworkCid(m_settings);
    if (!m_settingsPath.isEmpty() && !saveNetworkOutputSettings(m_settingsPath, m_settings))
        m_ctx.prompt.inform(NetworkOutputText::settingsNotSaved(m_settingsPath), PromptIcon::Warning, QString());
    m_mapStale = true;
    if (m_settings.enabled)
        start();
}

void NetworkOutput::openDialog()
{
    NetworkOutputDialog dialog(m_ctx.doc, m_settings, m_ctx.prompt, m_ctx.window);
    if (dialog.exec() == QDialog::Accepted)
        apply(dialog.settings());
}

void NetworkOutput::start()
{
    if (!networkSettingsRefusal(m_settings).isEmpty())
        return;
    m_mapStale = true;
    if (!refreshMap())
        return;
    if (ensureNetworkCid(m_settings) && !m_settingsPath.isEmpty())
        saveNetworkOutputSettings(m_settingsPath, m_settings);
    NetworkTarget target;
    target.packets = {m_settings.protocol, networkCid(m_settings), m_settings.multicast, m_settings.sync};
    target.host = m_settings.host;
    target.port = m_settings.effectivePort();
    m_sender = std::make_unique<NetworkSender>(target, m_settings.framesPerSecond);
    connect(m_sender.get(), &NetworkSender::hostNotFound, this, &NetworkOutput::onHostNotFound, Qt::QueuedConnection);
    m_sender->start();
    m_statusTimer->start();
    refreshStatus();
    sendCurrentFrame();
}

void NetworkOutput::stop()
{
    m_statusTimer->stop();
    m_sender.reset();
    if (m_status)
        m_status->hide();
}

void NetworkOutput::onHostNotFound(const QString &host)
{
    stop();
    m_settings.enabled = false;
    m_ctx.prompt.inform(NetworkOutputText::hostNotFound(host), PromptIcon::Error, QString());
}

void NetworkOutput::sendCurrentFrame()
{
    if (!m_sender)
        return;
    const Frame *frame = m_ctx.doc.currentFrame();
    if (!frame)
        return;
    if (!refreshMap() || m_map.empty())
        return;
    auto out = std::make_shared<NetworkFrame>();
    out->universes = m_map.universes();
    m_map.fill(*frame, out->channels);
    m_sender->submit(std::move(out));
}

bool NetworkOutput::refreshMap()
{
    if (!m_mapStale)
        return true;
    m_map = NetworkOutputMap(m_ctx.doc.wiring(), m_ctx.doc.rows(), m_ctx.doc.cols(), m_settings.layout);
    m_mapStale = false;
    const QString refusal = networkMapRefusal(m_map, m_settings.protocol);
    if (refusal.isEmpty())
        return true;
    stop();
    m_settings.enabled = false;
    // Told once the edit or the start that led here is over: the wiring
    // page may be in the middle of a mouse release.
    QTimer::singleShot(0, this, [this, refusal] { m_ctx.prompt.inform(refusal, PromptIcon::Error, QString()); });
    return false;
}

QString NetworkOutput::statusText() const
{
    if (!m_sender)
        return {};
    const NetworkSenderCounts c = m_sender->counts();
    return NetworkOutputText::status(m_settings, c.sent, c.dropped);
}

void NetworkOutput::refreshStatus()
{
    if (!m_status)
        return;
    m_status->setText(statusText());
    m_status->setVisible(m_sender != nullptr);
}

namespace NetworkOutputText {

QString hostNotFound(const QString &host)
{
    const QString english = QStringLiteral("The host %s could not be found. Network output is off.");
    const QString chinese = QStringLiteral("找不到主机 %s，网络输出已关闭。");
    return formatText(lookedUpText("NetworkOutput", "HostNotFound", chinese, english), threeWayText(english, chinese),
                      {host});
}

QString settingsNotSaved(const QString &path)
{
    const QString english = QStringLiteral("The network output settings could not be written to %s.");
    const QString chinese = QStringLiteral("网络输出设置无法写入 %s。");
    return formatText(lookedUpText("NetworkOutput", "SettingsNotSaved", chinese, english),
                      threeWayText(english, chinese), {path});
}

QString status(const NetworkOutputSettings &settings, uint64_t sent, uint64_t dropped)
{
    const QString english = QStringLiteral("%s to %s: %d frames sent, %d dropped");
    const QString chinese = QStringLiteral("%s 发送到 %s：已发送 %d 帧，丢弃 %d 帧");
    const QString to = settings.needsHost()
                           ? settings.host
                           : lookedUpText("NetworkOutput", "StatusMulticast", QStringLiteral("组播"), QStringLiteral("multicast"));
    return formatText(lookedUpText("NetworkOutput", "Status", chinese, english), threeWayText(english, chinese),
                      {networkProtocolName(settings.protocol), to, qint64(sent), qint64(dropped)});
}

} // namespace NetworkOutputText
