#include "links/usb/usb_link.h"

#include "links/usb/usb_messages.h"
#include "settings/language.h"
#include "settings/prompt.h"

using namespace UsbMessage;

QString usbControllerEntryText() { return QStringLiteral("Zarimo-USB"); }

namespace UsbLinkText {

namespace {
// A language file cannot hold a line break in a value; it writes "\n".
QString usbLinkLookup(const char *key, const QString &chineseDefault)
{
    QString text = LanguageText("UsbLink", key, chineseDefault);
    text.replace(QStringLiteral("\\n"), QStringLiteral("\n"));
    return text;
}

QString usbPipeMessage(const char *key, const char *pipe, const QString &chineseDefault)
{
    return formatText(usbLinkLookup(key, chineseDefault), chineseDefault, {QString::fromLatin1(pipe)});
}
} // namespace

QString writePipeFailed()
{
    return usbPipeMessage("WritePipeError", "PIPE01",
                       QStringLiteral("打开写设备出错：%s\n\n控制器连接已关闭。\n请复位硬件后重试。"));
}

QString readPipeFailed()
{
    return usbPipeMessage("ReadPipeError", "PIPE00",
                       QStringLiteral("打开读设备出错：%s\n\n控制器连接已关闭。\n请复位硬件后重试。"));
}

QString sizeMessageFailed()
{
    return usbLinkLookup("SizeMessageFailure", QStringLiteral("发送文件大小信息时目标设备出错。"));
}

QString sizeMessageIncomplete()
{
    return usbLinkLookup("SizeMessageIncomplete", QStringLiteral("发送到设备的文件大小信息不完整。"));
}

QString dataFailed()
{
    return usbLinkLookup("DataFailure", QStringLiteral("发送文件数据时目标设备出错。\n请检查文件大小。"));
}

QString payloadTooLarge(int64_t announced)
{
    const QString chinese = QStringLiteral("数据太大，USB控制器一次最多接收 %d 字节（本次 %d 字节）。");
    return formatText(usbLinkLookup("PayloadTooLarge", chinese), chinese, {qlonglong(kMaxAnnounced), qlonglong(announced)});
}

QString tooManyPorts(int ports, int maxPorts)
{
    const QString chinese = QStringLiteral("线路用到 %d 个端口，但该控制器型号最多只有 %d 个端口，不能同步输出。");
    return formatText(usbLinkLookup("TooManyPorts", chinese), chinese, {ports, maxPorts});
}

QString permissionDenied(const QString &device)
{
    const QString chinese = QStringLiteral("当前用户无权打开位于 %s 的USB控制器。\n请安装写上控制器ID的 udev 规则 %s"
                                           "（cmake --install 从 resources/linux/ 安装它），然后重新插上控制器。");
    return formatText(usbLinkLookup("PermissionDenied", chinese), chinese,
                      {device, QStringLiteral(BRIGHTLOOM_UDEV_RULE_FILE)});
}

} // namespace UsbLinkText

UsbLink::UsbLink(UsbTransport &transport, Prompt &prompt) : m_transport(transport), m_prompt(prompt) {}

UsbLink::~UsbLink() { closeLink(); }

QStringList UsbLink::listDevices()
{
    m_devices.clear();
    m_entries.clear();
    for (UsbDeviceEntry &device : m_transport.listDevices()) {
        if (device.instanceId.isEmpty())
            continue;
        m_devices.push_back(std::move(device));
        m_entries.append(usbControllerEntryText());
    }
    return m_entries;
}

void UsbLink::openLink(int selected)
{
    closeLink();
    listDevices();
    if (selected < 0 || selected >= int(m_devices.size()))
        return;
    switch (m_transport.open(m_devices[size_t(selected)])) {
    case UsbOpenResult::Opened:
    case UsbOpenResult::DeviceFailed:
        return;
    case UsbOpenResult::PermissionDenied:
        m_prompt.inform(UsbLinkText::permissionDenied(m_devices[size_t(selected)].path), PromptIcon::Warning);
        return;
    case UsbOpenResult::WritePipeFailed:
        m_transport.close();
        m_prompt.inform(UsbLinkText::writePipeFailed(), PromptIcon::Warning);
        return;
    case UsbOpenResult::ReadPipeFailed:
        m_transport.close();
        m_prompt.inform(UsbLinkText::readPipeFailed(), PromptIcon::Warning);
        return;
    }
}

void UsbLink::closeLink()
{
    if (m_transport.isOpen())
        m_transport.close();
}

bool UsbLink::write(std::span<const uint8_t> bytes)
{
    if (!m_transport.isOpen() || bytes.empty() || bytes.size() > size_t(kMaxWrite))
        return false;
    return m_transport.write(bytes) >= 0;
}

void UsbLink::readAcknowledgement()
{
    if (!m_transport.isOpen())
        return;
    const std::optional<uint8_t> reply = m_transport.read(kAcknowledgeTimeoutMs);
    if (!reply || *reply != kAccepted)
        closeLink();
}

bool UsbLink::writeSizeMessage(int64_t announced)
{
    const auto message = sizeMessage(announced);
    // Written directly rather than through write(): an incomplete size
    // message has its own text, so the count of bytes taken matters.
    if (!m_transport.isOpen()) {
        m_prompt.inform(UsbLinkText::sizeMessageFailed(), PromptIcon::Warning);
        return false;
    }
    const int written = m_transport.write(message);
    if (written < 0) {
        m_prompt.inform(UsbLinkText::sizeMessageFailed(), PromptIcon::Warning);
        return false;
    }
    if (written < kSizeMessageLength) {
        m_prompt.inform(UsbLinkText::sizeMessageIncomplete(), PromptIcon::Warning);
        return false;
    }
    return true;
}

void UsbLink::reportDataFailure() { m_prompt.inform(UsbLinkText::dataFailed(), PromptIcon::Warning); }

UsbTransferResult UsbLink::transferBlock(std::span<const uint8_t> block)
{
    if (block.size() > size_t(kMaxBlock)) {
        reportDataFailure();
        return UsbTransferResult::Failed;
    }
    if (!writeSizeMessage(int64_t(block.size())))
        return UsbTransferResult::Failed;
    if (!write(block)) {
        reportDataFailure();
        return UsbTransferResult::Failed;
    }
    readAcknowledgement();
    return UsbTransferResult::Success;
}

UsbTransferResult UsbLink::transferPayload(std::span<const uint8_t> payload)
{
    const int64_t announced = announcedPayloadSize(int64_t(payload.size()));
    if (announced > kMaxAnnounced) {
        m_prompt.inform(UsbLinkText::payloadTooLarge(announced), PromptIcon::Warning);
        return UsbTransferResult::Failed;
    }
    if (!writeSizeMessage(announced))
        return UsbTransferResult::Failed;
    const int64_t chunks = chunkCount(int64_t(payload.size()));
    for (int64_t k = 0; k < chunks; ++k) {
        if (!write(dataChunk(payload, k))) {
            reportDataFailure();
            return UsbTransferResult::Failed;
        }
        readAcknowledgement();
    }
    return UsbTransferResult::Success;
}
