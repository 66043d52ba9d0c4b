#include "fake_usb_transport.h"

#include "../wiring/wiring_test_support.h"
#include "document/frame.h"
#include "document/wiring.h"
#include "links/usb/usb_frame_payload.h"

#include <gtest/gtest.h>

namespace {

using PayloadBytes = std::vector<uint8_t>;

// A 3 x 2 grid: port 0 runs pixels 0..2 along the top row, port 1 pixels
// 0..1 along the bottom row; the bottom right point is not wired. Every
// point has its own colour: red 0xR0, green 0xR1, blue 0xR2 with R the
// point's number from 1.
struct TwoPortGrid
{
    static constexpr int kRows = 2;
    static constexpr int kCols = 3;
    Frame frame{kRows * kCols};
    Wiring wiring;
    ControllerParams params;

    TwoPortGrid()
    {
        for (int i = 0; i < kRows * kCols; ++i) {
            const unsigned base = unsigned(i + 1) << 4;
            frame[size_t(i)] = makeColor(base, base + 1, base + 2);
        }
        wiring.resetCellMap(kRows, kCols);
        for (int k = 0; k < 3; ++k)
            wiring.append(wiredAt(k, 0, 0, k));
        for (int k = 0; k < 2; ++k)
            wiring.append(wiredAt(k, 1, 1, k));
        params.controllerModel = 1;
        params.communicationFormat = 0;
        params.greyLevels = 256;
    }

    UsbFramePayload build() const { return buildUsbFramePayload(frame, kRows, kCols, wiring, params); }
};

// One point wired as pixel 0 of each listed port, on a grid one row high.
UsbFramePayload onePixelPorts(const std::vector<ColorValue> &colours, const ControllerParams &params)
{
    Frame frame(colours.size());
    Wiring wiring;
    wiring.resetCellMap(1, int(colours.size()));
    for (size_t p = 0; p < colours.size(); ++p) {
        frame[p] = colours[p];
        wiring.append(wiredAt(int(p), 0, int(p), 0));
    }
    return buildUsbFramePayload(frame, 1, int(colours.size()), wiring, params);
}

ControllerParams usbModel1(int format, int greyLevels)
{
    ControllerParams p;
    p.controllerModel = 1;
    p.communicationFormat = format;
    p.greyLevels = greyLevels;
    return p;
}

} // namespace

// --- the format step ---------------------------------------------------------------

TEST(UsbFramePayloadFormats, Format0InterleavesThePortsByteByByte)
{
    const UsbFramePayload payload = TwoPortGrid().build();
    EXPECT_EQ(payload.ports, 2);
    EXPECT_EQ(payload.pixelsPerPort, 3);
    EXPECT_EQ(payload.lanes, 2);
    // port 0 pixel 0 is point 1 (0x10..), port 1 pixel 0 is point 4 (0x40..);
    // port 1 has no pixel 2 and gives zeros there.
    EXPECT_EQ(payload.bytes, (PayloadBytes{0x10, 0x40, 0x11, 0x41, 0x12, 0x42, 0x20, 0x50, 0x21, 0x51, 0x22, 0x52,
                                           0x30, 0x00, 0x31, 0x00, 0x32, 0x00}));
}

TEST(UsbFramePayloadFormats, Formats1And5RunFromTheLastPixel)
{
    TwoPortGrid grid;
    grid.params.communicationFormat = 1;
    EXPECT_EQ(grid.build().bytes, (PayloadBytes{0x30, 0x00, 0x31, 0x00, 0x32, 0x00, 0x20, 0x50, 0x21, 0x51, 0x22,
                                                0x52, 0x10, 0x40, 0x11, 0x41, 0x12, 0x42}));
    grid.params.communicationFormat = 5;
    EXPECT_EQ(grid.build().bytes, (PayloadBytes{0x32, 0x00, 0x31, 0x00, 0x30, 0x00, 0x22, 0x52, 0x21, 0x51, 0x20,
                                                0x50, 0x12, 0x42, 0x11, 0x41, 0x10, 0x40}));
}

