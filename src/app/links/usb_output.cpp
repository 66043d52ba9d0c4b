#include "links/usb_output.h"

#include "common/app_context.h"
#include "common/app_events.h"
#include "document/document.h"
#include "links/usb/usb_device_filter.h"
#include "links/usb/usb_frame_payload.h"
#include "settings/language.h"
#include "settings/prompt.h"
#include "usb/libusb_bus.h"

#include <QCheckBox>
#include <QComboBox>

namespace {

// The list's explanations; `detail` fills the text's one %s.
QString usbOutputText(const char *key, const QString &chinese, const QString &detail = QString())
{
    return formatText(lookedUpText("UsbLink", key, chinese), chinese, {detail});
}

} // namespace

UsbOutput::UsbOutput(AppContext &ctx, QComboBox &list, QCheckBox &usbSwitch, QObject *parent)
    : QObject(parent), m_ctx(ctx), m_list(list), m_switch(usbSwitch),
      m_payloads(std::make_unique<UsbPayloadBuilder>())
{
    m_list.setEnabled(true);
    m_switch.setEnabled(true);
    m_switch.setChecked(false); // UsbSyncSwitch starts off
    m_runner = std::make_unique<UsbTransferRunner>(transportFactory());
    connect(m_runner.get(), &UsbTransferRunner::listed, this, &UsbOutput::onListed);
    connect(m_runner.get(), &UsbTransferRunner::message, this, &UsbOutput::onMessage);
    connect(m_runner.get(), &UsbTransferRunner::transferFinished, this, &UsbOutput::onTransferFinished);
    // Choosing another controller opens that one.
    connect(&m_list, &QComboBox::activated, this, [this](int index) {
        m_selection = index;
        m_runner->reopen(index);
    });
    connect(&m_ctx.events, &AppEvents::languageChanged, this, &UsbOutput::applyTexts);
    applyTexts();
    // The panel opens the link when it is made.
    devicesChanged();
}

UsbOutput::~UsbOutput()
{
    // The watcher's thread goes before the transfer thread and the context
    // they share.
    delete m_watcher;
    m_watcher = nullptr;
    m_runner.reset();
}

UsbTransferRunner::TransportFactory UsbOutput::transportFactory()
{
    if (m_ctx.usbTransport)
        return m_ctx.usbTransport;
    const std::optional<UsbDeviceFilter> filter =
        usbDeviceFilterFrom(m_ctx.settings.usbVendorId, m_ctx.settings.usbProductId);
    QString reason;
    std::shared_ptr<LibusbContext> context = filter ? LibusbContext::start(&reason) : nullptr;
    if (!filter) {
        m_unavailable = usbOutputText(
            "NotConfigured", QStringLiteral("没有设置USB控制器：请在 Brightloom.ini 的 [Usb] 节用十六进制写上 VendorId 和 "
                                            "ProductId。"));
    } else if (!context) {
        m_unavailable = usbOutputText("LibusbFailed", QStringLiteral("不能使用USB：%s"), reason);
    }
    if (!context) {
        // An empty bus: the list stays empty, the switch sends nothing.
        return [] {
            struct NoBus : UsbTransport
            {
                std::vector<UsbDeviceEntry> listDevices() override { return {}; }
                UsbOpenResult open(const UsbDeviceEntry &) override { return UsbOpenResult::DeviceFailed; }
                bool isOpen() const override { return false; }
                int write(std::span<const uint8_t>) override { return -1; }
                std::optional<uint8_t> read(int) override { return std::nullopt; }
                void close() override {}
            };
            return std::unique_ptr<UsbTransport>(new NoBus);
        };
    }
    m_lookingFor = usbIdPairText(*filter);
    m_watcher = new LibusbHotplugWatcher(context, *filter);
    connect(m_watcher, &LibusbHotplugWatcher::devicesChanged, this, &UsbOutput::devicesChanged);
    return [context, filter = *filter] { return std::unique_ptr<UsbTransport>(new LibusbTransport(context, filter)); };
}

