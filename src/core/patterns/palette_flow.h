#pragma once
// PaletteFlow: recolours the foreground of one frame with the palette
// colours, one colour per line (or diagonal, or wave line), starting at the
// selected palette entry. Each call advances the selected entry by one, so
// over a run of frames the colours move one line per frame in the chosen
// direction.

#include "document/frame.h"
#include "editing/block_area.h"
#include "patterns/flow_direction.h"

#include <vector>

struct PaletteState;

class PaletteFlow
{
public:
    // Recolours every pixel of `rect` (clamped to the rows x cols grid)
    // whose colour is not exactly `key`, then advances palette.selected.
    // An empty palette leaves the frame and the palette as they are.
    void apply(Frame &frame, int rows, int cols, GridRect rect, ColorValue key, FlowDirection direction,
               PaletteState &palette);

private:
    // Per-row and per-column parts of the palette index, kept between
    // frames so that a run does not allocate per frame.
    std::vector<int> m_rowTerm;
    std::vector<int> m_colTerm;
};
