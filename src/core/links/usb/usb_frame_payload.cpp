#include "links/usb/usb_frame_payload.h"

#include "document/frame.h"
#include "document/wiring.h"
#include "links/usb/usb_link.h"
#include "links/usb/usb_messages.h"

#include <algorithm>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace {

// Right shift that brings a 0..255 colour byte to the controller's levels.
int greyShift(int greyLevels)
{
    switch (greyLevels) {
    case 2: return 7;
    case 8: return 5;
    case 16: return 4;
    case 32: return 3;
    case 64: return 2;
    case 128: return 1;
    default: return 0;
    }
}

bool usbPacksTwoBytesPerPixel(const ControllerParams &params)
{
    return params.greyLevels == 32 && params.controllerModel == 1 && params.communicationFormat == 4;
}

// Bytes each port contributes to the format step.
int64_t usbBytesPerPort(const ControllerParams &params, int64_t pixels)
{
    switch (params.communicationFormat) {
    case 0:
    case 1:
    case 5:
        return pixels * 3;
    case 4:
        return usbPacksTwoBytesPerPixel(params) ? pixels * 2 : pixels * 3;
    case 2: {
        const int cycle = std::max(params.cycle, 1);
        int64_t rowsWithBytes = 0;
        for (const RgbOrderRow &row : params.orderList.rows()) {
            const QChar letter = row.color.isEmpty() ? QChar() : row.color.at(0);
            rowsWithBytes += letter == u'n' || letter == u'r' || letter == u'g' || letter == u'b';
        }
        return (pixels + cycle - 1) / cycle * rowsWithBytes;
    }
    default:
        return 0;
    }
}

// The format step as positions in the interleaved bytes: every position
// taken from the port strings gives P positions, one on each port's string.
// Each records the lamp byte it carries, (port * M + pixel) * 3 + colour
// (0 red, 1 green, 2 blue), or -1 where the controller gets a zero.
class CarriedBytes
{
public:
    CarriedBytes(int ports, int pixels, size_t size) : m_ports(ports), m_pixels(pixels), m_size(size)
    {
        m_codes.reserve(size);
    }
    // Byte `colour` of pixel `k` of every port; zeros for a pixel beyond
    // the chains.
    void pixelByte(int64_t k, int colour)
    {
        if (m_size - m_codes.size() < size_t(m_ports))
            return; // never reached while the size count and the format agree
        if (k < 0 || k >= m_pixels) {
            zeros();
            return;
        }
        for (int p = 0; p < m_ports; ++p)
            m_codes.push_back(int32_t((int64_t(p) * m_pixels + k) * 3 + colour));
    }
    void zeros()
    {
        if (m_size - m_codes.size() < size_t(m_ports))
            return;
        m_codes.insert(m_codes.end(), size_t(m_ports), -1);
    }
    // Exactly the counted size: positions the format left alone are zeros.
    std::vector<int32_t> take()
    {
        m_codes.resize(m_size, -1);
        return std::move(m_codes);
    }

private:
    int m_ports;
    int m_pixels;
    size_t m_size;
    std::vector<int32_t> m_codes;
};

void writeCycleGroups(CarriedBytes &w, const ControllerParams &params, int pixels)
{
    const int cycle = std::max(params.cycle, 1);
    const int64_t groups = (int64_t(pixels) + cycle - 1) / cycle;
    const RgbOrderList &list = params.orderList;
    for (int64_t g = groups - 1; g >= 0; --g) {
        for (int i = 0; i < list.count(); ++i) { // from the bottom row up
            const RgbOrderRow &row = list.logical(i);
            const QChar letter = row.color.isEmpty() ? QChar() : row.color.at(0);
            if (letter == u'n') {
                w.zeros();
                continue;
            }
            const int colour = letter == u'r' ? 0 : letter == u'g' ? 1 : letter == u'b' ? 2 : -1;
            if (colour < 0)
                continue;
            bool ok = false;
            const int v = row.pixel.toInt(&ok);
            // A pixel number outside the group names no pixel of it.
            const int64_t k = ok && v >= 1 && v <= cycle ? g * cycle + v - 1 : -1;
            w.pixelByte(k, colour);
        }
    }
}

