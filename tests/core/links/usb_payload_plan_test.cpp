// The payloads playback sends come from a plan kept per wiring, grid and
// controller values. They must be exactly the bytes worked out the long way
// for any wiring (gaps, unwired places, records off the grid, several
// records on one place, damaged records), and the plan must never outlive
// what it was made for: the next payload after any change of the wiring
// follows the change.

#include "fake_usb_transport.h"
#include "usb_payload_reference.h"

#include "../wiring/wiring_test_support.h"
#include "links/usb/usb_frame_payload.h"
#include "links/usb/usb_link.h"
#include "settings/language.h"

#include <gtest/gtest.h>

#include <functional>
#include <random>

namespace {

struct PlanCase
{
    int rows = 1;
    int cols = 1;
    Frame frame;
    Wiring wiring;
    ControllerParams params;
};

class PlanCaseMaker
{
public:
    explicit PlanCaseMaker(unsigned seed) : m_random(seed) {}

    int pick(int low, int high) { return std::uniform_int_distribution<int>(low, high)(m_random); }

    Frame frame(size_t points)
    {
        Frame f(points);
        for (size_t i = 0; i < points; ++i)
            f[i] = ColorValue(m_random()); // the unused top byte too
        return f;
    }

    ControllerParams params()
    {
        ControllerParams p;
        p.controllerModel = pick(0, 1);
        p.communicationFormat = pick(0, 5); // 3 has no USB layout
        p.greyLevels = greyLevelChoices().at(pick(0, int(greyLevelChoices().size()) - 1));
        if (pick(0, 3) == 0) { // the packed layout
            p.controllerModel = 1;
            p.communicationFormat = 4;
            p.greyLevels = 32;
        }
        p.cycle = pick(0, 4);
        std::vector<RgbOrderRow> rows;
        const QStringList pixelTexts{QStringLiteral("1"), QStringLiteral("2"), QStringLiteral("3"),
                                     QStringLiteral("5"), QStringLiteral("null"), QStringLiteral("x")};
        const QStringList colourTexts{QStringLiteral("r"), QStringLiteral("g"), QStringLiteral("b"),
                                      QStringLiteral("null"), QStringLiteral("w"), QString()};
        for (int n = pick(0, 9); n > 0; --n)
            rows.push_back({pixelTexts.at(pick(0, 5)), colourTexts.at(pick(0, 5))});
        p.orderList.assignLogical(rows);
        return p;
    }

    // Records anywhere: gaps in the chains, places nobody wires, records
    // off the grid, now and then a damaged one and one port too many.
    void scatter(PlanCase &c)
    {
        const int maxPorts = c.params.controllerModel == 0 ? 8 : 16;
        const int ports = pick(0, 9) == 0 ? maxPorts + 1 : pick(1, maxPorts);
        for (int n = pick(0, 60); n > 0; --n) {
            WiringPixel p = wiredAt(pick(-1, c.cols), pick(-1, c.rows), pick(0, ports - 1), pick(0, 12));
            if (pick(0, 30) == 0)
                (pick(0, 1) ? p.port : p.pixel) = -pick(1, 5);
            c.wiring.append(p);
        }
    }

    // Every point wired, port by port, each port a snake over its rows, as
    // a panel is wired; then a few records dropped.
    void panel(PlanCase &c)
    {
        const int ports = c.params.controllerModel == 0 ? pick(1, 8) : pick(1, 16);
        c.rows = ports * pick(1, 3);
        c.cols = pick(1, 12);
        const int rowsPerPort = c.rows / ports;
        for (int port = 0; port < ports; ++port)
            for (int k = 0; k < rowsPerPort * c.cols; ++k) {
                const int row = port * rowsPerPort + k / c.cols;
                const int column = (k / c.cols) % 2 ? c.cols - 1 - k % c.cols : k % c.cols;
                c.wiring.append(wiredAt(column, row, port, k));
            }
        for (int n = pick(0, 3); n > 0 && c.wiring.count() > 0; --n)
            c.wiring.removeAt(pick(0, c.wiring.count() - 1));
    }

