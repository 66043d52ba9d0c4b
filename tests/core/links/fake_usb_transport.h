#pragma once
// A USB bus for the link tests: the controllers it lists, how opening them
// goes, and a controller that answers every write from a rule. Every write
// and every acknowledgement wait is kept, so a test sees the exact bytes
// and the order of writes and reads.

#include "links/usb/usb_transport.h"
#include "settings/language.h"

#include <functional>
#include <vector>

class FakeUsbTransport : public UsbTransport
{
public:
    std::vector<UsbDeviceEntry> listDevices() override
    {
        ++listings;
        return devices;
    }
    UsbOpenResult open(const UsbDeviceEntry &device) override
    {
        openedPaths.push_back(device.path);
        m_open = openResult == UsbOpenResult::Opened;
        return openResult;
    }
    bool isOpen() const override { return m_open; }
    int write(std::span<const uint8_t> bytes) override
    {
        const int index = int(writes.size());
        if (!m_open || index == failWriteAt)
            return -1;
        writes.emplace_back(bytes.begin(), bytes.end());
        events.push_back('w');
        if (onWrite)
            onWrite();
        return index == shortWriteAt ? int(bytes.size()) - 1 : int(bytes.size());
    }
    std::optional<uint8_t> read(int timeoutMs) override
    {
        readTimeouts.push_back(timeoutMs);
        events.push_back('r');
        if (!answer)
            return std::nullopt; // silence: the wait runs out
        return answer(writes.back(), int(writes.size()) - 1);
    }
    void close() override
    {
        ++closes;
        m_open = false;
    }

    std::vector<UsbDeviceEntry> devices;
    UsbOpenResult openResult = UsbOpenResult::Opened;
    // (bytes of the last write, its index from 0) -> the controller's reply,
    // or nothing for no reply within the wait.
    std::function<std::optional<uint8_t>(const std::vector<uint8_t> &, int)> answer =
        [](const std::vector<uint8_t> &, int) { return std::optional<uint8_t>(0xFF); };
    std::function<void()> onWrite;
    int failWriteAt = -1;  // index of the write that fails outright
    int shortWriteAt = -1; // index of the write that loses its last byte

    int listings = 0;
    int closes = 0;
    std::vector<QString> openedPaths;
    std::vector<std::vector<uint8_t>> writes;
    std::vector<int> readTimeouts;
    std::string events; // 'w' per write, 'r' per acknowledgement wait

private:
    bool m_open = false;
};

// Language files of the program for the duration of a test, in English.
struct UsbEnglishTexts
{
    UsbEnglishTexts()
    {
        Language::setFolder(QStringLiteral(BRIGHTLOOM_RESOURCES));
        Language::setCode(Language::English);
    }
    ~UsbEnglishTexts()
    {
        Language::setFolder(QString());
        Language::setCode(Language::English);
    }
};
