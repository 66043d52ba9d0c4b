#include "document/wiring.h"

#include <cstring>
#include <gtest/gtest.h>

namespace {

WiringPixel at(int x, int y, int port = 0, int pixel = 0)
{
    WiringPixel p;
    p.column = x;
    p.row = y;
    p.port = port;
    p.pixel = pixel;
    return p;
}

TEST(WiringRecord, EncodesFortyEightLittleEndianBytesAndBack)
{
    WiringPixel p = at(7, -3, 33, 0x01020304);
    p.neonRedIndex = -1;
    p.neonBluePort = 5;
    p.neonGreen = 1;
    uint8_t bytes[48];
    std::memset(bytes, 0xAA, sizeof bytes);
    p.encode(bytes);
    EXPECT_EQ(bytes[24], 33);
    EXPECT_EQ(bytes[28], 0x04);
    EXPECT_EQ(bytes[31], 0x01);
    EXPECT_EQ(bytes[36], 0xFD); // row -3
    EXPECT_EQ(bytes[39], 0xFF);
    EXPECT_EQ(bytes[0], 0xFF);
    EXPECT_EQ(bytes[40], 0); // reserved
    EXPECT_EQ(bytes[45], 1);
    EXPECT_EQ(bytes[47], 0);
    EXPECT_EQ(WiringPixel::decode(bytes), p);
}

TEST(PortColours, FollowTheLevelsAndRepeatEveryThirtyTwoPorts)
{
    EXPECT_EQ(portColour(0), makeColor(255, 0, 0));
    EXPECT_EQ(portColour(9), makeColor(187, 187, 0));
    EXPECT_EQ(portColour(17), makeColor(85, 0, 85));
    EXPECT_EQ(portColour(23), makeColor(213, 0, 213));
    EXPECT_EQ(portColour(28), makeColor(0, 136, 136));
    EXPECT_EQ(portColour(30), makeColor(43, 0, 0));
    EXPECT_EQ(portColour(31), makeColor(0, 43, 0));
    EXPECT_EQ(portColour(32), portColour(0)); // port 33 on screen looks like port 1
}

TEST(NeonColours, CombineTheFlagsAndShowNoFlagAsUnwired)
{
    WiringPixel p;
    p.neonRed = 1;
    EXPECT_EQ(neonColour(p), makeColor(255, 0, 0));
    p.neonGreen = 1;
    EXPECT_EQ(neonColour(p), makeColor(255, 180, 0));
    p.neonBlue = 1;
    EXPECT_EQ(neonColour(p), makeColor(255, 180, 220));

    Wiring w;
    w.setKind(CircuitryKind::Neon);
    w.resetCellMap(2, 2);
    w.append(at(1, 1)); // no flag
    EXPECT_EQ(w.count(), 1);
    EXPECT_EQ(w.cellColour(1, 1), 0u);
    EXPECT_TRUE(w.isWired(1, 1)); // counted and wired although it looks unwired
}

TEST(Wiring, KeepsTheCellMapAndIndexInStepWithTheList)
{
    Wiring w;
    w.setKind(CircuitryKind::Led);
    w.resetCellMap(3, 4);
    w.append(at(0, 0, 1, 0));
    w.append(at(1, 0, 1, 1));
    w.append(at(2, 2, 2, 0));
    EXPECT_TRUE(w.isWired(1, 0));
    EXPECT_EQ(w.cellColour(2, 2), portColour(2));
    EXPECT_EQ(w.indexAt(2, 2), 2);
    EXPECT_EQ(w.highestPort(), 2);
    EXPECT_EQ(w.highestPixel(1), 1);
    EXPECT_EQ(w.highestPixel(5), -1);

    EXPECT_EQ(w.removeIf([](const WiringPixel &p) { return p.port == 1; }), 2);
    EXPECT_FALSE(w.isWired(0, 0));
    EXPECT_EQ(w.cellColour(1, 0), 0u);
    EXPECT_EQ(w.indexAt(2, 2), 0);

    w.clear();
    EXPECT_EQ(w.count(), 0);
    EXPECT_EQ(w.highestPort(), -1);
    EXPECT_EQ(w.cellColour(2, 2), 0u);
}

TEST(Wiring, ARecordKeepsItsIdentityThroughMovesAndOthersLeaving)
{
    Wiring w;
    w.setKind(CircuitryKind::Led);
    w.resetCellMap(3, 4);
    w.append(at(0, 0, 1, 0));
    w.append(at(1, 0, 1, 1));
    w.append(at(2, 0, 1, 2));
    const uint64_t first = w.recordId(0);
    const uint64_t second = w.recordId(1);
    const uint64_t third = w.recordId(2);
    EXPECT_NE(first, second);
    EXPECT_NE(second, third);

    w.replace(1, at(3, 2, 1, 1)); // moved to another cell
    w.setPortAndPixel(1, 2, 7);   // and renumbered
    w.removeAt(0);                // an older one leaves
    ASSERT_EQ(w.count(), 2);
    EXPECT_EQ(w.recordId(0), second);
    w.insert(0, at(0, 0, 1, 0)); // a newcomer on the freed cell
    EXPECT_NE(w.recordId(0), first);
    EXPECT_EQ(w.recordId(1), second);

    EXPECT_EQ(w.removeRecords({second, first}), 1); // `first` is gone already
    ASSERT_EQ(w.count(), 2);
    EXPECT_EQ(w.recordId(1), third);
    EXPECT_FALSE(w.isWired(3, 2));

    // A list taken whole gets identities never seen before.
    w.assign({at(0, 0, 1, 0)});
    EXPECT_NE(w.recordId(0), third);
    EXPECT_EQ(w.removeRecords({third}), 0);
}

TEST(Wiring, RecordsOutsideTheGridNeverReachTheMap)
{
    Wiring w;
    w.setKind(CircuitryKind::Led);
    w.resetCellMap(2, 2);
    w.append(at(5, 0));
    w.append(at(-1, 1));
    w.append(at(1, 1));
    EXPECT_EQ(w.count(), 3);
    EXPECT_FALSE(w.isWired(5, 0));
    EXPECT_EQ(w.cellColour(5, 0), 0u);
    EXPECT_EQ(w.cellColour(-1, 1), 0u);
    // Shrinking the grid keeps the list but only maps what still fits.
    w.resetCellMap(1, 1);
    w.rebuildCellMap();
    EXPECT_EQ(w.count(), 3);
    EXPECT_FALSE(w.isWired(1, 1));
}

TEST(Wiring, TellsItsListenerAfterEveryRemoval)
{
    Wiring w;
    w.setKind(CircuitryKind::Led);
    w.resetCellMap(3, 3);
    int notices = 0;
    int countSeen = -1;
    w.setRemovalListener([&] {
        ++notices;
        countSeen = w.count(); // told once the list is in its new state
    });
    for (int i = 0; i < 5; ++i)
        w.append(at(i % 3, i / 3, 0, i));
    w.insert(0, at(2, 2));
    w.replace(1, at(1, 2));
    w.setPortAndPixel(0, 3, 3);
    w.removeAt(99); // no such record: no removal at all
    EXPECT_EQ(notices, 0);

    w.removeAt(0);
    EXPECT_EQ(notices, 1);
    EXPECT_EQ(countSeen, 5);
    EXPECT_EQ(w.removeIf([](const WiringPixel &p) { return p.pixel == 4; }), 1);
    EXPECT_EQ(notices, 2);
    // A removal that matched nothing is told all the same: the zone
    // deletion and the undo drop the references whatever they found.
    EXPECT_EQ(w.removeIf([](const WiringPixel &) { return false; }), 0);
    EXPECT_EQ(w.removeMarked({false, false}), 0);
    EXPECT_EQ(notices, 4);
    EXPECT_EQ(countSeen, 4);
    EXPECT_EQ(w.removeMarked({true}), 1);
    EXPECT_EQ(notices, 5);
    EXPECT_EQ(countSeen, 3);
    w.assign({at(0, 0)});
    EXPECT_EQ(notices, 6);
    w.clear();
    EXPECT_EQ(notices, 7);
    EXPECT_EQ(countSeen, 0);

    // A copy has no listener: its removals are nobody's business here.
    w.append(at(1, 1));
    Wiring copy = w;
    copy.clear();
    EXPECT_EQ(notices, 7);
    w.setRemovalListener({});
    w.clear();
    EXPECT_EQ(notices, 7);
}

} // namespace