    PlanCase make()
    {
        PlanCase c;
        c.params = params();
        if (pick(0, 2) == 0) {
            panel(c);
        } else {
            c.rows = pick(1, 8);
            c.cols = pick(1, 8);
            scatter(c);
        }
        c.wiring.resetCellMap(c.rows, c.cols);
        c.wiring.rebuildCellMap();
        // Now and then a frame shorter than the grid: its missing points
        // read as black.
        const size_t points = size_t(c.rows) * size_t(c.cols);
        c.frame = frame(pick(0, 12) == 0 ? points / 2 : points);
        return c;
    }

private:
    std::mt19937 m_random;
};

void expectSamePayload(const UsbFramePayload &planned, const ReferenceUsbPayload &reference, const char *what)
{
    SCOPED_TRACE(what);
    EXPECT_EQ(planned.refused(), reference.refused);
    EXPECT_EQ(planned.ports, reference.ports);
    EXPECT_EQ(planned.pixelsPerPort, reference.pixelsPerPort);
    if (!reference.refused) {
        EXPECT_EQ(planned.lanes, reference.lanes);
    }
    EXPECT_EQ(planned.bytes, reference.bytes);
}

// --- the same bytes as the long way --------------------------------------------------

TEST(UsbPayloadPlan, EveryFrameOfManyWiringsMatchesTheLongWay)
{
    PlanCaseMaker maker(2026);
    int panelsWithLongRuns = 0;
    for (int n = 0; n < 600; ++n) {
        PlanCase c = maker.make();
        SCOPED_TRACE(testing::Message() << "case " << n << ": " << c.rows << " x " << c.cols << ", "
                                        << c.wiring.count() << " records, model " << c.params.controllerModel
                                        << ", format " << c.params.communicationFormat << ", "
                                        << c.params.greyLevels << " levels");
        panelsWithLongRuns += c.wiring.highestPort() >= 8 && c.wiring.count() >= 64;
        UsbPayloadBuilder builder;
        for (int frame = 0; frame < 3; ++frame) {
            if (frame > 0)
                c.frame = maker.frame(c.frame.size());
            expectSamePayload(builder.build(c.frame, c.rows, c.cols, c.wiring, c.params),
                              referenceUsbPayload(c.frame, c.rows, c.cols, c.wiring, c.params), "kept plan");
        }
        expectSamePayload(buildUsbFramePayload(c.frame, c.rows, c.cols, c.wiring, c.params),
                          referenceUsbPayload(c.frame, c.rows, c.cols, c.wiring, c.params), "one frame");
        if (HasFailure())
            return;
    }
    // Panels of eight ports and more are written eight lamps at a time.
    EXPECT_GT(panelsWithLongRuns, 20);
}

TEST(UsbPayloadPlan, TheLastRecordOnAPlaceOfAChainWins)
{
    Frame frame(3);
    frame[0] = makeColor(1, 2, 3);
    frame[1] = makeColor(4, 5, 6);
    frame[2] = makeColor(7, 8, 9);
    Wiring wiring;
    wiring.resetCellMap(1, 3);
    wiring.append(wiredAt(0, 0, 0, 0));
    wiring.append(wiredAt(1, 0, 0, 0));
    wiring.append(wiredAt(2, 0, 0, 1));
    ControllerParams params;
    params.controllerModel = 1;
    params.communicationFormat = 0;
    EXPECT_EQ(buildUsbFramePayload(frame, 1, 3, wiring, params).bytes, (std::vector<uint8_t>{4, 5, 6, 7, 8, 9}));
}

TEST(UsbPayloadPlan, AnOrderListMaySpaceEachPixelsColoursItsOwnWay)
{
    // Two pixels in one cycle group: the first one's colours two rows
    // apart, the second's four, their red rows side by side.
    Frame frame(2);
    frame[0] = makeColor(1, 2, 3);
    frame[1] = makeColor(4, 5, 6);
    Wiring wiring;
    wiring.resetCellMap(1, 2);
    wiring.append(wiredAt(0, 0, 0, 0));
    wiring.append(wiredAt(1, 0, 0, 1));
    ControllerParams params;
    params.controllerModel = 1;
    params.communicationFormat = 2;
    params.cycle = 2;
    const auto row = [](const char *pixel, const char *colour) {
        return RgbOrderRow{QString::fromLatin1(pixel), QString::fromLatin1(colour)};
    };
    params.orderList.assignLogical({row("1", "r"), row("2", "r"), row("1", "g"), row("null", "null"),
                                    row("1", "b"), row("2", "g"), row("null", "null"), row("null", "null"),
                                    row("null", "null"), row("2", "b")});
    EXPECT_EQ(buildUsbFramePayload(frame, 1, 2, wiring, params).bytes,
              (std::vector<uint8_t>{1, 4, 2, 0, 3, 5, 0, 0, 0, 6}));
}

// --- a plan never outlives its wiring ---------------------------------------------------

// A 4 x 4 grid of distinct colours with two ports of four and three
// pixels, one builder kept across the changes as playback keeps it.
struct KeptPlan
{
    int rows = 4;
    int cols = 4;
    Frame frame{16};
    Wiring wiring;
    ControllerParams params;
    UsbPayloadBuilder builder;

