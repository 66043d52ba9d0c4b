#include "patterns/stacking_blocks.h"

#include "document/frame_budget.h"
#include "palette/palette_state.h"
#include "patterns/basic_colour_list.h"
#include "patterns/palette_flow.h"
#include "patterns/sweep_direction.h"

#include <algorithm>
#include <cstdlib>
#include <cstdint>
#include <optional>
#include <vector>

namespace {

struct Span
{
    int first;
    int last;
};

struct Block
{
    int lane;
    int position; // first line along the motion; the block runs rightward or downward from it
    int target;
};

void fillRect(Frame &frame, int cols, int x0, int y0, int x1, int y1, ColorValue c)
{
    for (int y = y0; y <= y1; ++y) {
        ColorValue *row = frame.data() + size_t(y) * size_t(cols);
        std::fill(row + x0, row + x1 + 1, c);
    }
}

// Everything one run needs to draw a frame.
class StackingPainter
{
public:
    StackingPainter(PatternTarget &target, const StackingParams &p, FrameSink &sink)
        : m_target(target), m_sink(sink), m_cols(target.doc.cols()), m_rows(target.doc.rows()),
          m_area(p.area), m_direction(sweepDirectionFromIndex(p.direction))
    {
        const int h = atLeastOne(p.blockHeight);
        const int w = atLeastOne(p.blockWidth);
        m_alongColumns = linesAreColumns(m_direction);
        m_length = m_alongColumns ? w : h;
        m_thickness = m_alongColumns ? h : w;
        m_lanes = stackingLaneCount(p, m_rows, m_cols);

        if (p.foreground >= kStackingFlowItemBase) {
            m_flow = FlowDirection(std::clamp(p.foreground - kStackingFlowItemBase, 0, kFlowDirectionCount - 1));
            m_foreground = BasicColourList::colour((p.background + 1) % BasicColourList::kCount);
        } else {
            m_foreground = BasicColourList::colour(p.foreground);
        }
        m_background = BasicColourList::colour(p.background);

        // Cross lines (rows for sideways motion, columns for up and down)
        // in bands of `thickness`, dealt to the lanes in turn.
        const int firstCross = m_alongColumns ? m_area.top : m_area.left;
        const int lastCross = m_alongColumns ? m_area.bottom : m_area.right;
        m_laneSpans.assign(size_t(m_lanes), {});
        for (int band = firstCross, n = 0; band <= lastCross; band += m_thickness, ++n) {
            const int end = int(std::min<int64_t>(int64_t(band) + m_thickness - 1, lastCross));
            m_laneSpans[size_t(n % m_lanes)].push_back({band, end});
            if (int64_t(band) + m_thickness > lastCross)
                break;
        }
    }

    int lanes() const { return m_lanes; }
    int length() const { return m_length; }
    SweepDirection direction() const { return m_direction; }
    const GridRect &area() const { return m_area; }

    Frame startFrame() const
    {
        Frame frame = m_target.doc.makeFrame();
        fillRect(frame, m_cols, m_area.left, m_area.top, m_area.right, m_area.bottom, m_background);
        return frame;
    }

    // Lines first..last along the motion, on the cross lines of `lane`
    // (every lane when lane < 0), clipped to the area.
    void drawBand(Frame &frame, int lane, int64_t first, int64_t last) const
    {
        const int lo = int(std::max<int64_t>(first, m_alongColumns ? m_area.left : m_area.top));
        const int hi = int(std::min<int64_t>(last, m_alongColumns ? m_area.right : m_area.bottom));
        if (lo > hi)
            return;
        for (int l = 0; l < m_lanes; ++l) {
            if (lane >= 0 && l != lane)
                continue;
            for (const Span &s : m_laneSpans[size_t(l)]) {
                if (m_alongColumns)
                    fillRect(frame, m_cols, lo, s.first, hi, s.last, m_foreground);
                else
                    fillRect(frame, m_cols, s.first, lo, s.last, hi, m_foreground);
            }
        }
    }