// Bytes of the format step, or nothing for a format without a USB layout.
void writeFormat(CarriedBytes &w, const ControllerParams &params, int pixels)
{
    switch (params.communicationFormat) {
    case 0:
    case 4:
        for (int k = 0; k < pixels; ++k)
            for (int c = 0; c < 3; ++c)
                w.pixelByte(k, c);
        return;
    case 1:
        for (int k = pixels - 1; k >= 0; --k)
            for (int c = 0; c < 3; ++c)
                w.pixelByte(k, c);
        return;
    case 5:
        for (int k = pixels - 1; k >= 0; --k)
            for (int c = 2; c >= 0; --c)
                w.pixelByte(k, c);
        return;
    case 2:
        writeCycleGroups(w, params, pixels);
        return;
    default:
        return;
    }
}

#if defined(__SSE2__)
// Eight lamps of a run at a time: their colours side by side, the bytes
// sorted into the eight reds, greens and blues by three rounds of
// interleaving, brought down to the grey levels and stored eight at once.
// Returns how many lamps were written (a multiple of eight).
int writeEightLampsAtATime(const ColorValue *from, const uint32_t *point, int count, int shift, uint8_t *red,
                           uint8_t *green, uint8_t *blue)
{
    const __m128i shiftBits = _mm_cvtsi32_si128(shift);
    const __m128i keep = _mm_set1_epi8(char(0xFFu >> shift));
    int j = 0;
    for (; j + 8 <= count; j += 8) {
        const auto colour = [&](int i) { return int(from[point[j + i]]); };
        const __m128i a = _mm_setr_epi32(colour(0), colour(1), colour(2), colour(3));
        const __m128i b = _mm_setr_epi32(colour(4), colour(5), colour(6), colour(7));
        // r0 r4 g0 g4 b0 b4 . . r1 r5 ...; then r0 r2 r4 r6 g0 ...; then
        // r0 .. r7 g0 .. g7 and b0 .. b7 followed by the unused top bytes.
        const __m128i low = _mm_unpacklo_epi8(a, b), high = _mm_unpackhi_epi8(a, b);
        const __m128i even = _mm_unpacklo_epi8(low, high), odd = _mm_unpackhi_epi8(low, high);
        // A 16-bit shift carries an upper byte's low bits down; the mask
        // takes them off again.
        const auto levels = [&](__m128i bytes) { return _mm_and_si128(_mm_srl_epi16(bytes, shiftBits), keep); };
        const __m128i redGreen = levels(_mm_unpacklo_epi8(even, odd));
        const __m128i blueRest = levels(_mm_unpackhi_epi8(even, odd));
        _mm_storel_epi64(reinterpret_cast<__m128i *>(red + j), redGreen);
        _mm_storel_epi64(reinterpret_cast<__m128i *>(green + j), _mm_unpackhi_epi64(redGreen, redGreen));
        _mm_storel_epi64(reinterpret_cast<__m128i *>(blue + j), blueRest);
    }
    return j;
}
#endif

} // namespace

int usbMaxPorts(int controllerModel) { return controllerModel == 0 ? 8 : 16; }

// Where the bytes of every wired lamp go for one wiring, grid and set of
// controller values. The payload of a frame starts as that of an all-black
// frame (zeros, but 0x80 in the first byte of a packed pixel), and each
// lamp then writes its three colour bytes, shifted to the grey levels, to
// their places. A colour the format does not send is written to a spare
// byte after the payload; a lamp whose colour is sent more than once (an
// order list naming it twice) has one entry per copy.
struct UsbPayloadBuilder::Plan
{
    // What the plan was made for.
    uint64_t wiringRevision = 0;
    int rows = 0;
    int cols = 0;
    size_t framePoints = 0;
    ControllerParams params;