    KeptPlan()
    {
        for (size_t i = 0; i < frame.size(); ++i)
            frame[i] = makeColor(unsigned(i + 1), unsigned(i + 101), unsigned(i + 201));
        wiring.resetCellMap(rows, cols);
        for (int k = 0; k < 4; ++k)
            wiring.append(wiredAt(k, 0, 0, k));
        for (int k = 0; k < 3; ++k)
            wiring.append(wiredAt(k, 2, 1, k));
        params.controllerModel = 1;
        params.communicationFormat = 0;
    }

    std::vector<uint8_t> reference() const { return referenceUsbPayload(frame, rows, cols, wiring, params).bytes; }

    // The payload before and after `change`: the change must show in it,
    // and the kept plan must give what the long way gives.
    void expectFollows(const char *what, const std::function<void()> &change)
    {
        SCOPED_TRACE(what);
        const std::vector<uint8_t> before = builder.build(frame, rows, cols, wiring, params).bytes;
        ASSERT_EQ(before, reference());
        change();
        ASSERT_NE(reference(), before) << "the change does not show in the payload";
        EXPECT_EQ(builder.build(frame, rows, cols, wiring, params).bytes, reference());
    }
};

TEST(UsbPayloadPlanKept, EveryChangeOfTheRecordsShowsInTheNextPayload)
{
    KeptPlan t;
    t.expectFollows("append", [&] { t.wiring.append(wiredAt(3, 2, 1, 3)); });
    t.expectFollows("insert", [&] { t.wiring.insert(1, wiredAt(0, 3, 0, 5)); });
    t.expectFollows("replace", [&] { t.wiring.replace(0, wiredAt(1, 1, 0, 0)); });
    t.expectFollows("renumber", [&] { t.wiring.setPortAndPixel(2, 1, 4); });
    t.expectFollows("remove one", [&] { t.wiring.removeAt(t.wiring.count() - 1); });
    t.expectFollows("remove marked", [&] {
        std::vector<bool> drop(size_t(t.wiring.count()));
        drop[0] = true;
        t.wiring.removeMarked(drop);
    });
    t.expectFollows("remove where", [&] { t.wiring.removeIf([](const WiringPixel &p) { return p.pixel == 1; }); });
    t.expectFollows("remove by identity", [&] { t.wiring.removeRecords({t.wiring.recordId(0)}); });
    t.expectFollows("assign", [&] { t.wiring.assign({wiredAt(2, 2, 0, 0), wiredAt(3, 3, 1, 1)}); });
    t.expectFollows("clear", [&] { t.wiring.clear(); });
}

TEST(UsbPayloadPlanKept, AnotherWiringPutInPlaceShowsInTheNextPayload)
{
    KeptPlan t;
    // A wiring made apart, as a file load or an undo step makes one, with
    // as many edits behind it as the one it replaces.
    Wiring other;
    other.resetCellMap(t.rows, t.cols);
    for (int k = 0; k < 7; ++k)
        other.append(wiredAt(3 - k % 4, 3, 0, k));
    t.expectFollows("copied over", [&] { t.wiring = other; });
    Wiring third = other;
    third.setPortAndPixel(0, 1, 0);
    t.expectFollows("moved over", [&] { t.wiring = std::move(third); });
    // The wiring it was moved out of no longer holds those records.
    t.expectFollows("moved out", [&] { Wiring elsewhere = std::move(t.wiring); });
}

TEST(UsbPayloadPlanKept, TheGridTheFrameAndTheControllerValuesShowInTheNextPayload)
{
    KeptPlan t;
    t.expectFollows("wider grid", [&] {
        t.cols = 5;
        t.frame = Frame(20);
        for (size_t i = 0; i < t.frame.size(); ++i)
            t.frame[i] = makeColor(unsigned(i + 7), 0, 0);
    });
    t.expectFollows("shorter frame", [&] {
        t.frame = Frame(8);
        for (size_t i = 0; i < t.frame.size(); ++i)
            t.frame[i] = makeColor(unsigned(i + 50), unsigned(i + 60), unsigned(i + 70));
    });
    t.expectFollows("format", [&] { t.params.communicationFormat = 5; });
    t.expectFollows("grey levels", [&] { t.params.greyLevels = 8; });
    t.expectFollows("model", [&] { t.params.controllerModel = 0; });
    t.expectFollows("order list", [&] {
        t.params.communicationFormat = 2;
        t.params.orderList.assignLogical({{QStringLiteral("1"), QStringLiteral("g")}});
    });
    t.expectFollows("order list row", [&] {
        t.params.orderList.assignLogical({{QStringLiteral("1"), QStringLiteral("b")}});
    });
    t.expectFollows("cycle", [&] {
        t.params.cycle = 2;
        t.params.orderList.assignLogical({{QStringLiteral("2"), QStringLiteral("b")}});
    });
}

TEST(UsbPayloadPlanKept, ARefusalIsInTheLanguageOfTheMomentAndGoesWhenTheWiringFits)
{
    UsbEnglishTexts texts;
    KeptPlan t;
    t.params.controllerModel = 0;
    t.wiring.append(wiredAt(3, 3, 8, 0)); // a ninth port
    const QString english = QStringLiteral("The wiring uses 9 ports, but this controller model has only 8: the "
                                           "frames cannot be sent.");
    EXPECT_EQ(t.builder.build(t.frame, t.rows, t.cols, t.wiring, t.params).refusal, english);
    Language::setCode(Language::Chinese);
    const QString chinese = t.builder.build(t.frame, t.rows, t.cols, t.wiring, t.params).refusal;
    EXPECT_NE(chinese, english);
    EXPECT_EQ(chinese, UsbLinkText::tooManyPorts(9, 8));
    t.expectFollows("ninth port gone", [&] { t.wiring.removeAt(t.wiring.count() - 1); });
}

TEST(WiringRevision, EveryChangeGivesANewNumberAndACopyKeepsItsSources)
{
    Wiring w;
    w.resetCellMap(2, 2);
    std::vector<uint64_t> seen{w.revision()};
    const auto expectNew = [&](const char *what) {
        EXPECT_EQ(std::count(seen.begin(), seen.end(), w.revision()), 0) << what;
        seen.push_back(w.revision());
    };
    w.append(wiredAt(0, 0, 0, 0));
    expectNew("append");
    w.setKind(CircuitryKind::Neon);
    expectNew("kind");
    w.setCellColour(1, 1, makeColor(1, 2, 3));
    expectNew("cell colour");
    w.rebuildCellMap();
    expectNew("rebuilt map");
    w.resetCellMap(3, 3);
    expectNew("grid");
    w.setPortAndPixel(0, 0, 0); // the same values: still counted as a change
    expectNew("renumber");

    const Wiring copy = w;
    EXPECT_EQ(copy.revision(), w.revision());
    Wiring moved = std::move(w);
    EXPECT_EQ(moved.revision(), copy.revision());
    expectNew("moved from");
}

} // namespace
