#pragma once
// A USB bus for the widget tests: the controllers it lists and a controller
// that takes every write and answers 0xFF, unless the test makes a write
// fail or stall. The transport runs on the USB transfer thread; the test
// reads what it recorded through the shared, locked script.

#include "links/usb/usb_transport.h"
#include "shell/editor_application.h"

#include <chrono>
#include <memory>
#include <mutex>
#include <thread>
#include <vector>

struct UsbBusScript
{
    mutable std::mutex lock;
    std::vector<UsbDeviceEntry> devices;
    UsbOpenResult openResult = UsbOpenResult::Opened;
    int failWriteAt = -1;  // index of the write that fails (from 0)
    int stallWriteAt = -1; // index of the write that takes stallMs
    int stallMs = 0;

    std::vector<std::vector<uint8_t>> writes;
    std::vector<QString> opened;
    int listings = 0;

    std::vector<std::vector<uint8_t>> writesSoFar() const
    {
        const std::lock_guard hold(lock);
        return writes;
    }
    int listingsSoFar() const
    {
        const std::lock_guard hold(lock);
        return listings;
    }
    std::vector<QString> openedSoFar() const
    {
        const std::lock_guard hold(lock);
        return opened;
    }
    void plugIn(int count)
    {
        const std::lock_guard hold(lock);
        devices.clear();
        for (int i = 0; i < count; ++i) {
            const QString path = QStringLiteral("bus 1 port %1").arg(i + 1);
            devices.push_back({path, path});
        }
    }
};

class ScriptedUsbTransport : public UsbTransport
{
public:
    explicit ScriptedUsbTransport(std::shared_ptr<UsbBusScript> script) : m_script(std::move(script)) {}

    std::vector<UsbDeviceEntry> listDevices() override
    {
        const std::lock_guard hold(m_script->lock);
        ++m_script->listings;
        return m_script->devices;
    }
    UsbOpenResult open(const UsbDeviceEntry &device) override
    {
        const std::lock_guard hold(m_script->lock);
        m_script->opened.push_back(device.path);
        m_open = m_script->openResult == UsbOpenResult::Opened;
        return m_script->openResult;
    }
    bool isOpen() const override { return m_open; }
    int write(std::span<const uint8_t> bytes) override
    {
        int stall = 0;
        {
            const std::lock_guard hold(m_script->lock);
            const int index = int(m_script->writes.size());
            if (!m_open || index == m_script->failWriteAt) {
                m_script->failWriteAt = -1; // one failure; the reopened link works
                return -1;
            }
            m_script->writes.emplace_back(bytes.begin(), bytes.end());
            if (index == m_script->stallWriteAt)
                stall = m_script->stallMs;
        }
        if (stall > 0)
            std::this_thread::sleep_for(std::chrono::milliseconds(stall));
        return int(bytes.size());
    }
    std::optional<uint8_t> read(int) override { return uint8_t(0xFF); }
    void close() override { m_open = false; }

private:
    std::shared_ptr<UsbBusScript> m_script;
    bool m_open = false;
};

// Editor options that reach the scripted bus instead of the machine's.
inline void useScriptedUsb(EditorOptions &options, const std::shared_ptr<UsbBusScript> &script)
{
    options.usbTransport = [script] { return std::unique_ptr<UsbTransport>(new ScriptedUsbTransport(script)); };
}
