#include "usb/libusb_bus.h"

#include "usb/usb_endpoints.h"

#include <QMetaObject>
#include <chrono>
#include <libusb-1.0/libusb.h>

namespace {

// A write the controller never takes must not hold the transfer thread
// for ever; the acknowledgement wait has its own two seconds.
constexpr unsigned kWriteTimeoutMs = 5000;

QString libusbReason(int code) { return QString::fromUtf8(libusb_strerror(code)); }

bool deviceMatches(libusb_device *device, const UsbDeviceFilter &filter)
{
    libusb_device_descriptor descriptor{};
    return libusb_get_device_descriptor(device, &descriptor) == LIBUSB_SUCCESS &&
           filter.matches(descriptor.idVendor, descriptor.idProduct);
}

// The device list of the moment, freed when it goes.
struct LibusbDeviceList
{
    libusb_device **devices = nullptr;
    ssize_t count = 0;
    explicit LibusbDeviceList(libusb_context *context)
    {
        count = libusb_get_device_list(context, &devices);
        if (count < 0)
            count = 0;
    }
    ~LibusbDeviceList()
    {
        if (devices)
            libusb_free_device_list(devices, 1);
    }
    LibusbDeviceList(const LibusbDeviceList &) = delete;
    LibusbDeviceList &operator=(const LibusbDeviceList &) = delete;
};

int LIBUSB_CALL onHotplug(libusb_context *, libusb_device *, libusb_hotplug_event, void *watcher)
{
    QMetaObject::invokeMethod(static_cast<QObject *>(watcher), "devicesChanged", Qt::QueuedConnection);
    return 0; // stay registered
}

} // namespace

std::shared_ptr<LibusbContext> LibusbContext::start(QString *error)
{
    libusb_context *context = nullptr;
    const int r = libusb_init(&context);
    if (r != LIBUSB_SUCCESS) {
        if (error)
            *error = libusbReason(r);
        return {};
    }
    return std::shared_ptr<LibusbContext>(new LibusbContext(context));
}

LibusbContext::~LibusbContext() { libusb_exit(m_context); }

bool LibusbContext::hasHotplug() { return libusb_has_capability(LIBUSB_CAP_HAS_HOTPLUG) != 0; }

QString usbPortPathOf(libusb_device *device)
{
    uint8_t ports[8];
    const int n = libusb_get_port_numbers(device, ports, int(sizeof ports));
    QStringList numbers;
    for (int i = 0; i < n; ++i)
        numbers << QString::number(ports[i]);
    return QStringLiteral("bus %1 port %2").arg(libusb_get_bus_number(device)).arg(numbers.join(QLatin1Char('.')));
}

QStringList matchingUsbDevices(LibusbContext &context, const UsbDeviceFilter &filter)
{
    QStringList paths;
    const LibusbDeviceList list(context.get());
    for (ssize_t i = 0; i < list.count; ++i)
        if (deviceMatches(list.devices[i], filter))
            paths << usbPortPathOf(list.devices[i]);
    return paths;
}

LibusbTransport::LibusbTransport(std::shared_ptr<LibusbContext> context, UsbDeviceFilter filter)
    : m_context(std::move(context)), m_filter(filter)
{
}

LibusbTransport::~LibusbTransport() { close(); }

std::vector<UsbDeviceEntry> LibusbTransport::listDevices()
{
    std::vector<UsbDeviceEntry> entries;
    for (const QString &path : matchingUsbDevices(*m_context, m_filter))
        entries.push_back({path, path});
    return entries;
}

UsbOpenResult LibusbTransport::open(const UsbDeviceEntry &entry)
{
    close();
    const LibusbDeviceList list(m_context->get());
    libusb_device *device = nullptr;
    for (ssize_t i = 0; i < list.count && !device; ++i)
        if (deviceMatches(list.devices[i], m_filter) && usbPortPathOf(list.devices[i]) == entry.path)
            device = list.devices[i];
    if (!device)
        return UsbOpenResult::DeviceFailed; // gone since the listing
    libusb_device_handle *handle = nullptr;
    const int opened = libusb_open(device, &handle);
    if (opened == LIBUSB_ERROR_ACCESS)
        return UsbOpenResult::PermissionDenied;
    if (opened != LIBUSB_SUCCESS)
        return UsbOpenResult::DeviceFailed;

    libusb_config_descriptor *config = nullptr;
    UsbBulkPipes pipes;
    if (libusb_get_active_config_descriptor(device, &config) == LIBUSB_SUCCESS) {
        pipes = chooseBulkPipes(endpointsOf(*config));
        libusb_free_config_descriptor(config);
    }
    if (!pipes.hasWritePipe() || !pipes.hasReadPipe()) {
        libusb_close(handle);
        return pipes.hasWritePipe() ? UsbOpenResult::ReadPipeFailed : UsbOpenResult::WritePipeFailed;
    }
    // A kernel driver that took the interface gives it back while we hold it.
    libusb_set_auto_detach_kernel_driver(handle, 1);
    const int claimed = libusb_claim_interface(handle, pipes.interfaceNumber);
    if (claimed != LIBUSB_SUCCESS) {
        libusb_close(handle);
        return claimed == LIBUSB_ERROR_ACCESS ? UsbOpenResult::PermissionDenied : UsbOpenResult::DeviceFailed;
    }
    m_handle = handle;
    m_interface = pipes.interfaceNumber;
    m_out = (unsigned char)pipes.outAddress;
    m_in = (unsigned char)pipes.inAddress;
    return UsbOpenResult::Opened;
}