    // False once the user stopped the run.
    bool hand(Frame frame)
    {
        if (m_flow && m_target.palette)
            m_paletteFlow.apply(frame, m_rows, m_cols, m_area, m_background, *m_flow, *m_target.palette);
        return m_sink.hand(std::move(frame));
    }

private:
    PatternTarget &m_target;
    FrameSink &m_sink;
    int m_cols;
    int m_rows;
    GridRect m_area;
    SweepDirection m_direction;
    bool m_alongColumns = true;
    int m_length = 1;
    int m_thickness = 1;
    int m_lanes = 1;
    ColorValue m_foreground = 0;
    ColorValue m_background = 0;
    std::optional<FlowDirection> m_flow;
    std::vector<std::vector<Span>> m_laneSpans;
    PaletteFlow m_paletteFlow;
};

// Where moving blocks start, where the first one stops, how the stopping
// place moves back by one block length per layer, and the start side's
// edge: once the stopping place passes it, the area is full.
struct MovingPlan
{
    int64_t start = 0;
    int64_t target = 0;
    int64_t layerStep = 0;
    int64_t startEdge = 0;

    bool pastStartEdge(int64_t t) const { return layerStep < 0 ? t < startEdge : t > startEdge; }
};

MovingPlan movingPlan(const GridRect &a, SweepDirection d, int len)
{
    MovingPlan m;
    switch (d) {
    case SweepDirection::LeftToRight:
        m.start = a.left, m.target = int64_t(a.right) - len + 1, m.layerStep = -len;
        break;
    case SweepDirection::RightToLeft:
        m.start = int64_t(a.right) - len + 1, m.target = a.left, m.layerStep = len;
        break;
    case SweepDirection::TopToBottom:
        m.start = a.top, m.target = int64_t(a.bottom) - len + 1, m.layerStep = -len;
        break;
    case SweepDirection::BottomToTop:
        m.start = int64_t(a.bottom) - len + 1, m.target = a.top, m.layerStep = len;
        break;
    }
    m.startEdge = m.layerStep < 0 ? (linesAreColumns(d) ? a.left : a.top) : (linesAreColumns(d) ? a.right : a.bottom);
    return m;
}

// Blocks spawn at the start side and travel to the current target; every
// lane's block of a layer moves the target one layer back.
void runMovingBlocks(StackingPainter &painter, int frequency)
{
    const int len = painter.length();
    const MovingPlan plan = movingPlan(painter.area(), painter.direction(), len);
    const int64_t start = plan.start;
    int64_t target = plan.target;
    const int64_t layerStep = plan.layerStep;
    auto targetPastFarSide = [&] { return plan.pastStartEdge(target); };

    struct Moving
    {
        int lane;
        int64_t position;
        int64_t target;
    };
    std::vector<Moving> blocks;
    int nextLane = 0;
    for (int64_t counter = 0;; ++counter) {
        const bool spawn = frequency > 0 ? counter % frequency == 0
                                         : blocks.empty() || blocks.back().position == blocks.back().target;
        if (spawn) {
            blocks.push_back({nextLane, start, target});
            if (++nextLane == painter.lanes()) {
                nextLane = 0;
                target += layerStep;
            }
        }
        Frame frame = painter.startFrame();
        for (Moving &b : blocks) {
            painter.drawBand(frame, b.lane, b.position, b.position + len - 1);
            if (b.position < b.target)
                ++b.position;
            else if (b.position > b.target)
                --b.position;
        }
        if (!painter.hand(std::move(frame)) || targetPastFarSide())
            break;
    }
}

// Falling blocks with no frequency: a fixed sequence, one block at a time
// falling row by row onto the layers below.
void runFallingSequence(StackingPainter &painter)
{
    const GridRect &a = painter.area();
    const int64_t h = painter.length();
    const int64_t T = a.top, B = a.bottom;
    for (int64_t J = h; J <= B - T; J += h) {
        for (int lane = 0; lane < painter.lanes(); ++lane) {
            for (int64_t O = T; O <= B - J; ++O) {
                Frame frame = painter.startFrame();
                painter.drawBand(frame, lane, O, O + h - 1);               // the falling block
                painter.drawBand(frame, -1, B - J + h + 1, B);            // completed layers
                for (int below = 0; below < lane; ++below)                 // this layer so far
                    painter.drawBand(frame, below, B - J + 1, B - J + h);
                if (!painter.hand(std::move(frame)))
                    return; // stopped by the user
            }
        }
    }
    Frame full = painter.startFrame();
    painter.drawBand(full, -1, T, B);
    painter.hand(std::move(full));
}

} // namespace

