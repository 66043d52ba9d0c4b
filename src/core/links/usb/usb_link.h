#pragma once
// The link to one USB controller, as the operation panel holds it: the
// controllers found on the bus, the one that is open, and the transfers
// that carry a raw block or a payload to it. Every write is followed by a
// wait of at most two seconds for the controller's acknowledgement; any
// answer but 0xFF, or none, closes the link, and the next write of the
// transfer then fails and is reported.
//
// Calls are synchronous; the caller decides which thread waits.

#include "links/usb/usb_transport.h"

#include <QString>
#include <QStringList>
#include <cstdint>
#include <span>

class Prompt;

// The controller list's entry for every controller listed.
QString usbControllerEntryText();

enum class UsbTransferResult {
    Success,
    Failed, // a message has been shown
};

class UsbLink
{
public:
    UsbLink(UsbTransport &transport, Prompt &prompt);
    ~UsbLink();

    UsbLink(const UsbLink &) = delete;
    UsbLink &operator=(const UsbLink &) = delete;

    // Asks the bus again: one "Zarimo-USB" entry per controller that can be
    // told apart, in the order the bus gives them.
    QStringList listDevices();
    const QStringList &entries() const { return m_entries; }
    // True when the last listing found a controller.
    bool devicePresent() const { return !m_devices.empty(); }

    // Closes the link, lists the controllers again and opens entry
    // `selected` of the new list (nothing when there is none). A pipe that
    // will not open is named in a message; a device that will not open
    // leaves the link closed without one.
    void openLink(int selected = 0);
    void closeLink();
    bool isOpen() const { return m_transport.isOpen(); }

    // One write to the controller: refused when the link is closed or the
    // length is 0 or above 4,096 bytes. A failed write is not repeated.
    bool write(std::span<const uint8_t> bytes);
    // Waits for the controller's acknowledgement and closes the link unless
    // it is 0xFF in time. Shows nothing.
    void readAcknowledgement();

    // A size message announcing the block's length, then the block (at most
    // 508 bytes) and its acknowledgement.
    UsbTransferResult transferBlock(std::span<const uint8_t> block);
    // A size message announcing D + 4K, then the payload in K chunks of up
    // to 504 bytes, each acknowledged. A chunk that does not go out ends the
    // transfer as a failure, as the size message does.
    UsbTransferResult transferPayload(std::span<const uint8_t> payload);

    // Set while a frame or parameter transfer runs, so that a playback step
    // does not start a second one meanwhile.
    bool sendBusy() const { return m_sendBusy; }
    void setSendBusy(bool busy) { m_sendBusy = busy; }

private:
    // The size message of a transfer; false (message shown) when it did not
    // go out whole.
    bool writeSizeMessage(int64_t announced);
    void reportDataFailure();

    UsbTransport &m_transport;
    Prompt &m_prompt;
    std::vector<UsbDeviceEntry> m_devices;
    QStringList m_entries;
    bool m_sendBusy = false;
};

// Holds UsbSendBusy set for as long as it lives.
class UsbSendBusyScope
{
public:
    explicit UsbSendBusyScope(UsbLink &link) : m_link(link) { m_link.setSendBusy(true); }
    ~UsbSendBusyScope() { m_link.setSendBusy(false); }
    UsbSendBusyScope(const UsbSendBusyScope &) = delete;
    UsbSendBusyScope &operator=(const UsbSendBusyScope &) = delete;

private:
    UsbLink &m_link;
};

// The link's messages, for the tests and the operation panel.
namespace UsbLinkText {
QString writePipeFailed();
QString readPipeFailed();
QString sizeMessageFailed();
QString sizeMessageIncomplete();
QString dataFailed();
QString payloadTooLarge(int64_t announced);
QString tooManyPorts(int ports, int maxPorts);
// The device the system will not let this user open, and the udev rule
// that lets it.
QString permissionDenied(const QString &device);
} // namespace UsbLinkText