TEST(UsbFramePayloadFormats, Format2WalksCycleGroupsBackwardsThroughTheOrderList)
{
    TwoPortGrid grid;
    grid.params.communicationFormat = 2;
    grid.params.cycle = 2; // 3 pixels make two groups: (2, 3) and (0, 1); pixel 3 does not exist
    grid.params.orderList.assignLogical({{QStringLiteral("1"), QStringLiteral("r")},
                                         {QStringLiteral("2"), QStringLiteral("g")},
                                         {QStringLiteral("null"), QStringLiteral("null")},
                                         {QStringLiteral("1"), QStringLiteral("b")},
                                         {QStringLiteral("2"), QStringLiteral("w")}}); // gives nothing
    EXPECT_EQ(grid.build().bytes, (PayloadBytes{0x30, 0x00, 0x00, 0x00, 0x00, 0x00, 0x32, 0x00,   // group (2, 3)
                                                0x10, 0x40, 0x21, 0x51, 0x00, 0x00, 0x12, 0x42})); // group (0, 1)
}

TEST(UsbFramePayloadFormats, FormatWithoutUsbLayoutGivesAnEmptyPayload)
{
    TwoPortGrid grid;
    grid.params.communicationFormat = 3;
    const UsbFramePayload payload = grid.build();
    EXPECT_TRUE(payload.bytes.empty());
    EXPECT_FALSE(payload.refused());
    const auto block = parameterBlock(payload, grid.params, 1);
    EXPECT_EQ(block[1] | block[2] << 8, 0);
    EXPECT_EQ(block[13] | block[14] << 8, 0);
}

TEST(UsbFramePayloadFormats, EmptyWiringIsOnePortOfOneBlackPixel)
{
    Wiring none;
    none.resetCellMap(2, 3);
    const UsbFramePayload payload =
        buildUsbFramePayload(TwoPortGrid().frame, 2, 3, none, usbModel1(0, 256));
    EXPECT_EQ(payload.bytes, (PayloadBytes{0, 0, 0}));
    EXPECT_EQ(payload.ports, 1);
}

// --- lanes and the parameter block ---------------------------------------------------

TEST(UsbFramePayloadLanes, Model0PadsEveryPortGroupToEightLanes)
{
    TwoPortGrid grid;
    grid.params.controllerModel = 0;
    grid.params.scanEnhancement = 1;
    const UsbFramePayload payload = grid.build();
    ASSERT_EQ(payload.bytes.size(), 72u);
    const PayloadBytes pairs{0x10, 0x40, 0x11, 0x41, 0x12, 0x42, 0x20, 0x50, 0x21,
                             0x51, 0x22, 0x52, 0x30, 0x00, 0x31, 0x00, 0x32, 0x00};
    for (size_t g = 0; g < 9; ++g) {
        EXPECT_EQ(payload.bytes[g * 8], pairs[g * 2]) << g;
        EXPECT_EQ(payload.bytes[g * 8 + 1], pairs[g * 2 + 1]) << g;
        for (size_t z = 2; z < 8; ++z)
            EXPECT_EQ(payload.bytes[g * 8 + z], 0) << g;
    }
    // 72 bytes over 8 lanes, dividers 8 and 7, 256 levels, 300 frames.
    EXPECT_EQ(parameterBlock(payload, grid.params, 300),
              (std::array<uint8_t, 16>{0x02, 72, 0, 8, 0, 8, 7, 0, 0xFF, 0x2C, 0x01, 1, 0, 9, 0, 0}));
}

