#include "links/usb/usb_device_filter.h"

std::optional<uint16_t> parseUsbId(const QString &text)
{
    QString digits = text.trimmed();
    if (digits.startsWith(QLatin1String("0x"), Qt::CaseInsensitive))
        digits = digits.mid(2);
    if (digits.isEmpty() || digits.size() > 4)
        return std::nullopt;
    uint16_t value = 0;
    for (const QChar c : digits) {
        const int digit = QStringLiteral("0123456789abcdef").indexOf(c.toLower());
        if (digit < 0)
            return std::nullopt;
        value = uint16_t(value << 4 | digit);
    }
    return value;
}

std::optional<UsbDeviceFilter> usbDeviceFilterFrom(const QString &vendorText, const QString &productText)
{
    const std::optional<uint16_t> vendor = parseUsbId(vendorText);
    const std::optional<uint16_t> product = parseUsbId(productText);
    if (!vendor || !product)
        return std::nullopt;
    return UsbDeviceFilter{*vendor, *product};
}

QString usbIdPairText(const UsbDeviceFilter &filter)
{
    return QStringLiteral("%1:%2").arg(filter.vendorId, 4, 16, QLatin1Char('0')).arg(filter.productId, 4, 16, QLatin1Char('0'));
}
