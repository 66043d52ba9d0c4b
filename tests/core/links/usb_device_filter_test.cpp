#include "fake_usb_transport.h"

#include "links/usb/usb_device_filter.h"
#include "links/usb/usb_link.h"
#include "scripted_prompt.h"
#include "settings/app_settings.h"

#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

TEST(UsbDeviceIds, HexadecimalWithOrWithoutPrefixUpTo16Bits)
{
    EXPECT_EQ(parseUsbId(QStringLiteral("1d50")), 0x1d50);
    EXPECT_EQ(parseUsbId(QStringLiteral(" 0x1D50 ")), 0x1d50);
    EXPECT_EQ(parseUsbId(QStringLiteral("0X0a")), 0x000a);
    EXPECT_EQ(parseUsbId(QStringLiteral("ffff")), 0xffff);
    for (const char *bad : {"", "0x", "1d500", "12g4", "-1", "1 2", "0x0x12"})
        EXPECT_FALSE(parseUsbId(QString::fromLatin1(bad))) << bad;
}

TEST(UsbDeviceIds, AFilterNeedsBothIdsAndMatchesOnlyBoth)
{
    EXPECT_FALSE(usbDeviceFilterFrom(QStringLiteral("1d50"), QString()));
    EXPECT_FALSE(usbDeviceFilterFrom(QString(), QStringLiteral("6018")));
    const std::optional<UsbDeviceFilter> filter = usbDeviceFilterFrom(QStringLiteral("1d50"), QStringLiteral("6018"));
    ASSERT_TRUE(filter);
    EXPECT_TRUE(filter->matches(0x1d50, 0x6018));
    EXPECT_FALSE(filter->matches(0x1d50, 0x6019));
    EXPECT_FALSE(filter->matches(0x6018, 0x1d50));
    EXPECT_EQ(usbIdPairText(*filter), QStringLiteral("1d50:6018"));
    EXPECT_EQ(usbIdPairText({0x0a, 0x1}), QStringLiteral("000a:0001"));
}

TEST(UsbDeviceIds, SettingsFileSectionUsbIsReadAndKeptAsWritten)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("Brightloom.ini"));
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write("[main]\nRows=12\n[usb]\nvendorid = 0x1D50\nProductId=6018\n");
    f.close();
    AppSettings s = LoadSettings(path);
    EXPECT_EQ(s.usbVendorId, QStringLiteral("0x1D50"));
    EXPECT_EQ(s.usbProductId, QStringLiteral("6018"));
    ASSERT_TRUE(SaveSettings(s, path));
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    EXPECT_TRUE(f.readAll().contains("[usb]\nvendorid = 0x1D50\nProductId=6018\n"));

    const AppSettings none = LoadSettings(dir.filePath(QStringLiteral("missing.ini")));
    EXPECT_TRUE(none.usbVendorId.isEmpty());
    EXPECT_TRUE(none.usbProductId.isEmpty());
}

TEST(UsbDeviceIds, AControllerThatMayNotBeOpenedIsNamedWithTheRuleAndLeftClosed)
{
    const UsbEnglishTexts english;
    FakeUsbTransport bus;
    bus.devices = {{QStringLiteral("bus 3 port 2"), QStringLiteral("bus 3 port 2")}};
    bus.openResult = UsbOpenResult::PermissionDenied;
    ScriptedPrompt prompt;
    UsbLink link(bus, prompt);
    link.openLink();
    EXPECT_FALSE(link.isOpen());
    EXPECT_TRUE(link.devicePresent());
    ASSERT_EQ(prompt.shown.size(), 1u);
    EXPECT_EQ(prompt.shown[0].icon, PromptIcon::Warning);
    EXPECT_TRUE(prompt.shown[0].text.startsWith(QStringLiteral("This user may not open the USB controller at bus 3 port 2.\n")));
    EXPECT_TRUE(prompt.shown[0].text.contains(QStringLiteral(BRIGHTLOOM_UDEV_RULE_FILE)));
    EXPECT_TRUE(prompt.shown[0].text.contains(QStringLiteral("resources/linux/")));
}