int LibusbTransport::write(std::span<const uint8_t> bytes)
{
    if (!m_handle)
        return -1;
    int sent = 0;
    const int r = libusb_bulk_transfer(m_handle, m_out, const_cast<unsigned char *>(bytes.data()), int(bytes.size()),
                                       &sent, kWriteTimeoutMs);
    // A write cut short by the timeout reports what got through.
    if (r != LIBUSB_SUCCESS && sent <= 0)
        return -1;
    return sent;
}

std::optional<uint8_t> LibusbTransport::read(int timeoutMs)
{
    if (!m_handle)
        return std::nullopt;
    // Room for a whole packet: a controller that answers with more than the
    // one byte must not overflow the read.
    unsigned char reply[512] = {};
    int got = 0;
    const int r = libusb_bulk_transfer(m_handle, m_in, reply, int(sizeof reply), &got, unsigned(timeoutMs));
    if (r != LIBUSB_SUCCESS || got < 1)
        return std::nullopt;
    return reply[0];
}

void LibusbTransport::close()
{
    if (!m_handle)
        return;
    libusb_release_interface(m_handle, m_interface);
    libusb_close(m_handle);
    m_handle = nullptr;
    m_interface = -1;
}

LibusbHotplugWatcher::LibusbHotplugWatcher(std::shared_ptr<LibusbContext> context, UsbDeviceFilter filter,
                                           QObject *parent, int pollMs)
    : QObject(parent), m_context(std::move(context)), m_filter(filter), m_pollMs(pollMs)
{
    if (LibusbContext::hasHotplug()) {
        libusb_hotplug_callback_handle handle = 0;
        const int r = libusb_hotplug_register_callback(
            m_context->get(), libusb_hotplug_event(LIBUSB_HOTPLUG_EVENT_DEVICE_ARRIVED | LIBUSB_HOTPLUG_EVENT_DEVICE_LEFT),
            LIBUSB_HOTPLUG_NO_FLAGS, m_filter.vendorId, m_filter.productId, LIBUSB_HOTPLUG_MATCH_ANY, onHotplug, this,
            &handle);
        if (r == LIBUSB_SUCCESS)
            m_callback = handle;
    }
    m_thread = std::thread([this] { run(); });
}

LibusbHotplugWatcher::~LibusbHotplugWatcher()
{
    m_stop = true;
    // Deregistering wakes an event wait in progress.
    if (m_callback >= 0)
        libusb_hotplug_deregister_callback(m_context->get(), m_callback);
    m_thread.join();
}

void LibusbHotplugWatcher::run()
{
    using namespace std::chrono;
    QStringList last = m_callback >= 0 ? QStringList() : matchingUsbDevices(*m_context, m_filter);
    auto nextPoll = steady_clock::now() + milliseconds(m_pollMs);
    while (!m_stop) {
        if (m_callback >= 0) {
            // The callback runs inside this wait, on this thread.
            timeval wait{0, 200 * 1000};
            libusb_handle_events_timeout_completed(m_context->get(), &wait, nullptr);
            continue;
        }
        std::this_thread::sleep_for(milliseconds(100));
        if (steady_clock::now() < nextPoll)
            continue;
        nextPoll = steady_clock::now() + milliseconds(m_pollMs);
        QStringList now = matchingUsbDevices(*m_context, m_filter);
        if (now != last) {
            last = std::move(now);
            announce();
        }
    }
}

void LibusbHotplugWatcher::announce()
{
    QMetaObject::invokeMethod(this, &LibusbHotplugWatcher::devicesChanged, Qt::QueuedConnection);
}
