#pragma once
// What the USB link needs from the machine: the controllers on the bus, and
// one open controller's two bulk pipes. The program's backend talks to the
// real bus; the tests give a controller that answers from a script, so the
// link's procedures run the same against both.

#include <QString>
#include <cstdint>
#include <optional>
#include <span>
#include <vector>

// One controller found on the bus.
struct UsbDeviceEntry
{
    QString path;       // what open() is given to reach this device again
    QString instanceId; // empty for a device that cannot be told apart; it is not listed
};

enum class UsbOpenResult {
    Opened,
    DeviceFailed,    // the device itself could not be opened; nothing is shown
    PermissionDenied, // the system does not let this user open it; named in a message
    WritePipeFailed, // "PIPE01", host to controller
    ReadPipeFailed,  // "PIPE00", controller to host
};

class UsbTransport
{
public:
    virtual ~UsbTransport() = default;
    virtual std::vector<UsbDeviceEntry> listDevices() = 0;
    // Opens the device and both pipes. On a pipe failure whatever was
    // opened is closed again.
    virtual UsbOpenResult open(const UsbDeviceEntry &device) = 0;
    virtual bool isOpen() const = 0;
    // One write to the OUT pipe: the number of bytes the controller took,
    // or -1 when the write failed.
    virtual int write(std::span<const uint8_t> bytes) = 0;
    // One byte from the IN pipe, waiting at most `timeoutMs`; nothing when
    // the wait ran out or the read failed (a pending read is cancelled).
    virtual std::optional<uint8_t> read(int timeoutMs) = 0;
    virtual void close() = 0;
};
