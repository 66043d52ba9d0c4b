// The writer puts colours straight into the block where the layout allows
// it. Over many seeded layouts, wirings and frames it must give exactly the
// bytes of the way through the pixel buffer and the encoder.
#include "output/port_stream.h"

#include <gtest/gtest.h>
#include <random>

namespace {

RgbOrderList randomList(std::mt19937 &gen, int cycle)
{
    static const char *const colours[] = {"r", "g", "b", "null", "x", ""};
    RgbOrderList list;
    const int rows = int(gen() % 8);
    for (int i = 0; i < rows; ++i) {
        const int k = int(gen() % unsigned(cycle + 2)); // 0 and cycle + 1 lie outside
        const char *c = colours[gen() % 6];
        list.insertAtTop({gen() % 5 == 0 ? QStringLiteral("null") : QString::number(k), QString::fromLatin1(c)});
    }
    return list;
}

TEST(DirectBlocks, GiveTheSameBytesAsTheEncoder)
{
    std::mt19937 gen(2024);
    int direct = 0;
    for (int round = 0; round < 3000; ++round) {
        BlockLayout layout;
        layout.baseColorNum = int(gen() % 3) + 1;
        layout.format = int(gen() % 14);
        layout.greyLevels = greyLevelChoices().at(qsizetype(gen() % 7));
        layout.controllerModel = int(gen() % 2);
        layout.cycle = int(gen() % 4) + 1;
        layout.groupExtra = int(gen() % 3);
        if (gen() % 3 == 0)
            layout.orderList = ControllerParams::initial(layout.baseColorNum).orderList;
        else
            layout.orderList = randomList(gen, layout.cycle);

        // A few points of a 3 x 4 grid, with gaps and a repeated pixel.
        PortTaps port;
        const int records = int(gen() % 10);
        for (int i = 0; i < records; ++i) {
            const uint32_t pixel = gen() % 9;
            port.taps.push_back({uint32_t(gen() % 12), pixel});
            port.pixelCount = std::max<int64_t>(port.pixelCount, pixel + 1);
        }
        PortBlockWriter fast(port, layout, true);
        PortBlockWriter reference(port, layout, false);
        direct += fast.writesDirectly();
        for (int f = 0; f < 3; ++f) {
            // Now and then a frame smaller than the grid.
            Frame frame(gen() % 6 == 0 ? 5 : 12);
            for (ColorValue &c : frame.pixels())
                c = gen() & 0xFFFFFFu;
            const auto a = fast.encode(frame);
            const auto b = reference.encode(frame);
            ASSERT_EQ(std::vector<uint8_t>(a.begin(), a.end()), std::vector<uint8_t>(b.begin(), b.end()))
                << "round " << round << " frame " << f << " format " << layout.format << " base "
                << layout.baseColorNum << " grey " << layout.greyLevels;
        }
    }
    // Most layouts take the direct way; the check above must have seen it.
    EXPECT_GT(direct, 1500);
}

} // namespace
