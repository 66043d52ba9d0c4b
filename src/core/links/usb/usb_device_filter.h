#pragma once
// Which USB devices are Brightloom's controllers: the vendor and product id
// written in the settings file (section "Usb", keys "VendorId" and
// "ProductId", hexadecimal as lsusb prints them: "1d50", "0x1D50"). Without
// both ids no device is looked for.

#include <QString>
#include <cstdint>
#include <optional>

struct UsbDeviceFilter
{
    uint16_t vendorId = 0;
    uint16_t productId = 0;

    bool matches(uint16_t vendor, uint16_t product) const { return vendor == vendorId && product == productId; }
};

// One id: one to four hexadecimal digits, "0x" in front allowed, blanks
// around it ignored; nothing for any other text.
std::optional<uint16_t> parseUsbId(const QString &text);

// Both ids from their texts; nothing when either is missing or unreadable.
std::optional<UsbDeviceFilter> usbDeviceFilterFrom(const QString &vendorText, const QString &productText);

// "1d50:6018", as lsusb writes a device's ids.
QString usbIdPairText(const UsbDeviceFilter &filter);