int stackingLaneCount(const StackingParams &p, int rows, int cols)
{
    const SweepDirection d = sweepDirectionFromIndex(p.direction);
    const int thickness = linesAreColumns(d) ? atLeastOne(p.blockHeight) : atLeastOne(p.blockWidth);
    const int across = linesAreColumns(d) ? rows : cols;
    if (thickness >= across)
        return 1;
    if (thickness >= across / 2)
        return 2;
    return 3;
}

int64_t stackingFrameCount(const StackingParams &p, int rows, int cols)
{
    const GridRect &a = p.area;
    if (rows <= 0 || cols <= 0 || a.left < 0 || a.top < 0 || a.right >= cols || a.bottom >= rows
        || a.left > a.right || a.top > a.bottom)
        return 0;
    const SweepDirection d = sweepDirectionFromIndex(p.direction);
    const int64_t len = linesAreColumns(d) ? atLeastOne(p.blockWidth) : atLeastOne(p.blockHeight);
    const int64_t lanes = stackingLaneCount(p, rows, cols);

    if (d == SweepDirection::TopToBottom && p.frequency <= 0) {
        // Per layer J, each lane's block falls from the top to the layer.
        int64_t frames = 1; // the full area at the end
        for (int64_t J = len; J <= int64_t(a.bottom) - a.top; J += len)
            frames += lanes * (int64_t(a.bottom) - J - a.top + 1);
        return frames;
    }

    const MovingPlan plan = movingPlan(a, d, int(len));
    if (plan.pastStartEdge(plan.target))
        return 1;
    // Layers until the stopping place passes the start side's edge; the run
    // ends with the frame of the last block's spawn.
    const int64_t gap = plan.layerStep < 0 ? plan.target - plan.startEdge : plan.startEdge - plan.target;
    const int64_t layers = gap / len + 1;
    const int64_t blocks = layers * lanes;
    if (p.frequency > 0)
        return (blocks - 1) * p.frequency + 1;
    // One block at a time: the next spawns when the last has arrived (at
    // once when it had no way to go).
    int64_t frames = 1;
    for (int64_t layer = 0; layer < layers; ++layer) {
        const int64_t way = std::max<int64_t>(std::abs(plan.start - (plan.target + layer * plan.layerStep)), 1);
        const int64_t spawnsAfter = layer + 1 < layers ? lanes : lanes - 1;
        frames += spawnsAfter * way;
    }
    return frames;
}

int generateStacking(PatternTarget &target, const StackingParams &p)
{
    Document &doc = target.doc;
    const int rows = doc.rows();
    const int cols = doc.cols();
    const GridRect &a = p.area;
    if (rows <= 0 || cols <= 0 || a.left < 0 || a.top < 0 || a.right >= cols || a.bottom >= rows
        || a.left > a.right || a.top > a.bottom)
        return 0;

    const int64_t expected = stackingFrameCount(p, rows, cols);
    FrameSink sink(target, AddRule::FollowAddMode, expected > INT32_MAX ? 0 : int(expected), EditNames::Stacking);
    StackingPainter painter(target, p, sink);
    if (painter.direction() == SweepDirection::TopToBottom && p.frequency <= 0)
        runFallingSequence(painter);
    else
        runMovingBlocks(painter, p.frequency);
    return sink.made();
}

int runStacking(PatternTarget &target, const StackingParams &p, Prompt &prompt)
{
    if (p.foreground < kStackingFlowItemBase && !patternColoursDiffer(p.foreground, p.background, prompt))
        return 0;
    if (!checkFramesToAdd(target.doc, stackingFrameCount(p, target.doc.rows(), target.doc.cols()), prompt))
        return 0;
    return generateStacking(target, p);
}
