#include "output/port_taps.h"

#include <algorithm>

std::vector<PortTaps> collectPortTaps(const Wiring &wiring, int rows, int cols)
{
    int highestPort = -1;
    for (const WiringPixel &p : wiring.pixels())
        if (p.pixel >= 0)
            highestPort = std::max(highestPort, int(p.port));
    std::vector<PortTaps> ports(size_t(highestPort + 1));
    for (size_t i = 0; i < ports.size(); ++i)
        ports[i].port = int(i);
    for (const WiringPixel &p : wiring.pixels()) {
        if (p.port < 0 || p.pixel < 0)
            continue;
        PortTaps &port = ports[size_t(p.port)];
        // A point outside the grid still holds its place on the chain; it
        // only has no colour to give.
        port.pixelCount = std::max(port.pixelCount, int64_t(p.pixel) + 1);
        if (p.column < 0 || p.row < 0 || p.column >= cols || p.row >= rows)
            continue;
        port.taps.push_back({uint32_t(p.row) * uint32_t(cols) + uint32_t(p.column), uint32_t(p.pixel)});
    }
    return ports;
}
