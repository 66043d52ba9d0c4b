#pragma once
// The machine's USB bus through libusb: the controllers that match the ids
// of the settings file, one open controller's bulk pipes, and a watcher that
// says when devices come and go (libusb's hot-plug callback where the
// system offers it, otherwise a look at the bus every two seconds).

#include "links/usb/usb_device_filter.h"
#include "links/usb/usb_transport.h"

#include <QObject>
#include <QString>
#include <atomic>
#include <memory>
#include <thread>

struct libusb_context;
struct libusb_device;
struct libusb_device_handle;

// One libusb context, shared by the transport (on the transfer thread) and
// the watcher (on its own thread); libusb serialises their use of it.
class LibusbContext
{
public:
    // Nothing, with libusb's reason in `error`, when libusb cannot start.
    static std::shared_ptr<LibusbContext> start(QString *error = nullptr);
    ~LibusbContext();
    LibusbContext(const LibusbContext &) = delete;
    LibusbContext &operator=(const LibusbContext &) = delete;

    libusb_context *get() const { return m_context; }
    static bool hasHotplug();

private:
    explicit LibusbContext(libusb_context *context) : m_context(context) {}
    libusb_context *m_context;
};

// "bus 1 port 1.4": where a device sits, which stays the same while it is
// plugged in there (its address changes on every re-enumeration).
QString usbPortPathOf(libusb_device *device);

// The ports of the matching devices now on the bus, in the bus's order.
QStringList matchingUsbDevices(LibusbContext &context, const UsbDeviceFilter &filter);

class LibusbTransport : public UsbTransport
{
public:
    LibusbTransport(std::shared_ptr<LibusbContext> context, UsbDeviceFilter filter);
    ~LibusbTransport() override;

    std::vector<UsbDeviceEntry> listDevices() override;
    UsbOpenResult open(const UsbDeviceEntry &device) override;
    bool isOpen() const override { return m_handle != nullptr; }
    int write(std::span<const uint8_t> bytes) override;
    std::optional<uint8_t> read(int timeoutMs) override;
    void close() override;

private:
    std::shared_ptr<LibusbContext> m_context;
    UsbDeviceFilter m_filter;
    libusb_device_handle *m_handle = nullptr;
    int m_interface = -1;
    unsigned char m_out = 0;
    unsigned char m_in = 0;
};

// Says (on the thread that made it) when a matching device was plugged in
// or taken out.
class LibusbHotplugWatcher : public QObject
{
    Q_OBJECT
public:
    // `pollMs`: how often the bus is looked at where there is no hot-plug.
    LibusbHotplugWatcher(std::shared_ptr<LibusbContext> context, UsbDeviceFilter filter, QObject *parent = nullptr,
                         int pollMs = 2000);
    ~LibusbHotplugWatcher() override;

    bool usesHotplugCallback() const { return m_callback >= 0; }

signals:
    void devicesChanged();

private:
    void announce();
    void run();

    std::shared_ptr<LibusbContext> m_context;
    UsbDeviceFilter m_filter;
    int m_pollMs;
    int m_callback = -1;
    std::atomic_bool m_stop{false};
    std::thread m_thread;
};
