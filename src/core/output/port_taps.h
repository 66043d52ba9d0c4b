#pragma once
// Where each port's pixel bytes come from: for every wired point of the
// port, the frame cell it reads and the pixel number it fills. Built once
// per run from the wiring, so that the per-frame loop is a plain walk over
// two arrays.

#include "document/wiring.h"

#include <cstdint>
#include <vector>

struct PortTap
{
    uint32_t cell;  // y * Cols + x
    uint32_t pixel; // pixel number on the port
};

struct PortTaps
{
    int port = 0;
    // Highest pixel number + 1; 1 for a port without pixels, whose file
    // still gets a header and one zero block per frame.
    int64_t pixelCount = 1;
    // In wiring list order, so that of two records with the same pixel
    // number the later one wins, as it does in the colour array.
    std::vector<PortTap> taps;
};

// One entry per port from 0 to the highest port of the wiring. A record
// whose cell lies outside the `rows` × `cols` grid (left over from a project
// of another size) counts for its port's pixel count but reads no colour;
// records with a negative port or pixel number are left out.
std::vector<PortTaps> collectPortTaps(const Wiring &wiring, int rows, int cols);
