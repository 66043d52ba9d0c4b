#include "output/fseq/fseq_channel_map.h"

#include "links/rgb_order_list.h"
#include "output/fseq/fseq_file.h"

#include <cstring>

QString ChannelOrder::name() const
{
    static const char letters[] = {'r', 'g', 'b'};
    QString n;
    for (uint8_t c : colour)
        n += QLatin1Char(letters[c % 3]);
    return n;
}

const std::vector<ChannelOrder> &ChannelOrder::all()
{
    static const std::vector<ChannelOrder> orders = {
        {{0, 1, 2}}, {{0, 2, 1}}, {{1, 0, 2}}, {{1, 2, 0}}, {{2, 0, 1}}, {{2, 1, 0}},
    };
    return orders;
}

std::optional<ChannelOrder> ChannelOrder::parse(const QString &text)
{
    for (const ChannelOrder &o : all())
        if (text.compare(o.name(), Qt::CaseInsensitive) == 0)
            return o;
    return std::nullopt;
}

ChannelOrder ChannelOrder::fromOrderList(const RgbOrderList &list)
{
    if (list.count() < 3)
        return ChannelOrder();
    ChannelOrder o;
    bool seen[3] = {false, false, false};
    for (int i = 0; i < 3; ++i) {
        const QString color = list.logical(i).color;
        const QChar letter = color.isEmpty() ? QChar() : color.at(0).toLower();
        const int c = letter == u'r' ? 0 : letter == u'g' ? 1 : letter == u'b' ? 2 : -1;
        if (c < 0 || seen[c])
            return ChannelOrder();
        seen[c] = true;
        o.colour[size_t(i)] = uint8_t(c);
    }
    return o;
}

std::optional<FseqChannelMap> FseqChannelMap::fromWiring(const Wiring &wiring, int rows, int cols,
                                                         ChannelOrder order, uint64_t *channelsNeeded)
{
    FseqChannelMap map;
    map.m_order = order;
    map.m_byWiring = true;
    auto usable = [&](const WiringPixel &p) { return p.port >= 0 && p.pixel >= 0; };

    int highestPort = -1;
    for (const WiringPixel &p : wiring.pixels())
        if (usable(p))
            highestPort = std::max(highestPort, p.port);
    std::vector<int64_t> pixels(size_t(highestPort + 1), 0);
    for (const WiringPixel &p : wiring.pixels())
        if (usable(p))
            pixels[size_t(p.port)] = std::max<int64_t>(pixels[size_t(p.port)], int64_t(p.pixel) + 1);

    uint64_t channel = 0;
    std::vector<uint64_t> first(pixels.size());
    for (size_t port = 0; port < pixels.size(); ++port) {
        first[port] = channel;
        channel += 3 * uint64_t(pixels[port]);
    }
    if (channelsNeeded)
        *channelsNeeded = channel;
    if (channel > kFseqMaxChannels)
        return std::nullopt;

    map.m_channels = uint32_t(channel);
    for (size_t port = 0; port < pixels.size(); ++port)
        map.m_ports.push_back({int(port), uint32_t(first[port]), uint32_t(pixels[port])});
    for (const WiringPixel &p : wiring.pixels()) {
        if (!usable(p) || p.column < 0 || p.row < 0 || p.column >= cols || p.row >= rows)
            continue;
        map.m_taps.push_back({uint32_t(p.row) * uint32_t(cols) + uint32_t(p.column),
                              uint32_t(first[size_t(p.port)] + 3 * uint64_t(p.pixel))});
    }
    return map;
}

FseqChannelMap FseqChannelMap::fromGrid(int rows, int cols, ChannelOrder order)
{
    FseqChannelMap map;
    map.m_order = order;
    const uint32_t points = rows > 0 && cols > 0 ? uint32_t(rows) * uint32_t(cols) : 0;
    map.m_channels = 3 * points;
    map.m_taps.reserve(points);
    for (uint32_t cell = 0; cell < points; ++cell)
        map.m_taps.push_back({cell, 3 * cell});
    return map;
}

std::optional<FseqChannelMap> FseqChannelMap::forProject(const Wiring &wiring, int rows, int cols,
                                                         ChannelOrder order, uint64_t *channelsNeeded)
{
    if (wiring.kind() == CircuitryKind::Led && wiring.count() > 0)
        return fromWiring(wiring, rows, cols, order, channelsNeeded);
    FseqChannelMap grid = fromGrid(rows, cols, order);
    if (channelsNeeded)
        *channelsNeeded = grid.channelCount();
    return grid;
}

void FseqChannelMap::fill(const Frame &frame, uint8_t *out) const
{
    if (m_byWiring)
        std::memset(out, 0, m_channels);
    const ColorValue *pixels = frame.data();
    const size_t points = frame.size();
    const int shift0 = 8 * m_order.colour[0];
    const int shift1 = 8 * m_order.colour[1];
    const int shift2 = 8 * m_order.colour[2];
    for (const Tap &t : m_taps) {
        const ColorValue c = t.cell < points ? pixels[t.cell] : 0;
        uint8_t *o = out + t.channel;
        o[0] = uint8_t(c >> shift0);
        o[1] = uint8_t(c >> shift1);
        o[2] = uint8_t(c >> shift2);
    }
}

void FseqChannelMap::read(const uint8_t *channels, size_t available, Frame &frame) const
{
    const size_t points = frame.size();
    for (const Tap &t : m_taps) {
        if (t.cell >= points)
            continue;
        ColorValue c = 0;
        for (int k = 0; k < 3; ++k) {
            const size_t at = size_t(t.channel) + size_t(k);
            const uint32_t v = at < available ? channels[at] : 0;
            c |= v << (8 * m_order.colour[size_t(k)]);
        }
        frame[t.cell] = c;
    }
}