    UsbFramePayload shape; // ports, pixels per port, lanes; no bytes
    // A refusal keeps its numbers, so that its text is in the language of
    // the moment it is shown.
    enum class Refusal { None, TooManyPorts, TooLarge } refusal = Refusal::None;
    int64_t refusedSize = 0;

    // A payload is below 64 KB (the size message has 16 bits), so two
    // bytes name a place in it, the spare byte included.
    struct Lamp
    {
        uint32_t point;
        std::array<uint16_t, 3> to; // red, green, blue; two bytes when packed
    };
    std::vector<Lamp> lamps;
    // Lamps whose red bytes lie side by side (the ports of one pixel, in
    // the formats without an order list), their green and blue bytes
    // `step` further on each: their points are kept in `runPoints` and
    // written a block at a time.
    struct Run
    {
        uint32_t first; // in runPoints
        uint16_t count;
        uint16_t red; // the first lamp's red byte
        int32_t step;
    };
    std::vector<Run> runs;
    std::vector<uint32_t> runPoints;
    std::vector<uint8_t> black; // the payload's size + the spare byte
    int shift = 0;
    bool packs = false;

    bool madeFor(size_t points, int r, int c, const Wiring &wiring, const ControllerParams &p) const
    {
        if (wiringRevision != wiring.revision() || rows != r || cols != c || framePoints != points ||
            params.controllerModel != p.controllerModel || params.communicationFormat != p.communicationFormat ||
            params.greyLevels != p.greyLevels)
            return false;
        // The order list and the cycle shape format 2 alone.
        return p.communicationFormat != 2 || (params.cycle == p.cycle && params.orderList == p.orderList);
    }

    static std::unique_ptr<Plan> make(size_t points, int rows, int cols, const Wiring &wiring,
                                      const ControllerParams &params);
    void gatherRuns(uint16_t spare);
    UsbFramePayload payload(const Frame &frame) const;
};

void UsbPayloadBuilder::Plan::gatherRuns(uint16_t spare)
{
    if (packs)
        return;
    std::vector<Lamp> rest;
    for (const Lamp &lamp : lamps) {
        const int step = int(lamp.to[1]) - int(lamp.to[0]);
        const bool evenlySpaced = lamp.to[0] != spare && lamp.to[1] != spare && lamp.to[2] != spare && step != 0 &&
                                  int(lamp.to[2]) - int(lamp.to[1]) == step;
        if (!evenlySpaced) {
            rest.push_back(lamp);
            continue;
        }
        Run *last = runs.empty() ? nullptr : &runs.back();
        if (last && last->step == step && last->red + last->count == lamp.to[0] && last->count < UINT16_MAX)
            ++last->count;
        else
            runs.push_back({uint32_t(runPoints.size()), 1, lamp.to[0], step});
        runPoints.push_back(lamp.point);
    }
    lamps = std::move(rest);
}