TEST(UsbFramePayloadLanes, Model1UsesThePortCountAsLanes)
{
    TwoPortGrid grid;
    grid.params.communicationFormat = 5;
    grid.params.greyLevels = 64;
    grid.params.dividerA = 256; // only the low byte is sent
    const auto block = parameterBlock(grid.build(), grid.params, 2);
    EXPECT_EQ(block, (std::array<uint8_t, 16>{0x02, 18, 0, 2, 0, 0, 7, 0, 63, 2, 0, 0, 0, 9, 0, 5}));
}

TEST(UsbFramePayloadLanes, MorePortsThanTheModelCarriesAreRefused)
{
    UsbEnglishTexts texts;
    const std::vector<ColorValue> nine(9, makeColor(1, 2, 3));
    ControllerParams model0 = usbModel1(0, 256);
    model0.controllerModel = 0;
    const UsbFramePayload refused = onePixelPorts(nine, model0);
    EXPECT_TRUE(refused.bytes.empty());
    EXPECT_EQ(refused.refusal, QStringLiteral("The wiring uses 9 ports, but this controller model has only 8: the "
                                              "frames cannot be sent."));
    EXPECT_EQ(onePixelPorts(nine, usbModel1(0, 256)).bytes.size(), 27u);
    EXPECT_FALSE(onePixelPorts(std::vector<ColorValue>(16, 0), usbModel1(0, 256)).refused());
    EXPECT_TRUE(onePixelPorts(std::vector<ColorValue>(17, 0), usbModel1(0, 256)).refused());
}

TEST(UsbFramePayloadLanes, ChainTooLongForOneTransferIsRefusedUnbuilt)
{
    UsbEnglishTexts texts;
    Frame frame(1);
    Wiring wiring;
    wiring.resetCellMap(1, 1);
    wiring.append(wiredAt(0, 0, 0, 21844)); // 21,845 pixels x 3 = 65,535 bytes, plus 131 chunk headers
    const UsbFramePayload payload = buildUsbFramePayload(frame, 1, 1, wiring, usbModel1(0, 256));
    EXPECT_TRUE(payload.bytes.empty());
    EXPECT_EQ(payload.refusal, QStringLiteral("The frame is too large for the USB controller: it takes at most 65535 "
                                              "bytes per transfer, this one needs 66059."));
    wiring.append(wiredAt(0, 0, 0, 2000000000)); // a damaged file's pixel number
    EXPECT_TRUE(buildUsbFramePayload(frame, 1, 1, wiring, usbModel1(0, 256)).refused());
}

// --- grey levels -------------------------------------------------------------------

TEST(UsbFramePayloadGrey, TwoLevelsLeaveOnlyTheTopBit)
{
    const UsbFramePayload payload = onePixelPorts({makeColor(0xFF, 0x80, 0x7F)}, usbModel1(0, 2));
    EXPECT_EQ(payload.bytes, (PayloadBytes{1, 1, 0}));
}

TEST(UsbFramePayloadGrey, ThirtyTwoLevelsPackEachPortsPixelIntoTwoBytesOnModel1Format4)
{
    // After the shift by 3: port 0 (31, 16, 7), port 1 (1, 31, 0).
    const std::vector<ColorValue> colours{makeColor(0xFF, 0x84, 0x38), makeColor(0x08, 0xF8, 0x00)};
    // 1 11111 10 = 0xFE, 100 00111 = 0x07; 1 00001 11 = 0x87, 111 00000 = 0xE0
    EXPECT_EQ(onePixelPorts(colours, usbModel1(4, 32)).bytes, (PayloadBytes{0xFE, 0x87, 0x07, 0xE0}));
    // Other formats keep three bytes per pixel at 32 levels.
    EXPECT_EQ(onePixelPorts(colours, usbModel1(0, 32)).bytes, (PayloadBytes{31, 1, 16, 31, 7, 0}));
    ControllerParams model0 = usbModel1(4, 32);
    model0.controllerModel = 0;
    EXPECT_EQ(onePixelPorts(colours, model0).bytes.size(), 24u); // 3 groups x 8 lanes, unpacked
}
