#include "links/usb/usb_frame_payload.h"

#include "document/frame.h"
#include "document/wiring.h"
#include "links/usb/usb_link.h"
#include "links/usb/usb_messages.h"

#include <algorithm>

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

// The interleaved bytes in format order: every position taken from the
// port strings gives P bytes, one from each port's string. Written straight
// into a buffer sized beforehand, since this runs on every playback step.
class InterleavedWriter
{
public:
    InterleavedWriter(const std::vector<uint8_t> &table, int ports, int pixels, std::vector<uint8_t> &out)
        : m_table(table.data()), m_ports(ports), m_pixels(pixels), m_stride(size_t(pixels) * 3),
          m_out(out.data()), m_end(out.data() + out.size())
    {
    }
    // Byte `colour` (0 red, 1 green, 2 blue) of pixel `k` of every port;
    // zeros for a pixel beyond the chains.
    void pixelByte(int64_t k, int colour)
    {
        if (m_end - m_out < m_ports)
            return; // never reached while the size count and the format agree
        if (k < 0 || k >= m_pixels) {
            zeros();
            return;
        }
        const uint8_t *from = m_table + size_t(k) * 3 + size_t(colour);
        for (int p = 0; p < m_ports; ++p, from += m_stride)
            *m_out++ = *from;
    }
    void zeros()
    {
        if (m_end - m_out < m_ports)
            return;
        std::fill_n(m_out, m_ports, uint8_t(0));
        m_out += m_ports;
    }

private:
    const uint8_t *m_table;
    int m_ports;
    int m_pixels;
    size_t m_stride;
    uint8_t *m_out;
    uint8_t *m_end;
};

void writeCycleGroups(InterleavedWriter &w, const ControllerParams &params, int pixels)
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
void writeFormat(InterleavedWriter &w, const ControllerParams &params, int pixels)
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

// 32 levels on model 1 in format 4: each port's red, green and blue (five
// bits each after the shift) go into two bytes, 1rrrrrgg and gggbbbbb.
std::vector<uint8_t> packedFor32Levels(const std::vector<uint8_t> &in, int ports)
{
    std::vector<uint8_t> out;
    out.reserve(in.size() / 3 * 2);
    const size_t row = size_t(ports);
    for (size_t start = 0; start + 3 * row <= in.size(); start += 3 * row) {
        for (size_t p = 0; p < row; ++p) {
            const unsigned x = in[start + p], y = in[start + row + p];
            out.push_back(uint8_t((0x80 | x << 2 | y >> 3) & 0xFF));
        }
        for (size_t p = 0; p < row; ++p) {
            const unsigned y = in[start + row + p], z = in[start + 2 * row + p];
            out.push_back(uint8_t((y << 5 | z) & 0xFF));
        }
    }
    return out;
}

} // namespace

int usbMaxPorts(int controllerModel) { return controllerModel == 0 ? 8 : 16; }

UsbFramePayload buildUsbFramePayload(const Frame &frame, int rows, int cols, const Wiring &wiring,
                                     const ControllerParams &params)
{
    UsbFramePayload result;
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
    result.pixelsPerPort = int(std::min<int64_t>(pixels, INT32_MAX));
    const int maxPorts = usbMaxPorts(params.controllerModel);
    if (portCount > maxPorts) {
        result.ports = int(std::min<int64_t>(portCount, INT32_MAX));
        result.refusal = UsbLinkText::tooManyPorts(result.ports, maxPorts);
        return result;
    }
    const int ports = int(portCount);
    result.ports = ports;
    result.lanes = params.controllerModel == 0 ? 8 : ports;
    // The exact size, known before anything is allocated: a chain too long
    // for one transfer is refused rather than built.
    const int64_t perPort = usbBytesPerPort(params, pixels);
    const int64_t size = perPort * result.lanes;
    if (pixels > UsbMessage::kMaxAnnounced || UsbMessage::announcedPayloadSize(size) > UsbMessage::kMaxAnnounced) {
        result.refusal = UsbLinkText::payloadTooLarge(UsbMessage::announcedPayloadSize(std::max(size, pixels * 3)));
        return result;
    }
    const int m = int(pixels);

    // Colour table: three bytes per (port, pixel), black where nothing is wired.
    std::vector<uint8_t> table(size_t(ports) * size_t(m) * 3, 0);
    for (const WiringPixel &px : wiring.pixels()) {
        if (px.port < 0 || px.pixel < 0 || px.column < 0 || px.row < 0 || px.column >= cols || px.row >= rows)
            continue;
        const size_t point = size_t(px.row) * size_t(cols) + size_t(px.column);
        if (point >= frame.size())
            continue;
        const ColorValue c = frame[point];
        uint8_t *entry = &table[(size_t(px.port) * size_t(m) + size_t(px.pixel)) * 3];
        entry[0] = uint8_t(redOf(c));
        entry[1] = uint8_t(greenOf(c));
        entry[2] = uint8_t(blueOf(c));
    }

    // The format step writes exactly the bytes counted above (before any
    // 32-level packing, which shrinks them afterwards).
    const bool packs = usbPacksTwoBytesPerPixel(params);
    const int64_t unpackedPerPort = packs ? int64_t(m) * 3 : perPort;
    std::vector<uint8_t> interleaved(size_t(unpackedPerPort) * size_t(ports));
    InterleavedWriter writer(table, ports, m, interleaved);
    writeFormat(writer, params, m);

    const int shift = greyShift(params.greyLevels);
    if (shift > 0)
        for (uint8_t &b : interleaved)
            b = uint8_t(b >> shift);
    if (packs)
        interleaved = packedFor32Levels(interleaved, ports);

    if (params.controllerModel != 0) {
        result.bytes = std::move(interleaved);
        return result;
    }
    // Model 0 always drives eight lanes: every group of P port bytes is
    // padded to eight.
    const size_t groups = interleaved.size() / size_t(ports);
    result.bytes.assign(groups * 8, 0);
    for (size_t g = 0; g < groups; ++g)
        std::copy_n(interleaved.begin() + long(g * size_t(ports)), ports, result.bytes.begin() + long(g * 8));
    return result;
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