std::unique_ptr<UsbPayloadBuilder::Plan> UsbPayloadBuilder::Plan::make(size_t points, int rows, int cols,
                                                                       const Wiring &wiring,
                                                                       const ControllerParams &params)
{
    auto plan = std::make_unique<Plan>();
    plan->wiringRevision = wiring.revision();
    plan->rows = rows;
    plan->cols = cols;
    plan->framePoints = points;
    plan->params = params;
    UsbFramePayload &shape = plan->shape;

    int highestPort = -1;
    int highestPixel = -1;
    for (const WiringPixel &px : wiring.pixels()) {
        if (px.port < 0 || px.pixel < 0)
            continue; // a damaged record names no place on a chain
        highestPort = std::max(highestPort, px.port);
        highestPixel = std::max(highestPixel, px.pixel);
    }
    const int64_t portCount = std::max<int64_t>(int64_t(highestPort) + 1, 1);
    const int64_t pixels = std::max<int64_t>(int64_t(highestPixel) + 1, 1);
    shape.pixelsPerPort = int(std::min<int64_t>(pixels, INT32_MAX));
    if (portCount > usbMaxPorts(params.controllerModel)) {
        shape.ports = int(std::min<int64_t>(portCount, INT32_MAX));
        plan->refusal = Refusal::TooManyPorts;
        return plan;
    }
    const int ports = int(portCount);
    shape.ports = ports;
    shape.lanes = params.controllerModel == 0 ? 8 : ports;
    // The exact size, known before anything is allocated: a chain too long
    // for one transfer is refused rather than built.
    const int64_t perPort = usbBytesPerPort(params, pixels);
    const int64_t size = perPort * shape.lanes;
    if (pixels > UsbMessage::kMaxAnnounced || UsbMessage::announcedPayloadSize(size) > UsbMessage::kMaxAnnounced) {
        plan->refusal = Refusal::TooLarge;
        plan->refusedSize = UsbMessage::announcedPayloadSize(std::max(size, pixels * 3));
        return plan;
    }
    const int m = int(pixels);

    // The frame point each place on a chain shows; the last record on a
    // place wins.
    std::vector<int64_t> pointOf(size_t(ports) * size_t(m), -1);
    for (const WiringPixel &px : wiring.pixels()) {
        if (px.port < 0 || px.pixel < 0 || px.column < 0 || px.row < 0 || px.column >= cols || px.row >= rows)
            continue;
        const size_t point = size_t(px.row) * size_t(cols) + size_t(px.column);
        if (point < points)
            pointOf[size_t(px.port) * size_t(m) + size_t(px.pixel)] = int64_t(point);
    }

    // The format step counts exactly the bytes above (before any 32-level
    // packing, which turns every three rows of port bytes into two).
    plan->packs = usbPacksTwoBytesPerPixel(params);
    plan->shift = greyShift(params.greyLevels);
    const int64_t unpackedPerPort = plan->packs ? int64_t(m) * 3 : perPort;
    CarriedBytes carried(ports, m, size_t(unpackedPerPort) * size_t(ports));
    writeFormat(carried, params, m);
    const std::vector<int32_t> codes = carried.take();
    const size_t rowsOfPorts = codes.size() / size_t(ports);
    const size_t finalSize = plan->packs                      ? rowsOfPorts / 3 * 2 * size_t(ports)
                             : params.controllerModel == 0 ? rowsOfPorts * 8 // every row padded to eight lanes
                                                           : codes.size();
    plan->black.assign(finalSize + 1, 0);
    if (plan->packs)
        for (size_t pixel = 0; pixel < rowsOfPorts / 3; ++pixel)
            std::fill_n(plan->black.begin() + long(pixel * 2 * size_t(ports)), ports, uint8_t(0x80));

    const auto spare = uint16_t(finalSize);
    std::vector<int32_t> entryOf(pointOf.size(), -1); // a lamp's latest entry
    for (size_t i = 0; i < codes.size(); ++i) {
        if (codes[i] < 0)
            continue;
        const size_t lamp = size_t(codes[i]) / 3;
        const int colour = codes[i] % 3;
        if (pointOf[lamp] < 0)
            continue; // black, as in the all-black payload
        const size_t row = i / size_t(ports);
        const size_t port = i % size_t(ports);
        int32_t &entry = entryOf[lamp];
        if (plan->packs) {
            if (entry < 0) {
                // Every three rows (a pixel's red, green, blue) became two.
                const auto first = uint16_t(row / 3 * 2 * size_t(ports) + port);
                entry = int32_t(plan->lamps.size());
                plan->lamps.push_back({uint32_t(pointOf[lamp]), {first, uint16_t(first + ports), spare}});
            }
            continue;
        }
        if (entry < 0 || plan->lamps[size_t(entry)].to[size_t(colour)] != spare) {
            entry = int32_t(plan->lamps.size());
            plan->lamps.push_back({uint32_t(pointOf[lamp]), {spare, spare, spare}});
        }
        plan->lamps[size_t(entry)].to[size_t(colour)] = uint16_t(params.controllerModel == 0 ? row * 8 + port : i);
    }
    plan->gatherRuns(spare);
    return plan;
}

