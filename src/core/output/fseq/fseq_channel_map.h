#pragma once
// Which FSEQ channels carry which lamp: with a wiring, port by port in port
// order and on each port pixel by pixel in pixel-number order, three
// channels per pixel; without one, the grid row by row. Points without
// wiring have no channel; a pixel number that no point carries keeps its
// three channels at 0, so every later lamp on the chain stays where the
// player expects it.

#include "document/frame.h"
#include "document/wiring.h"

#include <QString>
#include <array>
#include <cstdint>
#include <optional>
#include <vector>

class RgbOrderList;

// The colour of each of a pixel's three channels: 0 red, 1 green, 2 blue.
struct ChannelOrder
{
    std::array<uint8_t, 3> colour{0, 1, 2};

    bool operator==(const ChannelOrder &) const = default;

    // "rgb", "grb" ...
    QString name() const;
    // Any of the six orders in any case; nothing for other text.
    static std::optional<ChannelOrder> parse(const QString &text);
    // The six orders, "rgb" first.
    static const std::vector<ChannelOrder> &all();
    // The order the controller panel's colour order list gives its first
    // pixel: its first three rows (from the bottom of the list up) when
    // they name red, green and blue once each, else RGB.
    static ChannelOrder fromOrderList(const RgbOrderList &list);
};

struct FseqPortSpan
{
    int port = 0;              // counted from 0
    uint32_t firstChannel = 0; // counted from 0; players count from 1
    uint32_t pixelCount = 0;   // highest pixel number + 1; 0 for a port without points
};

class FseqChannelMap
{
public:
    // Ports 0 to the highest port of an LED wiring. Records with a negative
    // port or pixel number, or a cell outside the grid, carry no channel
    // (such records come only from damaged files). Nothing when the channels
    // would pass kFseqMaxChannels; `channelsNeeded` then says how many.
    static std::optional<FseqChannelMap> fromWiring(const Wiring &wiring, int rows, int cols, ChannelOrder order,
                                                    uint64_t *channelsNeeded = nullptr);
    // Every grid point, row by row from the top left.
    static FseqChannelMap fromGrid(int rows, int cols, ChannelOrder order);
    // The wiring's map when it is an LED wiring with points, else the grid's.
    static std::optional<FseqChannelMap> forProject(const Wiring &wiring, int rows, int cols, ChannelOrder order,
                                                    uint64_t *channelsNeeded = nullptr);

    uint32_t channelCount() const { return m_channels; }
    bool byWiring() const { return m_byWiring; }
    const std::vector<FseqPortSpan> &ports() const { return m_ports; }
    ChannelOrder order() const { return m_order; }

    // The channels of one frame: channelCount() bytes at `out`.
    void fill(const Frame &frame, uint8_t *out) const;
    // The colours of the mapped points from `available` stored channels (the
    // rest stay as they are in `frame`; channels past the end read as 0).
    void read(const uint8_t *channels, size_t available, Frame &frame) const;

private:
    struct Tap
    {
        uint32_t cell;    // y * Cols + x
        uint32_t channel; // first of the point's three
    };
    std::vector<Tap> m_taps; // in wiring list order: of two records on one pixel the later wins
    std::vector<FseqPortSpan> m_ports;
    uint32_t m_channels = 0;
    ChannelOrder m_order;
    bool m_byWiring = false;
};
