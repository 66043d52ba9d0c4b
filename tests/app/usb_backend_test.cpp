// The libusb side of the USB link, as far as it goes without a controller:
// which endpoints become the pipes, libusb starting and its hot-plug
// report, and an editor whose settings name a controller that is not
// plugged in, or none at all.

#include "shell_test_support.h"

#include "editing/operation_panel.h"
#include "links/usb_output.h"
#include "usb/libusb_bus.h"
#include "usb/usb_endpoints.h"

#include <QComboBox>
#include <QFile>
#include <QTest>

class UsbBackendTest : public QObject
{
    Q_OBJECT
private slots:
    void bulkPipesAreTheFirstOutAndTheFirstInBesideIt_data();
    void bulkPipesAreTheFirstOutAndTheFirstInBesideIt();
    void libusbStartsAndSaysWhetherItHasHotplug();
    void configuredIdsWithNothingPluggedInListNoController();
    void withoutIdsTheListSaysNoControllerIsConfigured_data();
    void withoutIdsTheListSaysNoControllerIsConfigured();
};

namespace {

constexpr uint8_t kBulk = 0x02;
constexpr uint8_t kInterrupt = 0x03;

UsbEndpointInfo usbEndpoint(int interface, int alt, uint8_t address, uint8_t type)
{
    return {interface, alt, address, type};
}

// An editor whose settings file holds `usbSection` (the lines after
// "[Usb]"); an empty text writes no section.
std::unique_ptr<TestEditor> editorWithUsbSettings(const QString &usbSection)
{
    return std::make_unique<TestEditor>([&](EditorOptions &o) {
        if (usbSection.isEmpty())
            return;
        QFile f(o.settingsPath);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write(QStringLiteral("[main]\nRows=24\n[Usb]\n%1\n").arg(usbSection).toUtf8());
    });
}

void settleUsb(TestEditor &e)
{
    e.window().usbOutput().runner().waitForJobs();
    QCoreApplication::processEvents();
}

} // namespace

void UsbBackendTest::bulkPipesAreTheFirstOutAndTheFirstInBesideIt_data()
{
    QTest::addColumn<std::vector<UsbEndpointInfo>>("endpoints");
    QTest::addColumn<int>("interface");
    QTest::addColumn<int>("out");
    QTest::addColumn<int>("in");
    QTest::newRow("one interface, IN listed first")
        << std::vector{usbEndpoint(0, 0, 0x81, kBulk), usbEndpoint(0, 0, 0x01, kBulk)} << 0 << 0x01 << 0x81;
    QTest::newRow("interrupt endpoints are passed over")
        << std::vector{usbEndpoint(0, 0, 0x02, kInterrupt), usbEndpoint(0, 0, 0x83, kInterrupt),
                       usbEndpoint(0, 0, 0x04, kBulk), usbEndpoint(0, 0, 0x85, kBulk), usbEndpoint(0, 0, 0x06, kBulk)}
        << 0 << 0x04 << 0x85;
    QTest::newRow("the IN pipe comes from the OUT pipe's interface")
        << std::vector{usbEndpoint(0, 0, 0x81, kBulk), usbEndpoint(1, 0, 0x02, kBulk), usbEndpoint(1, 0, 0x82, kBulk)}
        << 1 << 0x02 << 0x82;
    QTest::newRow("alternate settings do not count")
        << std::vector{usbEndpoint(0, 1, 0x01, kBulk), usbEndpoint(0, 0, 0x03, kBulk), usbEndpoint(0, 1, 0x81, kBulk),
                       usbEndpoint(0, 0, 0x84, kBulk)}
        << 0 << 0x03 << 0x84;
    QTest::newRow("no bulk OUT: no write pipe") << std::vector{usbEndpoint(0, 0, 0x81, kBulk)} << -1 << -1 << -1;
    QTest::newRow("no bulk IN: no read pipe") << std::vector{usbEndpoint(0, 0, 0x01, kBulk)} << 0 << 0x01 << -1;
}