UsbFramePayload UsbPayloadBuilder::Plan::payload(const Frame &frame) const
{
    UsbFramePayload out = shape;
    switch (refusal) {
    case Refusal::TooManyPorts:
        out.refusal = UsbLinkText::tooManyPorts(shape.ports, usbMaxPorts(params.controllerModel));
        return out;
    case Refusal::TooLarge:
        out.refusal = UsbLinkText::payloadTooLarge(refusedSize);
        return out;
    case Refusal::None:
        break;
    }
    out.bytes = black;
    uint8_t *to = out.bytes.data();
    const ColorValue *from = frame.data();
    if (packs) {
        // Five bits each after the shift: 1rrrrrgg, then gggbbbbb.
        for (const Lamp &lamp : lamps) {
            const ColorValue c = from[lamp.point];
            const unsigned r = redOf(c) >> shift, g = greenOf(c) >> shift, b = blueOf(c) >> shift;
            to[lamp.to[0]] = uint8_t((0x80 | r << 2 | g >> 3) & 0xFF);
            to[lamp.to[1]] = uint8_t((g << 5 | b) & 0xFF);
        }
    } else {
        // All three colours shifted at once, each kept within its byte.
        const ColorValue keep = makeColor(0xFFu >> shift, 0xFFu >> shift, 0xFFu >> shift);
        for (const Run &run : runs) {
            uint8_t *red = to + run.red;
            uint8_t *green = red + run.step;
            uint8_t *blue = green + run.step;
            const uint32_t *point = runPoints.data() + run.first;
            int j = 0;
#if defined(__SSE2__)
            j = writeEightLampsAtATime(from, point, run.count, shift, red, green, blue);
#endif
            for (; j < run.count; ++j) {
                const ColorValue c = (from[point[j]] >> shift) & keep;
                red[j] = uint8_t(redOf(c));
                green[j] = uint8_t(greenOf(c));
                blue[j] = uint8_t(blueOf(c));
            }
        }
        for (const Lamp &lamp : lamps) {
            const ColorValue c = (from[lamp.point] >> shift) & keep;
            to[lamp.to[0]] = uint8_t(redOf(c));
            to[lamp.to[1]] = uint8_t(greenOf(c));
            to[lamp.to[2]] = uint8_t(blueOf(c));
        }
    }
    out.bytes.pop_back(); // the spare byte
    return out;
}

UsbPayloadBuilder::UsbPayloadBuilder() = default;
UsbPayloadBuilder::~UsbPayloadBuilder() = default;

UsbFramePayload UsbPayloadBuilder::build(const Frame &frame, int rows, int cols, const Wiring &wiring,
                                         const ControllerParams &params)
{
    if (!m_plan || !m_plan->madeFor(frame.size(), rows, cols, wiring, params))
        m_plan = Plan::make(frame.size(), rows, cols, wiring, params);
    return m_plan->payload(frame);
}

UsbFramePayload buildUsbFramePayload(const Frame &frame, int rows, int cols, const Wiring &wiring,
                                     const ControllerParams &params)
{
    return UsbPayloadBuilder().build(frame, rows, cols, wiring, params);
}
std::array<uint8_t, 16> parameterBlock(const UsbFramePayload &payload, const ControllerParams &params,
                                       int frameCount)
{
    const int64_t d = int64_t(payload.bytes.size());
    const int64_t perLane = payload.bytesPerLane();
    return {UsbMessage::kParameterKind,
            uint8_t(d & 0xFF),
            uint8_t((d >> 8) & 0xFF),
            uint8_t(payload.lanes),
            0,
            uint8_t(params.dividerA & 0xFF),
            uint8_t(params.dividerB & 0xFF),
            0,
            uint8_t((params.greyLevels - 1) & 0xFF),
            uint8_t(frameCount & 0xFF),
            uint8_t((frameCount >> 8) & 0xFF),
            uint8_t(params.scanEnhancement & 0xFF),
            0,
            uint8_t(perLane & 0xFF),
            uint8_t((perLane >> 8) & 0xFF),
            uint8_t(params.communicationFormat & 0xFF)};
}