void UsbOutput::applyTexts()
{
    QString tip = pairedText(QStringLiteral("USB controller list"), QStringLiteral("USB控制器列表"));
    if (!m_unavailable.isEmpty())
        tip += QLatin1Char('\n') + m_unavailable;
    else if (!m_lookingFor.isEmpty() && m_list.count() == 0)
        tip += QLatin1Char('\n') + usbOutputText("NoneAttached", QStringLiteral("没有找到 ID 为 %s 的USB控制器。"),
                                                 m_lookingFor);
    m_list.setToolTip(tip);
    m_switch.setToolTip(pairedText(QStringLiteral("USB Synchronous Transfer Switch"), QStringLiteral("USB同步传输开关")));
}

bool UsbOutput::switchOn() const { return m_switch.isChecked(); }

bool UsbOutput::devicePresent() const { return m_list.count() > 0; }

void UsbOutput::devicesChanged()
{
    m_selection = 0;
    m_runner->reopen(0);
}

void UsbOutput::onListed(const QStringList &entries)
{
    {
        const QSignalBlocker block(&m_list);
        m_list.clear();
        m_list.addItems(entries);
        m_list.setCurrentIndex(m_selection < entries.size() ? m_selection : (entries.isEmpty() ? -1 : 0));
    }
    applyTexts();
    emit listed();
}

void UsbOutput::onMessage(const QString &text) { m_ctx.prompt.inform(text, PromptIcon::Warning); }

std::optional<UsbFramePayload> UsbOutput::currentPayload()
{
    const Frame *frame = m_ctx.doc.currentFrame();
    if (!frame)
        return std::nullopt;
    UsbFramePayload payload =
        m_payloads->build(*frame, m_ctx.doc.rows(), m_ctx.doc.cols(), m_ctx.doc.wiring(), m_ctx.controller);
    if (payload.refused()) {
        // Stopped first: the message waits for the user while the timer
        // would go on asking for frames that cannot be sent.
        if (m_playing && stopPlayback)
            stopPlayback();
        m_ctx.prompt.inform(payload.refusal, PromptIcon::Warning);
        return std::nullopt;
    }
    return payload;
}

bool UsbOutput::sendFrame()
{
    if (!switchOn() || !devicePresent())
        return false;
    if (m_runner->sendBusy()) {
        ++m_skippedSteps;
        return false;
    }
    std::optional<UsbFramePayload> payload = currentPayload();
    return payload && m_runner->sendFrame(std::move(payload->bytes));
}

bool UsbOutput::sendParameters()
{
    if (!switchOn() || !devicePresent())
        return false;
    const std::optional<UsbFramePayload> payload = currentPayload();
    if (!payload)
        return false;
    m_runner->sendParameters(parameterBlock(*payload, m_ctx.controller, m_ctx.doc.frameCount()));
    return true;
}

void UsbOutput::playStarted()
{
    m_playing = true;
    if (!switchOn() || !devicePresent())
        return;
    m_runner->sendCommand(ControllerCommandCode::Play);
    sendParameters();
}

void UsbOutput::playStep()
{
    // With the switch off or no controller there is nothing to do: the
    // list is not made again on every step.
    if (m_playing)
        sendFrame();
}

void UsbOutput::playStopped()
{
    m_playing = false;
    if (switchOn() && devicePresent())
        m_runner->sendCommand(ControllerCommandCode::Stop);
}

void UsbOutput::areaCancelled() { sendFrame(); }

void UsbOutput::areaMoved() { sendParameters(); }

void UsbOutput::onTransferFinished(UsbJob job, bool succeeded)
{
    if (job != UsbJob::Frame || succeeded || !m_playing)
        return;
    // The frame did not get through: start the link afresh, and stop
    // playing frames nobody receives.
    devicesChanged();
    if (switchOn() && stopPlayback)
        stopPlayback();
}