void UsbBackendTest::bulkPipesAreTheFirstOutAndTheFirstInBesideIt()
{
    QFETCH(std::vector<UsbEndpointInfo>, endpoints);
    QFETCH(int, interface);
    QFETCH(int, out);
    QFETCH(int, in);
    const UsbBulkPipes pipes = chooseBulkPipes(endpoints);
    QCOMPARE(pipes.interfaceNumber, interface);
    QCOMPARE(pipes.outAddress, out);
    QCOMPARE(pipes.inAddress, in);
    QCOMPARE(pipes.hasWritePipe(), out >= 0);
    QCOMPARE(pipes.hasReadPipe(), in >= 0);
}

void UsbBackendTest::libusbStartsAndSaysWhetherItHasHotplug()
{
    QString reason;
    const std::shared_ptr<LibusbContext> context = LibusbContext::start(&reason);
    QVERIFY2(context, qPrintable(reason));
    qInfo("libusb hot-plug: %s", LibusbContext::hasHotplug() ? "callback" : "none, the bus is polled");
    const UsbDeviceFilter filter{0x1209, 0x0001};
    {
        LibusbHotplugWatcher watcher(context, filter, nullptr, 50);
        QCOMPARE(watcher.usesHotplugCallback(), LibusbContext::hasHotplug());
        QSignalSpy changes(&watcher, &LibusbHotplugWatcher::devicesChanged);
        QTest::qWait(200); // a few polls, or events handled, on a quiet bus
        QCOMPARE(changes.count(), 0);
    }
    QVERIFY(matchingUsbDevices(*context, filter).isEmpty());
    LibusbTransport transport(context, filter);
    QVERIFY(transport.listDevices().empty());
    QCOMPARE(transport.open({QStringLiteral("bus 1 port 1"), QStringLiteral("bus 1 port 1")}),
             UsbOpenResult::DeviceFailed);
    QVERIFY(!transport.isOpen());
    QCOMPARE(transport.write(std::vector<uint8_t>{1, 2, 3}), -1);
}

void UsbBackendTest::configuredIdsWithNothingPluggedInListNoController()
{
    const auto e = editorWithUsbSettings(QStringLiteral("VendorId=1209\nProductId=0x0001"));
    settleUsb(*e);
    QComboBox *list = e->window().operationPanel()->usbList();
    QCOMPARE(list->count(), 0);
    QVERIFY(list->isEnabled());
    QVERIFY(e->window().usbOutput().unavailableReason().isEmpty());
    QCOMPARE(list->toolTip(), QStringLiteral("USB controller list\nNo controller with the id 1209:0001 is plugged in."));
    QVERIFY(e->prompt.shown.empty());
}

void UsbBackendTest::withoutIdsTheListSaysNoControllerIsConfigured_data()
{
    QTest::addColumn<QString>("usbSection");
    QTest::newRow("no section") << QString();
    QTest::newRow("product id missing") << QStringLiteral("VendorId=1209");
    QTest::newRow("not hexadecimal") << QStringLiteral("VendorId=12g9\nProductId=0001");
    QTest::newRow("more than 16 bits") << QStringLiteral("VendorId=12090\nProductId=0001");
}

void UsbBackendTest::withoutIdsTheListSaysNoControllerIsConfigured()
{
    QFETCH(QString, usbSection);
    const auto e = editorWithUsbSettings(usbSection);
    settleUsb(*e);
    QComboBox *list = e->window().operationPanel()->usbList();
    QCOMPARE(list->count(), 0);
    const QString reason = QStringLiteral("No USB controller is configured: write its ids in hexadecimal as VendorId "
                                          "and ProductId in section [Usb] of Brightloom.ini.");
    QCOMPARE(e->window().usbOutput().unavailableReason(), reason);
    QCOMPARE(list->toolTip(), QStringLiteral("USB controller list\n") + reason);
    // The switch can be turned on; with nothing listed playback sends nothing.
    QVERIFY(e->window().operationPanel()->usbSwitch()->isEnabled());
}

QTEST_MAIN(UsbBackendTest)
#include "usb_backend_test.moc"
