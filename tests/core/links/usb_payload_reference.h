#pragma once
// The USB frame payload worked out the long way, straight from the layout
// the controller takes: every place on every chain gets its colour, the
// format lists the (pixel, colour) rows in sending order, each row gives
// one byte per port. The planned payloads are checked against it.

#include "document/frame.h"
#include "document/wiring.h"
#include "links/controller_params.h"
#include "links/usb/usb_messages.h"

#include <algorithm>
#include <bit>
#include <cstdint>
#include <utility>
#include <vector>

struct ReferenceUsbPayload
{
    std::vector<uint8_t> bytes;
    int ports = 1;
    int pixelsPerPort = 1;
    int lanes = 1;
    bool refused = false;
};

inline ReferenceUsbPayload referenceUsbPayload(const Frame &frame, int rows, int cols, const Wiring &wiring,
                                               const ControllerParams &params)
{
    ReferenceUsbPayload r;
    for (const WiringPixel &px : wiring.pixels())
        if (px.port >= 0 && px.pixel >= 0) {
            r.ports = std::max(r.ports, px.port + 1);
            r.pixelsPerPort = std::max(r.pixelsPerPort, px.pixel + 1);
        }
    const int ports = r.ports, pixels = r.pixelsPerPort;
    r.lanes = params.controllerModel == 0 ? 8 : ports;
    if (ports > (params.controllerModel == 0 ? 8 : 16)) {
        r.refused = true;
        return r;
    }

    // (port, pixel) -> red, green, blue; the last record on a place wins.
    std::vector<uint8_t> rgb(size_t(ports) * size_t(pixels) * 3, 0);
    for (const WiringPixel &px : wiring.pixels()) {
        if (px.port < 0 || px.pixel < 0 || px.column < 0 || px.row < 0 || px.column >= cols || px.row >= rows)
            continue;
        const size_t point = size_t(px.row) * size_t(cols) + size_t(px.column);
        if (point >= frame.size())
            continue;
        uint8_t *place = &rgb[(size_t(px.port) * size_t(pixels) + size_t(px.pixel)) * 3];
        place[0] = uint8_t(redOf(frame[point]));
        place[1] = uint8_t(greenOf(frame[point]));
        place[2] = uint8_t(blueOf(frame[point]));
    }

    // The rows in sending order: (pixel, colour), pixel -1 for a row of zeros.
    std::vector<std::pair<int64_t, int>> order;
    switch (params.communicationFormat) {
    case 0:
    case 4:
        for (int k = 0; k < pixels; ++k)
            for (int c = 0; c < 3; ++c)
                order.emplace_back(k, c);
        break;
    case 1:
        for (int k = pixels - 1; k >= 0; --k)
            for (int c = 0; c < 3; ++c)
                order.emplace_back(k, c);
        break;
    case 5:
        for (int k = pixels - 1; k >= 0; --k)
            for (int c = 2; c >= 0; --c)
                order.emplace_back(k, c);
        break;
    case 2: {
        const int cycle = std::max(params.cycle, 1);
        for (int64_t group = (pixels + cycle - 1) / cycle - 1; group >= 0; --group)
            for (int i = 0; i < params.orderList.count(); ++i) {
                const RgbOrderRow &row = params.orderList.logical(i);
                const QChar letter = row.color.isEmpty() ? QChar() : row.color.at(0);
                const int c = letter == u'r' ? 0 : letter == u'g' ? 1 : letter == u'b' ? 2 : -1;
                bool ok = false;
                const int within = row.pixel.toInt(&ok);
                const int64_t k = ok && within >= 1 && within <= cycle ? group * cycle + within - 1 : -1;
                if (letter == u'n')
                    order.emplace_back(-1, 0);
                else if (c >= 0)
                    order.emplace_back(k < pixels ? k : -1, c);
            }
        break;
    }
    default:
        break;
    }

    const int shift = 8 - std::countr_zero(unsigned(params.greyLevels)); // 256 levels: 0
    std::vector<std::vector<uint8_t>> rowBytes;
    for (const auto &[k, c] : order) {
        std::vector<uint8_t> row(size_t(ports), 0);
        if (k >= 0)
            for (int p = 0; p < ports; ++p)
                row[size_t(p)] = uint8_t(rgb[(size_t(p) * size_t(pixels) + size_t(k)) * 3 + size_t(c)] >> shift);
        rowBytes.push_back(row);
    }
    if (params.greyLevels == 32 && params.controllerModel == 1 && params.communicationFormat == 4) {
        // Each port's five-bit red, green, blue as 1rrrrrgg gggbbbbb.
        std::vector<std::vector<uint8_t>> packed;
        for (size_t i = 0; i + 2 < rowBytes.size(); i += 3) {
            std::vector<uint8_t> high(rowBytes[i].size()), low(rowBytes[i].size());
            for (size_t p = 0; p < size_t(ports); ++p) {
                const unsigned red = rowBytes[i][p], green = rowBytes[i + 1][p], blue = rowBytes[i + 2][p];
                high[p] = uint8_t(0x80 | red << 2 | green >> 3);
                low[p] = uint8_t((green << 5 | blue) & 0xFF);
            }
            packed.push_back(high);
            packed.push_back(low);
        }
        rowBytes = packed;
    }
    for (std::vector<uint8_t> &row : rowBytes) {
        if (params.controllerModel == 0)
            row.resize(8, 0); // model 0 drives eight lanes whatever the port count
        r.bytes.insert(r.bytes.end(), row.begin(), row.end());
    }
    if (pixels > UsbMessage::kMaxAnnounced ||
        UsbMessage::announcedPayloadSize(int64_t(r.bytes.size())) > UsbMessage::kMaxAnnounced) {
        r.bytes.clear();
        r.refused = true;
    }
    return r;
}
